#pragma once
// Fakes of the editor's window-side interfaces for tests: scripted choosers,
// dialogs and menus, recording support services, system interface, console and
// drawing surface, recording modules of the four kinds with their factory,
// and a driver that sends requests and mouse records to a document.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "editor/back_to_editor.h"
#include "editor/dialog_controls.h"
#include "editor/editor_injection.h"
#include "editor/editor_modules.h"
#include "editor/fly_menu.h"
#include "editor/graphic_editor.h"
#include "editor/views/raster_image.h"
#include "editor/window_interfaces.h"
#include "scene/system_interface.h"

namespace zavo::test {

// A list chooser: records every Clear, the entries and the titles; answers
// from a queue (by text, by index, or cancel); an empty queue cancels.
class FakeListShower : public CG_ListShower {
public:
  void AnswerText(const std::string& text) { answers_.push_back({text, -1}); }
  void AnswerIndex(int index) { answers_.push_back({std::nullopt, index}); }
  void AnswerCancel() { answers_.push_back({std::nullopt, -1}); }

  void Clear() override;
  void Add(const char* text) override;
  char* Choose(const char* title) override;

  int clears = 0;
  std::vector<std::string> entries;       // since the last Clear
  std::vector<std::string> titles;        // one per Choose
  std::vector<std::vector<std::string>> shown;  // the entries at each Choose

private:
  struct Answer {
    std::optional<std::string> text;
    int index;
  };
  std::deque<Answer> answers_;
};

// A multi-field editor: records title, labels and initial texts of each call;
// answers with scripted texts (OK) or cancels; an empty queue cancels.
class FakeMultiEdit : public CG_MultiEdit {
public:
  void AnswerTexts(std::vector<std::string> texts) { answers_.push_back(std::move(texts)); }
  void AnswerCancel() { answers_.push_back(std::nullopt); }

  int Edit(const char* title, const Seq<charString>& labels, Seq<charString>& texts) override;

  struct Call {
    std::string title;
    std::vector<std::string> labels;
    std::vector<std::string> texts;
  };
  std::vector<Call> calls;

private:
  std::deque<std::optional<std::vector<std::string>>> answers_;
};

// A dialog runner: records each dialog's title and control tree, one line
// per control ("Kind label = value", children of a LogicalSet_obj indented
// by two blanks); then sets the scripted values and presses the scripted
// buttons (by label path "group/label"), and answers OK or cancel. An empty
// queue cancels.
class FakeDialog : public Dialog_obj {
public:
  struct Script {
    std::vector<std::pair<std::string, std::string>> values;  // path, value
    std::vector<std::string> presses;                         // button paths
    bool ok = true;
  };
  void Answer(Script script) { scripts_.push_back(std::move(script)); }
  void AnswerCancel() { scripts_.push_back(Script{{}, {}, false}); }

  int Show(const char* title, gcg_list& controls) override;

  struct Call {
    std::string title;
    std::vector<std::string> tree;
  };
  std::vector<Call> calls;

  // The control tree as FakeDialog records it.
  static std::vector<std::string> Describe(const gcg_list& controls);

private:
  std::deque<Script> scripts_;
};

// A pop-up menu: records each tree (one line per item, indented by two
// blanks per level below the root); answers a path of labels or dismisses.
// An empty queue dismisses.
class FakeFlyMenu : public FlyMenu {
public:
  void AnswerPath(std::vector<std::string> labels) { answers_.push_back(std::move(labels)); }
  void AnswerDismiss() { answers_.push_back(std::nullopt); }

  int Show(const FlyMenuItem& root, Seq<int>& path) override;

  std::vector<std::vector<std::string>> menus;

private:
  std::deque<std::optional<std::vector<std::string>>> answers_;
};

// A console: the lines written and the stored input handler.
class FakeConsole : public Console {
public:
  void Show(int) override { ++shows; }
  void Write(const char* text) override { lines.emplace_back(text != nullptr ? text : ""); }
  void SetInputHandler(InputHandler h) override { handler = std::move(h); }

