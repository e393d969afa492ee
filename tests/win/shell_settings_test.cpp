#include "win/shell_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "common/temp_dir.h"
#include "editor/back_to_editor.h"
#include "win/command_recording_editor.h"
#include "editor/dialog_controls.h"
#include "win/message_box.h"
#include "win/profile_file.h"
#include "win/win_ini.h"
#include "win/win_qz_interface.h"

namespace {

namespace fs = std::filesystem;
using zavo::ShellSettings;
using zavo::test::ReadFile;
using zavo::test::TempDir;
using zavo::test::WriteFile;

// Records the requests; runs a hook on each (to look at the files then).
using RecordingEditor = zavo::test::CommandRecordingEditor;

struct Box {
  std::string text, caption;
};
std::vector<Box> boxes;

zavo::BoxAnswer RecordBox(wxWindow*, const wxString& text, const wxString& caption, zavo::BoxButtons) {
  boxes.push_back({text.utf8_str().data(), caption.utf8_str().data()});
  return zavo::BoxAnswer::Ok;
}

// A configuration directory and a program directory of the test's own; the
// message boxes are recorded.
class ShellSettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldXdg_ = old;
    SetConfig(dir_.path() / "config");
    fs::create_directories(programDir_);
    boxes.clear();
    oldBox_ = zavo::SetMessageBoxFunction(RecordBox);
  }
  void TearDown() override {
    zavo::SetMessageBoxFunction(oldBox_);
    if (oldXdg_.empty()) {
      ::unsetenv("XDG_CONFIG_HOME");
    } else {
      ::setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    }
  }
  static void SetConfig(const fs::path& p) { ::setenv("XDG_CONFIG_HOME", p.c_str(), 1); }
  std::string Program() const { return programDir_.string() + "/"; }
  fs::path Config() const { return dir_.path() / "config" / "zavo"; }

  TempDir dir_;
  fs::path programDir_ = dir_.path() / "app 1.5" / "bin";
  std::string oldXdg_;
  zavo::MessageBoxFunction oldBox_ = nullptr;
};

std::string FirstRunText(const std::string& program, const std::string& libraryParent) {
  return "[View]\nDimPixel=1\nCBitmap=1\nLowMem=1\n\n[Dir]\nTextureDir=" + program + "texture\nModelDir=" +
         program + "model\nLibraryDir=" + libraryParent + "library\n";
}

const char* const kWritten = "'VNZ.INI' file written.\nNow you must restart the program.";

TEST_F(ShellSettingsTest, SettingsFiles) {
  const struct {
    const char* name;
    const char* file;  // null: no file at the named path
    bool entry;        // win.ini names the file
    ShellSettings expected;
    bool request45;
  } cases[] = {
      {"only [Dir]", "[Dir]\nModelDir=/m\n", true, {1, 1, 0, 1, 4}, true},
      {"every key", "[View]\nDimPixel=  3\nCBitmap=0\nMultiTask31=1\n[Editor]\nConvertText=0\nTextQuality=+12\n",
       true, {3, 0, 1, 0, 12}, true},
      {"numbers as prefixes", "[view]\ndimpixel=2px\nCBitmap=abc\n[EDITOR]\nTextQuality=-2\n", true,
       {2, 0, 0, 1, -2}, true},
      {"no win.ini entry", nullptr, false, {1, 1, 0, 1, 4}, false},
      {"entry naming a missing file", nullptr, true, {1, 1, 0, 1, 4}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(Config());
    fs::remove(programDir_ / "vnz.ini");
    boxes.clear();
    const fs::path file = dir_ / "settings.ini";
    fs::remove(file);
    if (c.file != nullptr) WriteFile(file, c.file);
    if (c.entry) {
      ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file.c_str()));
    }

    RecordingEditor editor;
    const ShellSettings s = zavo::ReadShellSettings(editor, Program(), nullptr);
    EXPECT_EQ(s.dimPixel, c.expected.dimPixel);
    EXPECT_EQ(s.cBitmap, c.expected.cBitmap);
    EXPECT_EQ(s.multiTask31, c.expected.multiTask31);
    EXPECT_EQ(s.convertText, c.expected.convertText);
    EXPECT_EQ(s.textQuality, c.expected.textQuality);
    EXPECT_EQ(editor.codes, c.request45 ? std::vector<int>{45} : std::vector<int>{});
    // Without a readable file the first run has written one.
    EXPECT_EQ(fs::exists(programDir_ / "vnz.ini"), !c.request45);
    EXPECT_EQ(boxes.size(), c.request45 ? 0u : 1u);
  }
}

