// The scan-line preview: every object as indexed meshes, cut to the part in
// front of the eye and between the planes, projected by the view, drawn line
// by line with a depth buffer of one line and flat-shaded by the view
// direction on the background colour; the image is saved as "<base>.bmp".

#include <locale>
#include <sstream>
#include <string>

#include "foundation/side_file.h"
#include "foundation/user_break.h"
#include "render/output_file.h"
#include "render/preview_data.h"
#include "render/preview_scanner.h"
#include "render/preview_view.h"
#include "render/sound_view.h"
#include "scene/graphic_object.h"
#include "scene/material.h"
#include "scene/scene.h"
#include "scene/shading_method.h"

namespace {

// M times its inverse, four lines of four numbers each followed by a blank.
void WritePreviewLog(const Transformation& m, const Transformation& inverse) {
  std::ostringstream log;
  log.imbue(std::locale::classic());
  const Transformation product = m * inverse;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) log << product(r, c) << ' ';
    log << '\n';
  }
  (void)zavo::WriteLogFile("preview.log", log.str());
}

}  // namespace

int CG_GraphicScene::CreatePreview() {
  zavo::PreviewRecords records;
  try {
    // A view that gives no projection fails before anything is made.
    if (!zavo::CheckView(viewReference_, *interface_)) return 0;
    interface_->Status("Initializing data");
    zavo::CollectPreviewRecords(*this, records);
    const int W = param_.dimx;
    const int H = param_.dimy;

    startTime_ = Now();
    if (!SetShadingMethod(param_.shade.Text())) {
      interface_->Message(
          (std::string("Unknown shading method ") + zavo::NameText(param_.shade)).c_str());
      return 0;
    }
    // The material check only needs a material of the method's model.
    const std::unique_ptr<CG_Material> working = shadingMethod_->NewMaterial();
    int failed = 0;
    for (const auto& record : records) {
      if (!record->object->HasMaterialOfClass(*working)) {
        interface_->Message(
            (std::string("Object ") + zavo::NameText(record->object->name) + " not sync").c_str());
        failed = 1;
      }
    }
    if (failed) return 0;

    if ((outputImage_.Width() != W || outputImage_.Height() != H) && !outputImage_.Create(W, H)) {
      interface_->Message(("Cannot make an image of " + std::to_string(W) + " x " +
                           std::to_string(H) + " pixels")
                              .c_str());
      return 0;
    }

    const zavo::PreviewDepths depths =
        zavo::ChoosePreviewDepths(viewReference_, zavo::FarthestAhead(records, viewReference_));
    const Transformation m = zavo::PreviewMatrix(viewReference_, depths);
    if (!zavo::FiniteMatrix(m)) {
      interface_->Message(zavo::kDegenerateView);
      return 0;
    }
    // Planes that leave no volume draw nothing: the records keep no faces.
    if (!depths.empty) {
      for (const auto& record : records) record->Prepare(m);
    }
    const Transformation inverse = m.Inverse();
    inverseViewMatrix_ = inverse;
    WritePreviewLog(m, inverse);

    zavo::PreviewScanner scanner(records, W, H, viewReference_.vpn, Background());
    for (int y = 0; y < H; ++y) {
      if (zavo::BreakRequested()) return 0;
      interface_->Status(("Line = " + std::to_string(y)).c_str());
      scanner.ScanLine(y);
      const std::vector<Point3D>& line = scanner.Colours();
      for (int x = 0; x < W; ++x) PutPixel(x, y, line[x].x, line[x].y, line[x].z);
    }

    endTime_ = Now();
    std::ostringstream times;
    times.imbue(std::locale::classic());
    ReportTimes(times);
    interface_->Message(times.str().c_str());

    const std::string file = zavo::OutputFileName(*this, ".bmp");
    if (file.empty() || !outputImage_.Save(file)) {
      interface_->Message(("Cannot write " + (file.empty() ? std::string(".bmp") : file)).c_str());
      return 0;
    }
    return 1;
  } catch (...) {
    // A view whose matrix has no inverse ends up here, among others.
    records.clear();
    interface_->Message("Unknown exception in CG_GraphicScene::CreateImage");
    return 0;
  }
}