  int shows = 0;
  std::vector<std::string> lines;
  InputHandler handler;
};

// Support services: titles, status texts, the wait balance, questions with
// answers from a queue (an empty queue answers 0, "no"), an in-memory
// settings store with a log of reads and writes, and scripted Poll answers
// (0 when the queue is empty).
class FakeWinSupp : public CG_WinSupp {
public:
  void SetTitle(const char* text) override { titles.emplace_back(text != nullptr ? text : ""); }
  void SetStatus(const char* text) override { statuses.emplace_back(text != nullptr ? text : ""); }
  void BeginWait() override { ++waitBalance; }
  void EndWait() override { --waitBalance; }
  int Ask(const char* question, const char* title) override;
  void Idle() override {}
  int Poll() override;
  int WriteSetting(const char* section, const char* key, const char* value) override;
  void ReadSetting(const char* section, const char* key, const char* defaultText, charString& result) override;

  std::vector<std::string> titles;
  std::vector<std::string> statuses;
  int waitBalance = 0;
  std::deque<int> askAnswers;
  std::vector<std::pair<std::string, std::string>> questions;  // question, title
  std::deque<int> pollAnswers;
  // (section, key) -> value.
  std::map<std::pair<std::string, std::string>, std::string> settings;
  struct Access {
    std::string section, key, text;  // text: the default read, or the value written
  };
  std::vector<Access> reads;
  std::vector<Access> writes;
};

// The graphic-system interface: status texts, messages, scripted user
// breaks (0 when the queue is empty) and the number of plotted pixels.
class FakeGraphicSystem : public CG_GraphicSystemInterface {
public:
  void Status(const char* text) override { statuses.emplace_back(text != nullptr ? text : ""); }
  void Message(const char* text) override { messages.emplace_back(text != nullptr ? text : ""); }
  std::int32_t UserBreak() override;
  void PlotPixel(int, int, double, double, double) override { ++plotted; }

  std::vector<std::string> statuses;
  std::vector<std::string> messages;
  std::deque<int> breaks;
  long plotted = 0;
};

// A drawing surface that logs every call ("DrawLine 1 2 3 4 255 0 0") and
// draws into a raster image as well. PenLine outside a BeginPen / EndPen pair
// and an unbalanced EndPen fail the test.
class RecordingWireFrameImage : public CG_WireFrameImage {
public:
  RecordingWireFrameImage(int width, int height) : image(width, height) {}
  ~RecordingWireFrameImage() override;

  void Clear() override;
  void DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) override;
  int GetWidth() override;
  int GetHeight() override;
  void DeleteLine() override;
  void DrawXorLine(int x1, int y1, int x2, int y2) override;
  void BeginPen(int r, int g, int b) override;
  void EndPen() override;
  void PenLine(int x1, int y1, int x2, int y2) override;
  void Fill(int r, int g, int b) override;
  void TextSize(const char* text, int& width, int& height) override;
  void DrawText(const char* text, int x, int y) override;
  void ShowBitmap() override;
  void FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) override;

  zavo::RasterWireFrameImage image;
  std::vector<std::string> calls;
  int openPens = 0;
};

// ---- Modules ----

// What a fake module records: one line per call ("Create", "Mouse 2 10 20 65").
struct ModuleLog {
  std::vector<std::string> calls;
};

class FakeObjectModule : public CG_ObjectEditorModule {
public:
  explicit FakeObjectModule(std::string className) : className(std::move(className)) {}
  std::unique_ptr<CG_GraphicObject> Create(CG_GraphicEditor& editor) override;
  CG_GraphicObject* Modify(CG_GraphicEditor& editor, CG_GraphicObject& object, int flag) override;
  int Mouse(CG_GraphicEditor& editor, CG_SceneEditorItem* item, CG_GraphicObject& object,
            CG_ESelectionStatus* status, int view, int x, int y, int flags,
            const Transformation* wrapper) override;

  std::string className;
  ModuleLog log;
  std::unique_ptr<CG_GraphicObject> nextCreate;  // what Create answers (once)
  std::deque<int> mouseAnswers;                   // Mouse answers; 4 when empty
};

