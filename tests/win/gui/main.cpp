// The window shell's display tests: wxWidgets is started once (the tests run
// on its window thread, with an active event loop that the shell's queue
// draining sees) and every test cleans up the windows it makes.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

namespace {

class TestApp : public wxApp {
public:
  bool OnInit() override { return true; }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  wxApp::SetInstance(new TestApp);
  int wxArgc = 1;
  char* wxArgv[] = {argv[0], nullptr};
  if (!wxEntryStart(wxArgc, wxArgv) || !wxTheApp->CallOnInit()) {
    std::fprintf(stderr, "cannot start wxWidgets (no display?)\n");
    return 1;
  }
  int result = 0;
  {
    wxEventLoop loop;
    wxEventLoopActivator active(&loop);
    result = RUN_ALL_TESTS();
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
