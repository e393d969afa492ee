#include "editor_fakes.h"

#include <gtest/gtest.h>

#include <sstream>

#include "editor/layers.h"
#include "editor/text_routines.h"

namespace zavo::test {
namespace {

std::string Str(const char* text) { return text != nullptr ? text : ""; }

// The control of a path "group/label" in the tree, or null.
gcg_obj* FindPath(gcg_list& controls, const std::string& path) {
  const std::size_t slash = path.find('/');
  gcg_obj* control = FindControl(controls, path.substr(0, slash).c_str());
  if (control == nullptr || slash == std::string::npos) return control;
  auto* group = dynamic_cast<LogicalSet_obj*>(control);
  return group != nullptr ? FindPath(group->children, path.substr(slash + 1)) : nullptr;
}

void SetValue(gcg_obj& control, const std::string& value) {
  if (auto* edit = dynamic_cast<Edit_obj*>(&control)) {
    edit->text = value.c_str();
  } else if (auto* check = dynamic_cast<Check_obj*>(&control)) {
    check->state = std::stoi(value);
  } else if (auto* list = dynamic_cast<ListBox_obj*>(&control)) {
    list->selected = value.c_str();
  } else if (auto* colour = dynamic_cast<Color_obj*>(&control)) {
    std::istringstream in(value);
    in.imbue(std::locale::classic());
    in >> colour->r >> colour->g >> colour->b;
  } else if (auto* bar = dynamic_cast<ScrollBar_obj*>(&control)) {
    std::istringstream in(value);
    in.imbue(std::locale::classic());
    in >> bar->value;
  } else {
    ADD_FAILURE() << "the dialog control " << Str(control.label) << " takes no value";
  }
}

void DescribeInto(const gcg_list& controls, const std::string& indent, std::vector<std::string>& out) {
  for (const gcg_obj& control : controls) {
    const std::string label = Str(control.label);
    if (const auto* edit = dynamic_cast<const Edit_obj*>(&control)) {
      out.push_back(indent + "Edit_obj " + label + " = " + Str(edit->text));
    } else if (const auto* check = dynamic_cast<const Check_obj*>(&control)) {
      out.push_back(indent + "Check_obj " + label + " = " + std::to_string(check->state));
    } else if (const auto* colour = dynamic_cast<const Color_obj*>(&control)) {
      out.push_back(indent + "Color_obj " + label + " = " + Str(RealToText(colour->r)) + " " +
                    Str(RealToText(colour->g)) + " " + Str(RealToText(colour->b)));
    } else if (const auto* list = dynamic_cast<const ListBox_obj*>(&control)) {
      std::string line = indent + "ListBox_obj " + label + " = " + Str(list->selected) + " [";
      for (std::uint32_t i = 0; i < list->entries.Count(); ++i) {
        line += (i > 0 ? "|" : "") + Str(list->entries[i]);
      }
      out.push_back(line + "]");
    } else if (const auto* group = dynamic_cast<const LogicalSet_obj*>(&control)) {
      out.push_back(indent + "LogicalSet_obj " + label);
      DescribeInto(group->children, indent + "  ", out);
    } else if (dynamic_cast<const Bitmap_obj*>(&control) != nullptr) {
      out.push_back(indent + "Bitmap_obj " + label);
    } else if (dynamic_cast<const Button_obj*>(&control) != nullptr) {
      out.push_back(indent + "Button_obj " + label);
    } else if (const auto* bar = dynamic_cast<const ScrollBar_obj*>(&control)) {
      out.push_back(indent + "ScrollBar_obj " + label + " = " + Str(RealToText(bar->value)) + " (" +
                    Str(RealToText(bar->from)) + ".." + Str(RealToText(bar->to)) + ")");
    } else {
      out.push_back(indent + "gcg_obj " + label);
    }
  }
}

void DescribeMenu(const FlyMenuItem& item, const std::string& indent, std::vector<std::string>& out) {
  for (unsigned i = 0; i < item.SubCount(); ++i) {
    out.push_back(indent + Str(item.Sub(i).name));
    DescribeMenu(item.Sub(i), indent + "  ", out);
  }
}

}  // namespace

// ---- FakeListShower ----

void FakeListShower::Clear() {
  ++clears;
  entries.clear();
}

void FakeListShower::Add(const char* text) { entries.push_back(Str(text)); }

char* FakeListShower::Choose(const char* title) {
  titles.push_back(Str(title));
  shown.push_back(entries);
  if (answers_.empty()) return nullptr;
  const Answer answer = answers_.front();
  answers_.pop_front();
  if (answer.text) return TextCopy(answer.text->c_str());
  if (answer.index >= 0 && static_cast<std::size_t>(answer.index) < entries.size()) {
    return TextCopy(entries[static_cast<std::size_t>(answer.index)].c_str());
  }
  return nullptr;
}

// ---- FakeMultiEdit ----

int FakeMultiEdit::Edit(const char* title, const Seq<charString>& labels, Seq<charString>& texts) {
  Call call{Str(title), {}, {}};
  for (std::uint32_t i = 0; i < labels.Count(); ++i) call.labels.push_back(Str(labels[i]));
  for (std::uint32_t i = 0; i < texts.Count(); ++i) call.texts.push_back(Str(texts[i]));
  calls.push_back(call);
  if (answers_.empty()) return 0;
  const std::optional<std::vector<std::string>> answer = answers_.front();
  answers_.pop_front();
  if (!answer) return 0;
  EXPECT_EQ(answer->size(), texts.Count()) << "scripted texts for \"" << Str(title) << "\"";
  for (std::uint32_t i = 0; i < texts.Count() && i < answer->size(); ++i) texts[i] = (*answer)[i].c_str();
  return 1;
}

// ---- FakeDialog ----

std::vector<std::string> FakeDialog::Describe(const gcg_list& controls) {
  std::vector<std::string> out;
  DescribeInto(controls, "", out);
  return out;
}

int FakeDialog::Show(const char* title, gcg_list& controls) {
  calls.push_back({Str(title), Describe(controls)});
  if (scripts_.empty()) return 0;
  const Script script = scripts_.front();
  scripts_.pop_front();
  for (const auto& [path, value] : script.values) {
    gcg_obj* control = FindPath(controls, path);
    if (control == nullptr) {
      ADD_FAILURE() << "no control " << path << " in the dialog \"" << Str(title) << "\"";
      continue;
    }
    SetValue(*control, value);
  }
  for (const std::string& path : script.presses) {
    auto* button = dynamic_cast<Button_obj*>(FindPath(controls, path));
    if (button == nullptr) {
      ADD_FAILURE() << "no button " << path << " in the dialog \"" << Str(title) << "\"";
      continue;
    }
    if (button->action) button->action(controls);
  }
  return script.ok ? 1 : 0;
}

// ---- FakeFlyMenu ----

int FakeFlyMenu::Show(const FlyMenuItem& root, Seq<int>& path) {
  std::vector<std::string> tree;
  DescribeMenu(root, "", tree);
  menus.push_back(tree);
  path.SetSize(0);
  if (answers_.empty()) return 0;
  const std::optional<std::vector<std::string>> answer = answers_.front();
  answers_.pop_front();
  if (!answer) return 0;
  const FlyMenuItem* level = &root;
  std::vector<int> indices;
  for (const std::string& label : *answer) {
    int found = -1;
    for (unsigned i = 0; i < level->SubCount(); ++i) {
      if (Str(level->Sub(i).name) == label) {
        found = static_cast<int>(i);
        break;
      }
    }
    if (found < 0) {
      ADD_FAILURE() << "no menu entry " << label;
      return 0;
    }
    indices.push_back(found);
    level = &level->Sub(static_cast<unsigned>(found));
  }
  path.SetSize(static_cast<std::uint32_t>(indices.size()));
  for (std::size_t i = 0; i < indices.size(); ++i) path[static_cast<std::uint32_t>(i)] = indices[i];
  return 1;
}

// ---- FakeWinSupp ----

int FakeWinSupp::Ask(const char* question, const char* title) {
  questions.emplace_back(Str(question), Str(title));
  if (askAnswers.empty()) return 0;
  const int answer = askAnswers.front();
  askAnswers.pop_front();
  return answer;
}

int FakeWinSupp::Poll() {
  if (pollAnswers.empty()) return 0;
  const int answer = pollAnswers.front();
  pollAnswers.pop_front();
  return answer;
}

int FakeWinSupp::WriteSetting(const char* section, const char* key, const char* value) {
  writes.push_back({Str(section), Str(key), Str(value)});
  settings[{Str(section), Str(key)}] = Str(value);
  return 1;
}

void FakeWinSupp::ReadSetting(const char* section, const char* key, const char* defaultText,
                              charString& result) {
  reads.push_back({Str(section), Str(key), Str(defaultText)});
  const auto it = settings.find({Str(section), Str(key)});
  result = it != settings.end() ? it->second.c_str() : defaultText;
}

// ---- FakeGraphicSystem ----

std::int32_t FakeGraphicSystem::UserBreak() {
  if (breaks.empty()) return 0;
  const int answer = breaks.front();
  breaks.pop_front();
  return answer;
}

// ---- RecordingWireFrameImage ----

namespace {
std::string Join(const char* name, std::initializer_list<int> values) {
  std::string line = name;
  for (int v : values) line += " " + std::to_string(v);
  return line;
}
}  // namespace

RecordingWireFrameImage::~RecordingWireFrameImage() {
  EXPECT_EQ(openPens, 0) << "BeginPen without EndPen";
}

void RecordingWireFrameImage::Clear() {
  calls.push_back("Clear");
  image.Clear();
}

void RecordingWireFrameImage::DrawLine(int x1, int y1, int x2, int y2, int r, int g, int b) {
  calls.push_back(Join("DrawLine", {x1, y1, x2, y2, r, g, b}));
  image.DrawLine(x1, y1, x2, y2, r, g, b);
}

int RecordingWireFrameImage::GetWidth() { return image.GetWidth(); }
int RecordingWireFrameImage::GetHeight() { return image.GetHeight(); }

void RecordingWireFrameImage::DeleteLine() {
  calls.push_back("DeleteLine");
  ADD_FAILURE() << "DeleteLine is never called";
}

void RecordingWireFrameImage::DrawXorLine(int x1, int y1, int x2, int y2) {
  calls.push_back(Join("DrawXorLine", {x1, y1, x2, y2}));
  image.DrawXorLine(x1, y1, x2, y2);
}

void RecordingWireFrameImage::BeginPen(int r, int g, int b) {
  calls.push_back(Join("BeginPen", {r, g, b}));
  ++openPens;
  image.BeginPen(r, g, b);
}

void RecordingWireFrameImage::EndPen() {
  calls.push_back("EndPen");
  if (openPens == 0) ADD_FAILURE() << "EndPen without BeginPen";
  else --openPens;
  image.EndPen();
}

void RecordingWireFrameImage::PenLine(int x1, int y1, int x2, int y2) {
  calls.push_back(Join("PenLine", {x1, y1, x2, y2}));
  if (openPens == 0) ADD_FAILURE() << "PenLine outside BeginPen/EndPen";
  image.PenLine(x1, y1, x2, y2);
}

void RecordingWireFrameImage::Fill(int r, int g, int b) {
  calls.push_back(Join("Fill", {r, g, b}));
  image.Fill(r, g, b);
}

void RecordingWireFrameImage::TextSize(const char* text, int& width, int& height) {
  image.TextSize(text, width, height);
}

void RecordingWireFrameImage::DrawText(const char* text, int x, int y) {
  calls.push_back("DrawText " + Str(text) + " " + std::to_string(x) + " " + std::to_string(y));
  image.DrawText(text, x, y);
}

void RecordingWireFrameImage::ShowBitmap() {
  calls.push_back("ShowBitmap");
  ADD_FAILURE() << "ShowBitmap is never called";
}

void RecordingWireFrameImage::FillTriangle(int x1, int y1, int x2, int y2, int x3, int y3, int r, int g, int b) {
  calls.push_back(Join("FillTriangle", {x1, y1, x2, y2, x3, y3, r, g, b}));
  image.FillTriangle(x1, y1, x2, y2, x3, y3, r, g, b);
}

// ---- Modules ----

std::unique_ptr<CG_GraphicObject> FakeObjectModule::Create(CG_GraphicEditor&) {
  log.calls.push_back("Create");
  return std::move(nextCreate);
}

CG_GraphicObject* FakeObjectModule::Modify(CG_GraphicEditor&, CG_GraphicObject& object, int flag) {
  log.calls.push_back("Modify " + Str(object.name) + " " + std::to_string(flag));
  return nullptr;
}

int FakeObjectModule::Mouse(CG_GraphicEditor&, CG_SceneEditorItem*, CG_GraphicObject&, CG_ESelectionStatus*,
                            int view, int x, int y, int flags, const Transformation*) {
  log.calls.push_back(Join("Mouse", {view, x, y, flags}));
  if (mouseAnswers.empty()) return 4;
  const int answer = mouseAnswers.front();
  mouseAnswers.pop_front();
  return answer;
}

std::unique_ptr<CG_LightSource> FakeLampModule::Create(CG_GraphicEditor&) {
  log.calls.push_back("Create");
  return std::move(nextCreate);
}

CG_LightSource* FakeLampModule::Modify(CG_GraphicEditor&, CG_LightSource&) {
  log.calls.push_back("Modify");
  return nullptr;
}

std::unique_ptr<CG_NamedMaterial> FakeMaterialModule::Create(CG_GraphicEditor&) {
  log.calls.push_back("Create");
  return std::move(nextCreate);
}

CG_NamedMaterial* FakeMaterialModule::Modify(CG_GraphicEditor&, CG_NamedMaterial& material) {
  log.calls.push_back("Modify " + Str(material.name));
  return modifyKeeps ? &material : nullptr;
}

std::unique_ptr<CG_MappingMetod> FakeMappingModule::Create(CG_GraphicEditor&) {
  log.calls.push_back("Create");
  return std::move(nextCreate);
}

void FakeMappingModule::DrawFrame(CG_GraphicEditor&, int view, CG_MappingMetod&, int erase) {
  log.calls.push_back(Join("DrawFrame", {view, erase}));
}

int FakeMappingModule::EditInViews(CG_GraphicEditor&, int view, int x, int y) {
  log.calls.push_back(Join("EditInViews", {view, x, y}));
  return 0;
}

ScopedFakeModuleFactory::ScopedFakeModuleFactory(std::vector<std::string> refuse)
    : requests(std::make_shared<std::vector<std::string>>()), previous_(GetEditorModuleFactory()) {
  auto log = requests;
  SetEditorModuleFactory([log, refuse](EditorModuleList list, const char* keyword,
                                       const char* className) -> std::unique_ptr<EditorModule> {
    static const char* const kListNames[] = {"object", "lamp", "material", "mapping"};
    log->push_back(std::string(kListNames[static_cast<int>(list)]) + " " + Str(keyword) + " " + Str(className));
    for (const std::string& refused : refuse) {
      if (refused == Str(className)) return nullptr;
    }
    switch (list) {
      case EditorModuleList::kObject: return std::make_unique<FakeObjectModule>(Str(className));
      case EditorModuleList::kLamp: return std::make_unique<FakeLampModule>(Str(className));
      case EditorModuleList::kMaterial: return std::make_unique<FakeMaterialModule>(Str(className));
      case EditorModuleList::kMapping: return std::make_unique<FakeMappingModule>(Str(className));
    }
    return nullptr;
  });
}

ScopedFakeModuleFactory::~ScopedFakeModuleFactory() { SetEditorModuleFactory(previous_); }

// ---- EditorDriver ----

RequestResult EditorDriver::Request(int code, const char* text, int value) {
  EDCommand command;
  command.code = code;
  command.text = text;
  command.value = value;
  RequestResult out;
  out.result = editor_.Command(command);
  out.value = command.value;
  out.value2 = command.value2;
  return out;
}

int EditorDriver::Event(int view, int x, int y, int flags, int kind) {
  MouseEventRecord record;
  record.x = x;
  record.y = y;
  record.flags = flags;
  record.kind = kind;
  record.view = view;
  return editor_.MouseEvent(record);
}

void EditorDriver::LeftClick(int view, int x, int y, int extraFlags) {
  Event(view, x, y, kMouseLeft | kMousePressed | extraFlags, 1);
  Event(view, x, y, kMouseLeft | kMouseReleased | extraFlags, 1);
}

void EditorDriver::RightClick(int view, int x, int y, int extraFlags) {
  Event(view, x, y, kMouseRight | kMousePressed | extraFlags, 2);
  Event(view, x, y, kMouseRight | kMouseReleased | extraFlags, 2);
}

int EditorDriver::Move(int view, int x, int y, int flags) { return Event(view, x, y, flags, 0); }

void EditorFakes::AttachTo(BackToEditor& editor) {
  editor.SetGraphicSystem(&system);
  editor.SetMultiEdit(&multiEdit);
  editor.SetListShower(&listShower);
  editor.SetWinSupp(&winSupp);
  editor.SetDialog(&dialog);
  editor.SetConsole(&console);
  editor.SetFlyMenu(&flyMenu);
}

int ReadWithItems(CG_GraphicEditor& editor, const std::string& text) {
  std::istringstream in(text);
  if (editor.scene.Get(in) == 0) return 0;
  for (CG_GraphicObject& object : editor.scene.GetObjects()) {
    if (editor.FindItem(&object) != nullptr) continue;
    CG_SceneEditorItem* item = editor.CreateItem(&object);
    if (item == nullptr) continue;
    editor.InsertItem(item);
    if (editor.activeLayer != nullptr) editor.activeLayer->Add(item);
  }
  return 1;
}

}  // namespace zavo::test
