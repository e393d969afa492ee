// The document's life: New, Open, Save (keeping the previous save as N.bak)
// and Save As. A save never leaves a half-written scene file behind: the text
// goes to a temporary file in the same folder first, and only a complete one
// replaces N.qz. A failed open leaves a fresh unnamed document, so that no
// later save can overwrite the file that failed or the previous scene.

#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "editor/graphic_editor.h"
#include "editor/layers.h"
#include "editor/load_error_text.h"
#include "foundation/atomic_file.h"
#include "foundation/path_resolver.h"

namespace {

std::string PathText(const std::filesystem::path& path) { return path.generic_string(); }

bool IsRegularFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  text = buffer.str();
  return true;
}

}  // namespace

std::filesystem::path CG_GraphicEditor::DocumentFile(const char* suffix) const {
  if (name.Text() == nullptr || *name.Text() == '\0') return {};
  return std::filesystem::path(std::string(name.Text()) + suffix);
}

int CG_GraphicEditor::WriteDocumentFile(const std::filesystem::path& file,
                                        const std::function<bool(std::ostream&)>& write) {
  if (!file.empty() && zavo::WriteFileAtomically(file, write)) return 1;
  Message(("Cannot write " + PathText(file)).c_str());
  return 0;
}

void CG_GraphicEditor::BecomeNewDocument() {
  name = nullptr;
  modified = 0;
  named = 0;
  ClearSelection();
  ResetDocument();
  AddStandardMaterial(scene);
  CreateItems();
  ProjectAllItems();
  for (int v = 0; v < 4; ++v) {
    if (viewModes[v] != 0 && views[v] != nullptr) views[v]->Clear();
  }
  RefreshViews();
  UpdateTitle();
  Layer* layer = NewLayer("default");
  if (layer != nullptr) SetActiveLayer("default");
  AddDefaultCamera();
}

int CG_GraphicEditor::NewScene() {
  if (modified == 1 && Ask("Scene not saved.Delete it ?", "Warning") != 1) return 0;
  BecomeNewDocument();
  return 1;
}

int CG_GraphicEditor::LoadScene(const char* documentName) {
  if (modified == 1) return 0;
  if (documentName == nullptr || *documentName == '\0') return 0;
  // The exact name first, then one whose case differs ("ROOM" opens ROOM.QZ).
  std::string fileName = std::string(documentName) + ".qz";
  if (!IsRegularFile(fileName)) {
    if (const auto found = zavo::ResolvePath(fileName); found && IsRegularFile(*found)) {
      fileName = found->string();
    }
  }
  BeginWait();
  ResetDocument();
  scene.SetName(documentName);
  nameCounters[0] = nameCounters[1] = nameCounters[2] = 0;

  int loaded = 0;
  std::string description;
  int line = 0;
  if (std::ifstream in(fileName, std::ios::binary); in) {
    loaded = scene.Load(in);
    if (loaded == 0) {
      description = scene.GetErrorMessage() != nullptr ? scene.GetErrorMessage() : "";
      line = scene.GetErrorLine();
    }
  } else {
    description = "Cannot open " + fileName;
  }
  if (loaded == 0) {
    Message(zavo::LoadErrorText(description, line).c_str());
    EndWait();
    // Whatever was read is no document: neither this file nor the previous
    // scene's may be written over by a later save.
    BecomeNewDocument();
    return 0;
  }

  name = documentName;
  modified = 0;
  named = 1;
  ClearSelection();
  items.Clear();
  if (scene.GetMaterials().Find("standard") == nullptr) AddStandardMaterial(scene);
  CreateItems();
  LoadEditorState();
  InsertAllItems();
  Layer* standard = FindLayer("default");
  if (standard == nullptr) {
    standard = NewLayer("default");
    for (CG_SceneEditorItem& item : items) standard->Add(&item);
  }
  activeLayer = standard;
  if (CG_GraphicObject* camera = scene.GetCurrentCamera(); camera != nullptr) {
    CG_SceneEditorItem* cameraItem = FindItem(camera);
    if (cameraItem != nullptr && !activeLayer->Holds(cameraItem)) activeLayer->Add(cameraItem);
  }
  UpdateTitle();
  RedrawAll();
  ProjectAllItems();
  for (int v = 0; v < 4; ++v) FillView(v);
  RefreshViews();
  EndWait();
  return 1;
}

int CG_GraphicEditor::SaveScene() {
  // Without a name there is no file to save to (the window layer asks for
  // one and sends Save As).
  if (named != 1 || name.Text() == nullptr || *name.Text() == '\0') return 0;
  const std::filesystem::path target = DocumentFile(".qz");
  const std::filesystem::path backup = DocumentFile(".bak");
  std::filesystem::path pending = target;
  pending.replace_filename("." + target.filename().string() + ".saving");
  const std::string failure = "Cannot write " + PathText(target);

  // 1. The whole scene into a file beside N.qz, checked.
  if (!zavo::WriteFileAtomically(pending, [&](std::ostream& out) {
        scene.Write(out);
        return static_cast<bool>(out);
      })) {
    Message(failure.c_str());
    return 0;
  }
  std::error_code error;
  // 2. The previous save becomes the backup, replacing an older one; N.qz
  // itself stays in place until the new text replaces it.
  if (IsRegularFile(target)) {
    std::string previous;
    const bool copied = ReadWholeFile(target, previous) &&
                        zavo::WriteFileAtomically(backup, [&](std::ostream& out) {
                          return static_cast<bool>(out.write(previous.data(), static_cast<std::streamsize>(previous.size())));
                        });
    if (!copied) {
      std::filesystem::remove(pending, error);
      Message(("Cannot write " + PathText(backup)).c_str());
      return 0;
    }
  }
  // 3. The new text becomes N.qz.
  std::filesystem::rename(pending, target, error);
  if (error) {
    std::filesystem::remove(pending, error);
    Message(failure.c_str());
    return 0;
  }
  SaveEditorState();
  modified = 0;
  return 1;
}

int CG_GraphicEditor::SaveSceneAs(const char* documentName) {
  if (documentName == nullptr || *documentName == '\0') return 0;
  const std::filesystem::path target(std::string(documentName) + ".qz");
  if (WriteDocumentFile(target, [&](std::ostream& out) {
        scene.Write(out);
        return static_cast<bool>(out);
      }) == 0) {
    return 0;
  }
  name = documentName;
  named = 1;
  SaveEditorState();
  modified = 0;
  UpdateTitle();
  scene.SetName(documentName);
  return 1;
}

void CG_GraphicEditor::SaveEditorState() {
  SaveLayers();
  SaveViews();
}

void CG_GraphicEditor::LoadEditorState() {
  LoadLayers();
  LoadViews();
}
