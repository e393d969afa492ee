// Requests 45 and 46: the editor options in the settings, and the
// number-prefix conversion of the texts read.

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "editor/graphic_editor.h"
#include "editor/number_prefix.h"
#include "editor_fakes.h"

namespace zavo::test {
namespace {

struct Key {
  const char* section;
  const char* key;
  const char* defaultText;
};

// The keys in the order they are read, with their defaults.
const Key kReadOrder[] = {
    {"Editor.Preview", "Size", "50"},     {"Editor.Preview", "Type", "fast"},
    {"Editor.View", "KeepEdge", "1"},     {"Editor.View", "UseColor", "1"},
    {"Editor.View", "DirectDraw", "0"},   {"Editor.View", "ShowMode", "1"},
    {"Editor.View", "Backgroundr", "1"},  {"Editor.View", "Backgroundg", "1"},
    {"Editor.View", "Backgroundb", "1"},  {"Editor.View", "SelectedObjectr", "0"},
    {"Editor.View", "SelectedObjectg", "1"}, {"Editor.View", "SelectedObjectb", "0"},
    {"Editor", "UseGrid", "0"},           {"Editor", "InvertY", "0"},
    {"Editor", "GridDim", "0.1"},         {"Editor", "UseUndo", "1"},
    {"Editor", "UndoFreq", "1"},          {"Dir", "LibraryDir", "."},
};

class EditorSettings : public ::testing::Test {
protected:
  EditorSettings() : editor(CG_GraphicEditor::Create(0)), driver(*editor) { fakes.AttachTo(*editor); }

