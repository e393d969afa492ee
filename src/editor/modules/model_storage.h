#pragma once

// The four commands on where a model object keeps its model, shared by the
// boundary-mesh and patch-model modules: "Save" (the edited model back to
// its file, or its held data rebuilt), "Include In Scene" (the model held in
// the scene from then on), "External Model" (a held model written to a file
// of its own, which then describes the object) and "Info" (where the model
// lives).

#include <iosfwd>
#include <string>

#include "foundation/char_string.h"
#include "foundation/seq.h"

class CG_GraphicEditor;

namespace zavo {

// A model object as the storage commands see it.
class ModelStorage {
public:
  virtual ~ModelStorage() = default;

  // The module's dialog caption ("Modifing brep") and the model files'
  // extension ("brp").
  virtual const char* Caption() const = 0;
  virtual const char* Extension() const = 0;

  // 1 when the model is held in the scene.
  virtual int IsInternal() const = 0;
  // The model file without its extension.
  virtual std::string File() const = 0;
  // The model's own update: 1, or 0 when its file could not be written
  // (with its own message).
  virtual int Save() = 0;
  // From now on the model is written into the scene.
  virtual void Include() = 0;
  // The object applies its description again (a file model reads its file).
  virtual void Reapply() = 0;
  // Writes the held model as the text of a model file: false when it
  // cannot.
  virtual bool WriteHeld(std::ostream& os) const = 0;
  // Removes the caches that a model file of that name (without extension)
  // may have beside it.
  virtual void DropCaches(const std::string& name) const = 0;
  // The held model let go and the object described by the file written
  // under that name: 1; or 0 with the object still holding its model.
  virtual int MoveToFile(const std::string& name) = 0;
};

// Sets names to the four command names, in the order of their numbers 0 to 3.
void StorageNames(Seq<charString>& names);

// Runs command index on the object: "Save" answers what the model's update
// answers; "Include In Scene" 1; "External Model" 1 when the object was
// switched to its new file, or when it had no held model, or when the user
// cancelled the name, 0 when the name was refused or the file could not be
// written ("Cannot write " and the file name; the object keeps its model);
// "Info" and any other number 0.
int RunStorageCommand(CG_GraphicEditor& editor, int index, ModelStorage& storage);

}  // namespace zavo
