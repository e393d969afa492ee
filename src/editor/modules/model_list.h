#pragma once

// Choosing the model of a new object made from a model file (boundary
// meshes, blobs, Bezier patches and the other patch models): the list of the
// model files of the working directory and of the scene's model path, and
// the name the new object gets.

#include "foundation/char_string.h"
#include "foundation/seq.h"

class CG_GraphicEditor;

namespace zavo {

// The base names of the model files with the extension ("brp": the "."
// exactly, the three letters in any case) among the entries of the working
// directory, then among those of the model path, each place in the order of
// LoadDirectoryList; a place that cannot be listed adds nothing. The base
// name is what lies after the last "/", "\" or ":" and before the extension.
void ListModels(const CG_GraphicEditor& editor, const char* extension, Seq<charString>& models);

// The model name M itself when no object has it, else the first free one
// of M_2 ... M_<limit>; empty when all are taken.
charString FreeObjectName(const CG_GraphicEditor& editor, const char* model);

// The highest number FreeObjectName tries (999999). Tests lower it; the
// previous bound is answered.
int SetObjectNumberLimit(int limit);

// The user chooses a model of the list ("Select a model"), which must be a
// name a scene can hold (else the name check's message); the object name
// follows FreeObjectName. 1 with both; 0 when nothing is to be made (no
// choice, a refused name, no free object name).
int ChooseNewModel(CG_GraphicEditor& editor, const char* extension, charString& model, charString& objectName);

}  // namespace zavo
