// The render command and the road of the ray-traced image, from the trace
// data to the written BMP file and the time text.

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

#include "foundation/number_text.h"
#include "scene/scene.h"
#include "scene/shading_method.h"

namespace {

bool Finite(const Point3D& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Whether the view gives usable rays: a view-plane normal of non-zero length
// that is not parallel to the up vector, and a finite eye point.
bool SoundView(const CG_ViewReference& view) {
  const double n = Length(view.vpn);
  const double u = Length(Cross(view.vup, view.vpn));
  return std::isfinite(n) && n > 0 && std::isfinite(u) && u > 0 && Finite(view.vrp) && Finite(view.prp);
}

}  // namespace

int CG_GraphicScene::Render() {
  renderSucceeded_ = 0;
  const char* mode = param_.render.Text() != nullptr ? param_.render.Text() : "";
  // The exports ("vrml", "tgl", "dxf", "t_analysis") go before this line: they
  // do not take the camera's view. Every image is seen through the camera in
  // use, when there is one.
  if (currentCamera_ != nullptr) currentCamera_->GetView(viewReference_);
  if (std::strcmp(mode, "raytracing") == 0) {
    const int result = CreateImage();
    renderSucceeded_ = result == 1;
    return result;
  }
  interface_->Message((std::string("Unknown render mode ") + mode).c_str());
  return 0;
}

int CG_GraphicScene::CreateImage() {
  int result = 0;
  try {
    result = CreateImageSteps();
  } catch (...) {
    interface_->Message("Unknown exception in CG_GraphicScene::CreateImage");
    result = 0;
  }
  // Whatever happened, the hierarchy and the working materials go.
  FreeGlobalHierarchy();
  hitMaterial_.reset();
  hitRecord_.material = std::make_unique<CG_MaterialPhong>();
  return result;
}

int CG_GraphicScene::CreateImageSteps() {
  const char* base = outputImageName_.Text() != nullptr ? outputImageName_.Text() : name_.Text();
  if (base == nullptr || base[0] == '\0') {
    interface_->Message("No name for the image file");
    return 0;
  }
  const std::string file = std::string(base) + ".bmp";
  if (!outputImage_.Create(param_.dimx, param_.dimy)) {
    interface_->Message(("Wrong image size " + std::to_string(param_.dimx) + " x " +
                         std::to_string(param_.dimy))
                            .c_str());
    return 0;
  }

  PrepareTraceData();
  if (param_.buildhier != 0) BuildGlobalHierarchy();
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

  if (!SoundView(viewReference_)) {
    interface_->Message("Degenerate view");
    return 0;
  }
  eyePoint_ = EyePoint();

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
