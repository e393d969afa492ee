#pragma once

// The private scene of a material preview, shared by the material library and
// the material module: a scene over a registry of its own (BuildRegistry
// alone) that knows the editor scene's texture path, model path and library
// directory as absolute paths, so that it can be read and rendered with the
// preview folder as working directory.

#include <filesystem>

#include "scene/registry.h"
#include "scene/scene.h"
#include "scene/system_interface.h"

class BitmapManager;
class CG_MaterialPhong;

namespace zavo {

// Changes the working directory and restores the previous one when it goes
// away, whichever way the caller leaves (an exception included).
class WorkingDirectoryGuard {
public:
  explicit WorkingDirectoryGuard(const std::filesystem::path& dir);
  ~WorkingDirectoryGuard();
  WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
  WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

  // Whether the working directory is now dir.
  bool Changed() const { return changed_; }

private:
  std::filesystem::path previous_;
  bool known_ = false;
  bool changed_ = false;
};

// The path of a text ("\" read as "/"; null as "") made absolute against the
// working directory, so that it keeps its meaning in another one.
std::filesystem::path AbsolutePath(const char* text);

class PreviewScene {
public:
  // The editor scene gives the paths and the user-break test of the render.
  explicit PreviewScene(const CG_GraphicScene& editorScene);
  PreviewScene(const PreviewScene&) = delete;
  PreviewScene& operator=(const PreviewScene&) = delete;

  CG_GraphicScene& Scene() { return scene_; }
  // The absolute library directory and its preview folder "mpreview".
  const std::filesystem::path& Library() const { return library_; }
  std::filesystem::path Folder() const { return library_ / "mpreview"; }

  // Reads a scene file into the scene: 1 on success.
  int Read(const std::filesystem::path& file);
  // The Phong model of the scene's material named "preview", or null.
  CG_MaterialPhong* PreviewMaterial();
  // Renders side x side pixels by the scene's own render mode under the
  // output name and loads "<output>.bmp" into the image: 1 when the render
  // wrote the file and it loaded, else 0 with the image as it was.
  int Render(const std::filesystem::path& output, int side, BitmapManager& image);

private:
  // Asks the editor's interface whether the user wants to stop; shows
  // nothing, so that the preview's rows and time stay out of the render
  // window and the message box.
  class BreakOnly : public CG_NullGraphicSystemInterface {
  public:
    explicit BreakOnly(CG_GraphicSystemInterface& editor) : editor_(editor) {}
    std::int32_t UserBreak() override { return editor_.UserBreak(); }

  private:
    CG_GraphicSystemInterface& editor_;
  };

  // A registry filled before the scene that reads it is made.
  struct FilledRegistry {
    FilledRegistry();
    CG_ModelRegistry modules;
  };

  std::filesystem::path library_;
  BreakOnly interface_;
  FilledRegistry registry_;
  CG_GraphicScene scene_;
};

}  // namespace zavo