TEST_F(ShellSettingsTest, DirectoriesAndTestSwitchComeFromTheNamedFile) {
  zavo::ShellDirectories none = zavo::ReadShellDirectories();
  EXPECT_EQ(none.settingsFile, "");
  EXPECT_EQ(none.modelDir, ".");
  EXPECT_EQ(none.libraryDir, ".");
  EXPECT_EQ(none.testDB, 0);

  const fs::path file = dir_ / "settings.ini";
  WriteFile(file, "[Dir]\nModelDir=/data/models\nLibraryDir=/data/lib\n[Edit]\nTestDB= 2\n");
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file.c_str()));
  const zavo::ShellDirectories d = zavo::ReadShellDirectories();
  EXPECT_EQ(d.settingsFile, file.string());
  EXPECT_EQ(d.modelDir, "/data/models");
  EXPECT_EQ(d.textureDir, ".");
  EXPECT_EQ(d.libraryDir, "/data/lib");
  EXPECT_EQ(d.testDB, 2);
}

TEST_F(ShellSettingsTest, WritingSendsRequest46FirstThenTheFiveKeysInOrder) {
  const fs::path file = dir_ / "settings.ini";
  const std::string before = "[Dir]\nModelDir=/m\nCBitmap=7\n";
  WriteFile(file, before);
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file.c_str()));
  RecordingEditor editor;
  std::string atRequest;
  editor.onCommand = [&](int) { atRequest = ReadFile(file); };
  ShellSettings s;
  s.dimPixel = 0;
  s.cBitmap = 0;
  s.multiTask31 = 1;
  s.convertText = 0;
  s.textQuality = 12;
  EXPECT_TRUE(zavo::WriteShellSettings(editor, s));
  EXPECT_EQ(editor.codes, std::vector<int>{46});
  EXPECT_EQ(atRequest, before);
  EXPECT_EQ(ReadFile(file),
            "[Dir]\nModelDir=/m\nCBitmap=7\n[Editor]\nConvertText=0\nTextQuality=12\n"
            "[View]\nDimPixel=0\nCBitmap=0\nMultiTask31=1\n");

  // No settings file named: the editor is still asked, nothing is written.
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", ""));
  RecordingEditor second;
  EXPECT_FALSE(zavo::WriteShellSettings(second, s));
  EXPECT_EQ(second.codes, std::vector<int>{46});
}

TEST_F(ShellSettingsTest, ValuesBelowOneAreKeptButUsedAsOne) {
  WinQZInterface sink(nullptr, nullptr);
  VirtualEditor holder(std::make_unique<RecordingEditor>());
  const struct {
    ShellSettings s;
    int usedDim, usedQuality;
  } cases[] = {
      {{1, 1, 0, 1, 4}, 1, 4},
      {{0, 1, 1, 0, 0}, 1, 1},
      {{-3, 0, 0, 1, -7}, 1, 1},
      {{2, 1, 1, 0, 9}, 2, 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(zavo::UsedDimPixel(c.s), c.usedDim);
    EXPECT_EQ(zavo::UsedTextQuality(c.s), c.usedQuality);
    zavo::ApplyShellSettings(c.s, holder, sink);
    EXPECT_EQ(holder.ConvertText, c.s.convertText);
    EXPECT_EQ(holder.TextQuality, c.usedQuality);
    EXPECT_EQ(sink.peek, c.s.multiTask31);
  }
}

TEST_F(ShellSettingsTest, FirstRunWritesTheNineLinesAndNamesTheFile) {
  WriteFile(programDir_ / "vnz.ini", "[View]\nDimPixel=7\nold=1\n");  // replaced
  const zavo::FirstRunResult r = zavo::WriteDefaultSettings(Program(), nullptr);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.settingsFile, programDir_ / "vnz.ini");
  EXPECT_EQ(ReadFile(programDir_ / "vnz.ini"), FirstRunText(Program(), Program()));
  // Nothing else is left in the program directory (the writability probe included).
  EXPECT_EQ(std::distance(fs::directory_iterator(programDir_), fs::directory_iterator()), 1);
  EXPECT_EQ(zavo::SettingsFilePath(), programDir_ / "vnz.ini");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kWritten);
  EXPECT_EQ(boxes[0].caption, "Installation");

  // The next start reads the file.
  RecordingEditor editor;
  const ShellSettings s = zavo::ReadShellSettings(editor, Program(), nullptr);
  EXPECT_EQ(editor.codes, std::vector<int>{45});
  EXPECT_EQ(s.dimPixel, 1);
  EXPECT_EQ(boxes.size(), 1u);
}