  std::unique_ptr<CG_GraphicEditor> editor;
  EditorFakes fakes;
  EditorDriver driver;
};

TEST_F(EditorSettings, LoadFromEmptyStoreReadsEveryKeyInOrderAndGivesTheDefaults) {
  EXPECT_EQ(editor->options.KeepEdge, 0);
  driver.Request(45);
  ASSERT_EQ(fakes.winSupp.reads.size(), std::size(kReadOrder));
  for (std::size_t i = 0; i < std::size(kReadOrder); ++i) {
    SCOPED_TRACE(kReadOrder[i].key);
    EXPECT_EQ(fakes.winSupp.reads[i].section, kReadOrder[i].section);
    EXPECT_EQ(fakes.winSupp.reads[i].key, kReadOrder[i].key);
    EXPECT_EQ(fakes.winSupp.reads[i].text, kReadOrder[i].defaultText);
  }
  const CG_GraphicEditorOptions& o = editor->options;
  EXPECT_EQ(o.KeepEdge, 1);
  EXPECT_EQ(o.UseColor, 1);
  EXPECT_EQ(o.DirectDraw, 0);
  EXPECT_EQ(o.ShowMode, 1);
  EXPECT_EQ(std::vector<double>(o.Background, o.Background + 3), (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(std::vector<double>(o.SelectedObject, o.SelectedObject + 3), (std::vector<double>{0, 1, 0}));
  EXPECT_EQ(o.UseGrid, 0);
  EXPECT_DOUBLE_EQ(o.GridDim, 0.1);
  EXPECT_EQ(o.InvertY, 0);
  EXPECT_EQ(o.UseUndo, 1);
  EXPECT_EQ(o.UndoFreq, 1);
  EXPECT_STREQ(o.PreviewType.Text(), "fast");
  EXPECT_EQ(o.PreviewSize, 50);
  EXPECT_STREQ(editor->GetScene()->GetLibraryDir(), ".");
}

TEST_F(EditorSettings, StoredTextsConvertByTheirNumberPrefix) {
  auto& store = fakes.winSupp.settings;
  store[{"Editor", "UndoFreq"}] = "2.9";
  store[{"Editor.View", "ShowMode"}] = "  -3x";
  store[{"Editor.Preview", "Size"}] = "abc";
  store[{"Editor", "GridDim"}] = "1e-3";
  store[{"Editor.View", "KeepEdge"}] = "2.9";
  store[{"Editor.View", "DirectDraw"}] = "99999999999";
  store[{"Editor.View", "Backgroundg"}] = "0.25junk";
  store[{"Editor.Preview", "Type"}] = "glass";
  store[{"Dir", "LibraryDir"}] = "/opt/zavo/library";
  driver.Request(45);
  const CG_GraphicEditorOptions& o = editor->options;
  EXPECT_EQ(o.UndoFreq, 2);
  EXPECT_EQ(o.ShowMode, -3);
  EXPECT_EQ(o.PreviewSize, 0);
  EXPECT_DOUBLE_EQ(o.GridDim, 0.001);
  EXPECT_EQ(o.KeepEdge, 2);
  EXPECT_EQ(o.DirectDraw, INT_MAX);
  EXPECT_DOUBLE_EQ(o.Background[1], 0.25);
  EXPECT_STREQ(o.PreviewType.Text(), "glass");
  EXPECT_STREQ(editor->GetScene()->GetLibraryDir(), "/opt/zavo/library");
}

TEST(NumberPrefix, ConvertsTheLeadingNumberOnly) {
  struct IntCase {
    const char* text;
    int value;
  };
  for (const IntCase& c : {IntCase{"42", 42}, {"  -3x", -3}, {"abc", 0}, {"", 0}, {"+7", 7}, {"2.9", 2},
                           {"- 5", 0}, {"\t12 ", 12}, {"-99999999999", INT_MIN}, {"2147483647", INT_MAX}}) {
    EXPECT_EQ(IntPrefix(c.text), c.value) << '"' << c.text << '"';
  }
  struct RealCase {
    const char* text;
    double value;
  };
  for (const RealCase& c : {RealCase{"1e-3", 0.001}, {"2.9", 2.9}, {".5", 0.5}, {"5.", 5.0}, {"-0.25x", -0.25},
                            {"1e", 1.0}, {"1e+", 1.0}, {"abc", 0.0}, {".", 0.0}, {"nan", 0.0}, {"inf", 0.0},
                            {"1e999", std::numeric_limits<double>::max()}, {"1e-999", 0.0}, {"  +3.5e1", 35.0}}) {
    EXPECT_DOUBLE_EQ(RealPrefix(c.text), c.value) << '"' << c.text << '"';
  }
}

// A global locale with a decimal comma and a thousands separator, as a
// toolkit may set the user's.
struct CommaNumbers : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

class ScopedCommaLocale {
public:
  ScopedCommaLocale() : previous_(std::locale::global(std::locale(std::locale::classic(), new CommaNumbers))) {}
  ~ScopedCommaLocale() { std::locale::global(previous_); }

private:
  std::locale previous_;
};

TEST_F(EditorSettings, ReadAndWriteIgnoreTheGlobalLocale) {
  ScopedCommaLocale comma;
  fakes.winSupp.settings[{"Editor", "GridDim"}] = "1e-3";
  fakes.winSupp.settings[{"Editor.View", "Backgroundr"}] = "0.5";
  driver.Request(45);
  EXPECT_DOUBLE_EQ(editor->options.GridDim, 0.001);
  EXPECT_DOUBLE_EQ(editor->options.Background[0], 0.5);
  editor->options.GridDim = 1234.5;
  driver.Request(46);
  EXPECT_EQ((fakes.winSupp.settings[{"Editor", "GridDim"}]), "1234.5");
  EXPECT_EQ((fakes.winSupp.settings[{"Editor.View", "Backgroundr"}]), "0.5");
}

TEST_F(EditorSettings, SaveWritesEveryKeyInSaveOrder) {
  driver.Request(45);
  fakes.winSupp.writes.clear();
  EXPECT_EQ(driver.Request(46).result, 0);
  const std::vector<std::string> keys = {
      "Editor.Preview Size", "Editor.Preview Type", "Editor.View KeepEdge", "Editor.View UseColor",
      "Editor.View DirectDraw", "Editor.View ShowMode", "Editor.View Backgroundr", "Editor.View Backgroundg",
      "Editor.View Backgroundb", "Editor.View SelectedObjectr", "Editor.View SelectedObjectg",
      "Editor.View SelectedObjectb", "Editor UseGrid", "Editor GridDim", "Editor UseUndo", "Editor UndoFreq",
      "Editor InvertY", "Dir LibraryDir"};
  const std::vector<std::string> texts = {"50", "fast", "1", "1", "0", "1", "1", "1", "1",
                                          "0",  "1",    "0", "0", "0.1", "1", "1", "0", "."};
  std::vector<std::string> writtenKeys, writtenTexts;
  for (const auto& w : fakes.winSupp.writes) {
    writtenKeys.push_back(w.section + " " + w.key);
    writtenTexts.push_back(w.text);
  }
  EXPECT_EQ(writtenKeys, keys);
  EXPECT_EQ(writtenTexts, texts);
}

TEST_F(EditorSettings, SaveThenLoadLeavesEveryFieldUnchanged) {
  CG_GraphicEditorOptions& o = editor->options;
  o.KeepEdge = 0;
  o.UseColor = 0;
  o.DirectDraw = 1;
  o.ShowMode = 2;
  o.Background[0] = 0.2;
  o.Background[1] = 0.35;
  o.Background[2] = 0.9;
  o.SelectedObject[0] = 0.7;
  o.SelectedObject[1] = 0.15;
  o.SelectedObject[2] = 0.05;
  o.UseGrid = 1;
  o.GridDim = 0.123456789;
  o.InvertY = 1;
  o.UseUndo = 0;
  o.UndoFreq = 7;
  o.PreviewType = "glass";
  o.PreviewSize = 64;
  editor->GetScene()->SetLibraryDir("lib dir");
  driver.Request(46);
  EXPECT_EQ((fakes.winSupp.settings[{"Editor", "GridDim"}]), "0.123457");

  auto other = CG_GraphicEditor::Create(0);
  other->SetWinSupp(&fakes.winSupp);
  EditorDriver(*other).Request(45);
  const CG_GraphicEditorOptions& p = other->options;
  EXPECT_EQ(p.KeepEdge, 0);
  EXPECT_EQ(p.UseColor, 0);
  EXPECT_EQ(p.DirectDraw, 1);
  EXPECT_EQ(p.ShowMode, 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(p.Background[i], o.Background[i]);
    EXPECT_DOUBLE_EQ(p.SelectedObject[i], o.SelectedObject[i]);
  }
  EXPECT_EQ(p.UseGrid, 1);
  EXPECT_DOUBLE_EQ(p.GridDim, 0.123457);
  EXPECT_EQ(p.InvertY, 1);
  EXPECT_EQ(p.UseUndo, 0);
  EXPECT_EQ(p.UndoFreq, 7);
  EXPECT_STREQ(p.PreviewType.Text(), "glass");
  EXPECT_EQ(p.PreviewSize, 64);
  EXPECT_STREQ(other->GetScene()->GetLibraryDir(), "lib dir");
}

TEST(EditorSettingsWithoutSupport, LoadAndSaveKeepTheConstructorValues) {
  auto editor = CG_GraphicEditor::Create(0);
  EditorDriver driver(*editor);
  EXPECT_EQ(driver.Request(45).result, 0);
  EXPECT_EQ(driver.Request(46).result, 0);
  EXPECT_EQ(editor->options.KeepEdge, 0);
  EXPECT_EQ(editor->options.UseColor, 1);
  EXPECT_EQ(editor->options.InvertY, 0);
  EXPECT_EQ(editor->GetScene()->GetLibraryDir(), nullptr);
}

}  // namespace
}  // namespace zavo::test
