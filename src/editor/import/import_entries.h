#pragma once

// The import tools handed to the editor (editor/editor_injection.h): 3-D
// text (request 63), the DXF polyface import (request 70) and the RAW imports
// (requests 71 to 73).

namespace zavo {

// Installs the import entries of this library, keeping any other entry.
void InstallImportEntries();

}  // namespace zavo
