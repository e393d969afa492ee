// Request 61: every frame of the active layer rendered to B0000.bmp,
// B0001.bmp ... (B the document's name with its folder, or "zavo"). With the
// render parameter mpeg on, each frame becomes its three planes, its BMP is
// deleted, and after the last frame "zavo.par" is written in the working
// directory and mpegenc, beside the program, encodes B.mpg.
//
// The whole export counts as one render: requests that could change the
// scene wait until it has ended, so no animated object it holds goes away
// between two frames.

#include <filesystem>
#include <locale>
#include <ostream>
#include <system_error>

#include "editor/frame_planes.h"
#include "editor/graphic_editor.h"
#include "editor/mpeg_param_file.h"
#include "foundation/atomic_file.h"
#include "foundation/child_process.h"

namespace {

// Puts the animated objects back at the frame and ends the export's hold on
// the request queue, however the export ends.
class FrameRestorer {
public:
  FrameRestorer(CG_GraphicEditor& editor, std::vector<CG_GraphicObject*> objects, int frame)
      : editor_(editor), objects_(std::move(objects)), frame_(frame) {}
  ~FrameRestorer() {
    for (CG_GraphicObject* object : objects_) object->SetFrame(frame_);
    editor_.rendering = 0;
  }
  FrameRestorer(const FrameRestorer&) = delete;
  FrameRestorer& operator=(const FrameRestorer&) = delete;
  const std::vector<CG_GraphicObject*>& Objects() const { return objects_; }

private:
  CG_GraphicEditor& editor_;
  std::vector<CG_GraphicObject*> objects_;
  int frame_;
};

}  // namespace

int CG_GraphicEditor::RunMpegEncoder(const std::string& base) {
  const std::string program = std::string(text.Text() != nullptr ? text.Text() : "") + "mpegenc";
  std::string reason;
  if (zavo::RunProgram(program, {zavo::kMpegParamFile, base + ".mpg"}, reason) == -2) {
    Message(("Cannot run " + program).c_str());
    return 0;
  }
  return 1;
}

int CG_GraphicEditor::ExportAnimation() {
  const std::string base = named == 1 && name.Text() != nullptr && name.Text()[0] != '\0' ? name.Text() : "zavo";
  const bool mpeg = scene.GetParam().mpeg != 0;
  // A plane file that cannot be written ends the export: the encoder would
  // only find the frames incomplete.
  std::string failed;
  {
    std::vector<CG_GraphicObject*> objects;
    for (CG_SceneEditorItem* item : AnimItems()) objects.push_back(item->object);
    rendering = 1;
    const FrameRestorer restorer(*this, std::move(objects), currentFrame);
    for (int k = 0; k < frameCount && failed.empty(); ++k) {
      for (CG_GraphicObject* object : restorer.Objects()) {
        object->SetFrameCount(frameCount);
        object->SetFrame(k);
      }
      const std::string frame = zavo::FrameName(base, k);
      scene.SetOutputImage(frame.c_str());
      RenderActiveLayer();
      scene.ClearOutputImage();
      if (mpeg && zavo::ConvertFrameToYUV(frame, failed)) {
        std::error_code ignored;
        std::filesystem::remove(frame + ".bmp", ignored);
      }
      UpdateTitle();
    }
  }
  if (!failed.empty()) {
    Message(("Cannot write " + failed).c_str());
  } else if (mpeg) {
    const int frames = frameCount > 0 ? frameCount : 0;
    const bool written = zavo::WriteFileAtomically(zavo::kMpegParamFile, [&](std::ostream& os) {
      os.imbue(std::locale::classic());
      zavo::WriteMpegParams(os, base, frames, scene.GetDimX(), scene.GetDimY());
      return true;
    });
    if (written) {
      RunMpegEncoder(base);
    } else {
      Message("Cannot write zavo.par");
    }
  }
  ServeQueuedRequests();
  return 0;
}
