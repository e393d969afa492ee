#include "editor/import/import_entries.h"

#include "editor/editor_injection.h"
#include "editor/import/dxf_import.h"
#include "editor/import/raw_import.h"

namespace zavo {

void InstallImportEntries() {
  EditorImportEntries entries = GetEditorImportEntries();
  entries.CaricaFlagPolyline = &CaricaFlagPolyline;
  entries.ImportRaw = &ImportRaw;
  entries.ImportRawPoints = &ImportRawPoints;
  entries.ImportRawPoints2D = &ImportRawPoints2D;
  SetEditorImportEntries(std::move(entries));
}

}  // namespace zavo
