// zavo: the interactive scene editor.

#include <wx/app.h>

#include "editor/import/import_entries.h"
#include "editor/modules/module_factory.h"
#include "win/zavo_app.h"

wxIMPLEMENT_APP_NO_MAIN(zavo::ZavoApp);

int main(int argc, char** argv) {
  zavo::InstallEditorModules();
  zavo::InstallImportEntries();
  wxApp::SetInstance(new zavo::ZavoApp);
  return wxEntry(argc, argv);
}
