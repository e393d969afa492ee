#pragma once

// Objects built from other scene objects through a small scene text (flip,
// deformation graph): the text holds copies of the sources, and the sources
// leave the scene once the text has read back into the new object. Until
// then nothing is lost: a name the read-back could not find, or would find
// in the wrong object, is refused up front, and when the text does not read
// the sources go back into the scene with their items.

#include <memory>
#include <string>
#include <vector>

class CG_GraphicEditor;
class CG_GraphicObject;

namespace zavo {

// The new object's name must be an identifier and must not belong to a
// scene object other than the sources (the editor's name check and its
// message otherwise); the name of a source is free, since the source goes.
// Then the sources (null entries and repeats are passed over) leave the
// scene and the views, the text is read (ReadObjectFromSceneText) and
// - when it gives the object of that name, the sources and their items are
//   destroyed (a source that was the camera in use leaves no camera in use)
//   and the object is the answer, detached, for the editor to add;
// - otherwise each source goes back into the scene with an item of its
//   former settings in its former layers, and the answer is null.
std::unique_ptr<CG_GraphicObject> BuildFromSources(CG_GraphicEditor& editor, const char* name,
                                                   const std::string& text,
                                                   const std::vector<CG_GraphicObject*>& sources);

}  // namespace zavo