// A program directory that cannot be written (here: its parent is a regular
// file): the settings go beside win.ini, the directories still name the
// program's folders except the library, which names the copy.
TEST_F(ShellSettingsTest, FirstRunOfAnInstalledProgramWritesBesideWinIni) {
  WriteFile(dir_ / "installed", "not a directory");
  const std::string program = (dir_.path() / "installed" / "bin").string() + "/";
  ASSERT_FALSE(zavo::DirectoryWritable(program));
  ASSERT_TRUE(zavo::DirectoryWritable(programDir_));

  const zavo::FirstRunResult r = zavo::WriteDefaultSettings(program, nullptr);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.settingsFile, Config() / "vnz.ini");
  EXPECT_EQ(ReadFile(Config() / "vnz.ini"), FirstRunText(program, Config().string() + "/"));
  EXPECT_EQ(zavo::SettingsFilePath(), Config() / "vnz.ini");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kWritten);
}

TEST_F(ShellSettingsTest, FirstRunCopiesTheShippedLibraryKeepingAnEarlierCopy) {
  fs::create_directories(programDir_ / "library" / "materials");
  fs::create_directories(Config() / "library");
  WriteFile(programDir_ / "library" / "materials" / "wood.mat", "wood 0.6");
  WriteFile(programDir_ / "library" / "start.pl", "shipped");
  WriteFile(Config() / "library" / "start.pl", "changed by the user");
  const auto notWritable = [](const fs::path&) { return false; };

  const zavo::FirstRunResult r = zavo::WriteDefaultSettings(Program(), nullptr, notWritable);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(ReadFile(Config() / "library" / "materials" / "wood.mat"), "wood 0.6");
  EXPECT_EQ(ReadFile(Config() / "library" / "start.pl"), "changed by the user");
  EXPECT_EQ(zavo::ReadProfileString(r.settingsFile, "Dir", "LibraryDir", ""),
            (Config() / "library").string());
  EXPECT_EQ(zavo::ReadProfileString(r.settingsFile, "Dir", "ModelDir", ""), Program() + "model");
  EXPECT_FALSE(fs::exists(programDir_ / "vnz.ini"));
}

TEST_F(ShellSettingsTest, AFileThatCannotBeWrittenIsReportedAndLeavesNoEntry) {
  // win.ini names a file that has gone; the program directory is writable
  // but "vnz.ini" there is a directory.
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", (dir_ / "gone.ini").c_str()));
  fs::create_directories(programDir_ / "vnz.ini");
  RecordingEditor editor;
  const ShellSettings s = zavo::ReadShellSettings(editor, Program(), nullptr);
  EXPECT_EQ(s.dimPixel, 1);
  EXPECT_TRUE(editor.codes.empty());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot write " + (programDir_ / "vnz.ini").string());
  EXPECT_EQ(boxes[0].caption, "Installation");
  EXPECT_EQ(zavo::SettingsFilePath(), fs::path());

  // win.ini itself cannot be written: reported, no settings file made.
  boxes.clear();
  fs::remove_all(programDir_ / "vnz.ini");
  WriteFile(dir_ / "plain", "x");
  SetConfig(dir_.path() / "plain" / "config");
  const zavo::FirstRunResult r = zavo::WriteDefaultSettings(Program(), nullptr);
  EXPECT_FALSE(r.written);
  EXPECT_FALSE(fs::exists(programDir_ / "vnz.ini"));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Cannot write " + (dir_.path() / "plain" / "config" / "zavo" / "win.ini").string());
}

