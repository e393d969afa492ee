// The render command over every mode, the preparation that the traced images
// share, and the road of the ray-traced image from the trace data to the
// written BMP file and the time text.

#include <algorithm>
#include <cstring>
#include <thread>
#include <sstream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/user_break.h"
#include "render/output_file.h"
#include "render/sound_view.h"
#include "scene/render_limits.h"
#include "scene/scene.h"
#include "scene/shading_method.h"

int CG_GraphicScene::Render() {
  renderSucceeded_ = 0;
  // Every long step below (tessellation, mesh booleans, hierarchy builds,
  // the pixel loops) asks for the user's break through this watch.
  const zavo::BreakWatch watch;
  const char* mode = param_.render.Text() != nullptr ? param_.render.Text() : "";
  // The exports see the scene's own view, never the camera's; the three mesh
  // exports answer 0 even when their file was written.
  if (std::strcmp(mode, "vrml") == 0) {
    renderSucceeded_ = ExportVRML() == 1;
    return 0;
  }
  if (std::strcmp(mode, "tgl") == 0) {
    renderSucceeded_ = ExportTGL() == 1;
    return 0;
  }
  if (std::strcmp(mode, "dxf") == 0) {
    renderSucceeded_ = ExportDXF() == 1;
    return 0;
  }
  if (std::strcmp(mode, "t_analysis") == 0) {
    const int result = ExportAnalysis();
    renderSucceeded_ = result == 1;
    return result;
  }
  // Every image is seen through the camera in use, when there is one.
  if (currentCamera_ != nullptr) currentCamera_->GetView(viewReference_);
  int result = 0;
  if (std::strcmp(mode, "raytracing") == 0) {
    const std::string limit = zavo::RenderLimitError(param_);
    if (!limit.empty()) {
      interface_->Message(limit.c_str());
      return 0;
    }
    result = CreateImage();
  } else if (std::strcmp(mode, "preview") == 0) {
    result = CreatePreview();
  } else if (std::strcmp(mode, "depth") == 0) {
    result = CreateDepth();
  } else {
    interface_->Message((std::string("Unknown render mode ") + mode).c_str());
    return 0;
  }
  renderSucceeded_ = result == 1;
  return result;
}

int CG_GraphicScene::CreateImage() {
  int result = 0;
  try {
    result = CreateImageSteps();
  } catch (...) {
    interface_->Message("Unknown exception in CG_GraphicScene::CreateImage");
    result = 0;
  }
  EndTracing();
  return result;
}

int CG_GraphicScene::PrepareTracing() {
  // A view that gives no rays fails before anything is built or written.
  if (!zavo::CheckView(viewReference_, *interface_)) return 0;
  if (!outputImage_.Create(param_.dimx, param_.dimy)) {
    interface_->Message(("Wrong image size " + std::to_string(param_.dimx) + " x " +
                         std::to_string(param_.dimy))
                            .c_str());
    return 0;
  }
  PrepareTraceData();
  if (param_.buildhier != 0) BuildGlobalHierarchy();
  return 1;
}

int CG_GraphicScene::BeginTracing() {
  startTime_ = Now();

  const char* shade = param_.shade.Text() != nullptr ? param_.shade.Text() : "";
  if (!SetShadingMethod(shade)) {
    interface_->Message((std::string("Unknown shading method ") + shade).c_str());
    return 0;
  }
  hitMaterial_ = shadingMethod_->NewMaterial();
  hitRecord_.material = shadingMethod_->NewMaterial();

  int synchronised = 1;
  for (CG_GraphicObjectQZData& entry : traceList_) {
    if (entry.object == nullptr || entry.object->HasMaterialOfClass(*hitMaterial_)) continue;
    const char* name = entry.object->name.Text();
    interface_->Message((std::string("Object ") + (name != nullptr ? name : "") + " not sync").c_str());
    synchronised = 0;
  }
  if (!synchronised) return 0;

  eyePoint_ = EyePoint();
  return 1;
}

int CG_GraphicScene::TraceThreads() {
  if (param_.anti_alias == -1 || param_.UseDistribuiteTS != 0) return 1;
  for (long i = 0; i < lampSequence_.Size(); ++i) {
    if (lampSequence_[i] != nullptr && lampSequence_[i]->ComputesLightItself()) return 1;
  }
  const int threads = threadCount_ > 0 ? threadCount_ : static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(threads, 1, std::max(param_.dimy, 1));
}

void CG_GraphicScene::EndTracing() {
  ReleaseWorkers();
  FreeGlobalHierarchy();
  hitMaterial_.reset();
  hitRecord_.material = std::make_unique<CG_MaterialPhong>();
}

int CG_GraphicScene::CreateImageSteps() {
  const std::string file = zavo::OutputFileName(*this, ".bmp");
  if (file.empty()) {
    interface_->Message("No name for the image file");
    return 0;
  }
  if (!PrepareTracing() || !BeginTracing()) return 0;

  int finished;
  if (param_.anti_alias == -1) {
    finished = RenderDistributed();
  } else if (param_.anti_alias != 0) {
    finished = RenderAdaptive();
  } else {
    finished = RenderSimple();
  }
  if (!finished) return 0;

  endTime_ = Now();
  if (!outputImage_.Save(file)) {
    interface_->Message(("Cannot write " + file).c_str());
    return 0;
  }
  std::ostringstream times;
  times.imbue(std::locale::classic());
  ReportTimes(times);
  interface_->Message(times.str().c_str());
  return 1;
}
