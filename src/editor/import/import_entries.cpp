#include "editor/import/import_entries.h"

#include "editor/editor_injection.h"
#include "editor/import/dxf_import.h"
#include "editor/import/raw_import.h"
#include "editor/import/text_to_3d.h"

namespace zavo {

void InstallImportEntries() {
  EditorImportEntries entries = GetEditorImportEntries();
  entries.TextTo3D = &TextTo3D;
  entries.CaricaFlagPolyline = &CaricaFlagPolyline;
  entries.ImportRaw = &ImportRaw;
  entries.ImportRawPoints = &ImportRawPoints;
  entries.ImportRawPoints2D = &ImportRawPoints2D;
  SetEditorImportEntries(std::move(entries));
}

}  // namespace zavo