// Answers the dialog as a user would: checks what it shows, then types.
class ScriptedDialog : public Dialog_obj {
public:
  std::function<int(const char* title, gcg_list& controls)> answer;
  int Show(const char* title, gcg_list& controls) override { return answer(title, controls); }
};

std::string Text(const charString& s) {
  const char* p = s;
  return p != nullptr ? p : "";
}

TEST_F(ShellSettingsTest, InterfaceOptionsShowTheFiveControlsAndTakeTheirValues) {
  const fs::path file = dir_ / "settings.ini";
  WriteFile(file, "[Dir]\n");
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file.c_str()));
  const struct {
    const char* dimPix;
    const char* quality;
    int expectedDim, expectedQuality;
  } cases[] = {
      {"  3", "6", 3, 6},
      {"abc", "", 0, 4},
      {"", "-2", 2, -2},
      {"12x", " +5", 12, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dimPix);
    ShellSettings s;
    s.dimPixel = 2;
    s.multiTask31 = 1;
    ScriptedDialog dialog;
    dialog.answer = [&](const char* title, gcg_list& controls) {
      EXPECT_STREQ(title, "Interface options");
      std::vector<std::string> shown;
      for (gcg_obj& item : controls) {
        const char* kind = typeid(item) == typeid(Edit_obj)    ? "edit:"
                           : typeid(item) == typeid(Check_obj) ? "check:"
                                                               : "other:";
        shown.push_back(kind + Text(item.label) + "=" +
                        (typeid(item) == typeid(Edit_obj) ? Text(static_cast<Edit_obj&>(item).text)
                         : typeid(item) == typeid(Check_obj)
                             ? std::to_string(static_cast<Check_obj&>(item).state)
                             : std::string()));
      }
      EXPECT_EQ(shown, (std::vector<std::string>{"edit:DimPix=2", "check:CBitmap=1", "check:MultiTask31=1",
                                                 "check:ConvertText=1", "edit:TextQuality=4"}));
      static_cast<Edit_obj*>(FindControl(controls, "DimPix"))->text = c.dimPix;
      static_cast<Edit_obj*>(FindControl(controls, "TextQuality"))->text = c.quality;
      static_cast<Check_obj*>(FindControl(controls, "CBitmap"))->state = 0;
      static_cast<Check_obj*>(FindControl(controls, "MultiTask31"))->state = 0;
      static_cast<Check_obj*>(FindControl(controls, "ConvertText"))->state = 0;
      return 1;
    };
    RecordingEditor editor;
    EXPECT_EQ(zavo::RunInterfaceOptions(dialog, editor, s), 1);
    EXPECT_EQ(s.dimPixel, c.expectedDim);
    EXPECT_EQ(s.textQuality, c.expectedQuality);
    EXPECT_EQ(s.cBitmap, 0);
    EXPECT_EQ(s.multiTask31, 0);
    EXPECT_EQ(s.convertText, 0);
    EXPECT_EQ(editor.codes, std::vector<int>{46});
    EXPECT_EQ(zavo::ReadProfileString(file, "View", "DimPixel", "?"), std::to_string(c.expectedDim));
    EXPECT_EQ(zavo::ReadProfileString(file, "Editor", "TextQuality", "?"), std::to_string(c.expectedQuality));
  }
}

TEST_F(ShellSettingsTest, CancellingInterfaceOptionsChangesAndWritesNothing) {
  const fs::path file = dir_ / "settings.ini";
  WriteFile(file, "[Dir]\n");
  ASSERT_TRUE(zavo::WriteWinIni("Vnz", "Ini", file.c_str()));
  ShellSettings s;
  s.dimPixel = 2;
  ScriptedDialog dialog;
  dialog.answer = [](const char*, gcg_list& controls) {
    static_cast<Edit_obj*>(FindControl(controls, "DimPix"))->text = "5";
    static_cast<Check_obj*>(FindControl(controls, "CBitmap"))->state = 0;
    return 0;
  };
  RecordingEditor editor;
  EXPECT_EQ(zavo::RunInterfaceOptions(dialog, editor, s), 0);
  EXPECT_EQ(s.dimPixel, 2);
  EXPECT_EQ(s.cBitmap, 1);
  EXPECT_TRUE(editor.codes.empty());
  EXPECT_EQ(ReadFile(file), "[Dir]\n");
}

}  // namespace
