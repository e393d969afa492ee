#pragma once

// The layers file of a document N: N.qzd/editor/layers, one value a line:
// the number of layers, then per layer its name, the number of its entries
// and the object name of each entry.

#include <filesystem>
#include <iosfwd>

#include "editor/layers.h"

namespace zavo {

// N.qzd/editor, the folder of a document's editor files.
std::filesystem::path EditorFolder(const char* documentName);
// Creates N.qzd/editor when missing; false when it cannot be made.
bool MakeEditorFolder(const char* documentName);

// Writes the layers in list order.
void WriteLayersText(std::ostream& os, const DblList<Layer>& layers);
// Reads layers as whitespace-separated words and appends them to `layers`.
// Each entry goes to the first item (in list order) whose object has the
// name; a name that no item has is skipped. The counts are trusted only as
// far as the text holds words: reading stops at the end of the text, at a
// word holding a NUL byte, at a count that is not a number, or after the last announced layer, and a layer
// whose name was read is kept with the entries read so far.
void ReadLayersText(std::istream& in, const DblList<CG_SceneEditorItem>& items, DblList<Layer>& layers);

}  // namespace zavo