class FakeLampModule : public CG_LampEditorModule {
public:
  explicit FakeLampModule(std::string className) : className(std::move(className)) {}
  std::unique_ptr<CG_LightSource> Create(CG_GraphicEditor& editor) override;
  CG_LightSource* Modify(CG_GraphicEditor& editor, CG_LightSource& lamp) override;

  std::string className;
  ModuleLog log;
  std::unique_ptr<CG_LightSource> nextCreate;
};

class FakeMaterialModule : public CG_MaterialEditorModule {
public:
  explicit FakeMaterialModule(std::string className) : className(std::move(className)) {}
  std::unique_ptr<CG_NamedMaterial> Create(CG_GraphicEditor& editor) override;
  CG_NamedMaterial* Modify(CG_GraphicEditor& editor, CG_NamedMaterial& material) override;

  std::string className;
  ModuleLog log;
  std::unique_ptr<CG_NamedMaterial> nextCreate;
  // What Modify answers: the material it was given, or null (nothing done).
  bool modifyKeeps = false;
};

class FakeMappingModule : public CG_MappingEditorModule {
public:
  explicit FakeMappingModule(std::string className) : className(std::move(className)) {}
  std::unique_ptr<CG_MappingMetod> Create(CG_GraphicEditor& editor) override;
  void DrawFrame(CG_GraphicEditor& editor, int view, CG_MappingMetod& mapping, int erase) override;
  int EditInViews(CG_GraphicEditor& editor, int view, int x, int y) override;

  std::string className;
  ModuleLog log;
  std::unique_ptr<CG_MappingMetod> nextCreate;
};

// Installs a module factory that makes a fake module of the list's kind for
// every entry (none for the class names in `refuse`) and records each
// request ("object sphere CG_SphereEditorModule"); the previous factory comes
// back when the object goes away.
class ScopedFakeModuleFactory {
public:
  explicit ScopedFakeModuleFactory(std::vector<std::string> refuse = {});
  ~ScopedFakeModuleFactory();
  ScopedFakeModuleFactory(const ScopedFakeModuleFactory&) = delete;
  ScopedFakeModuleFactory& operator=(const ScopedFakeModuleFactory&) = delete;

  std::shared_ptr<std::vector<std::string>> requests;

private:
  EditorModuleFactory previous_;
};

// The keywords of a module list, in order.
template <class Base>
std::vector<std::string> Keywords(const List<Base>& list) {
  std::vector<std::string> out;
  for (const Base& module : list) out.emplace_back(module.keyword.Text() != nullptr ? module.keyword.Text() : "");
  return out;
}

// ---- Driving a document ----

struct RequestResult {
  int result = 0;
  int value = 0;
  int value2 = 0;
};

// Sends requests and mouse records to a document.
class EditorDriver {
public:
  explicit EditorDriver(BackToEditor& editor) : editor_(editor) {}

  RequestResult Request(int code, const char* text = nullptr, int value = 0);
  // A click is two records: pressed (128), then released (64), with the
  // button's flag (1 left, 2 right) and any extra flags (16 Ctrl, 32 Shift).
  void LeftClick(int view, int x, int y, int extraFlags = 0);
  void RightClick(int view, int x, int y, int extraFlags = 0);
  int Move(int view, int x, int y, int flags = 0);
  int Event(int view, int x, int y, int flags, int kind);

private:
  BackToEditor& editor_;
};

// The whole set of interface fakes, attached to a document in the order the
// window layer attaches its own.
struct EditorFakes {
  FakeGraphicSystem system;
  FakeMultiEdit multiEdit;
  FakeListShower listShower;
  FakeWinSupp winSupp;
  FakeDialog dialog;
  FakeConsole console;
  FakeFlyMenu flyMenu;

  void AttachTo(BackToEditor& editor);
};

// Reads scene text into the editor's scene (1 when it read) and gives each
// object that has no item yet an item in the active layer.
int ReadWithItems(CG_GraphicEditor& editor, const std::string& text);

// The number of elements of a list.
template <class T>
long Count(const DblList<T>& list) {
  long n = 0;
  for (const T& element : list) {
    (void)element;
    ++n;
  }
  return n;
}

}  // namespace zavo::test
