// The depth image: the distance of the nearest hit through every pixel centre,
// written row by row to the raw file "<base>.img", then turned into grey levels
// between the nearest and the farthest hit and saved as "<base>.bmp". The raw
// file never outlives the render.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/number_text.h"
#include "render/depth_file.h"
#include "render/output_file.h"
#include "scene/scene.h"

namespace {

void RemoveFile(const std::string& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

}  // namespace

int CG_GraphicScene::CreateDepth() {
  const std::string rawFile = zavo::OutputFileName(*this, ".img");
  if (rawFile.empty()) {
    interface_->Message("No name for the image file");
    return 0;
  }
  bool rawCreated = false;
  int result = 0;
  try {
    result = CreateDepthSteps(rawFile, rawCreated);
  } catch (...) {
    interface_->Message("Unknown exception in CG_GraphicScene::CreateDepth");
    result = 0;
  }
  EndTracing();
  // Only a file of this render goes: whatever stood there and could not be
  // opened (a directory, say) stays.
  if (rawCreated) RemoveFile(rawFile);
  return result;
}

int CG_GraphicScene::CreateDepthSteps(const std::string& rawFile, bool& rawCreated) {
  if (!PrepareTracing()) return 0;
  zavo::DepthRange range;
  int finished = 0;
  {
    std::ofstream raw(rawFile, std::ios::binary | std::ios::trunc);
    if (!raw.is_open()) {
      interface_->Message(("Cannot write " + rawFile).c_str());
      return 0;
    }
    rawCreated = true;
    zavo::WriteDepthSize(raw, param_.dimx, param_.dimy);
    if (!BeginTracing()) return 0;
    finished = RenderDepthRows(raw, range);
    raw.close();
    if (raw.fail()) {
      interface_->Message(("Cannot write " + rawFile).c_str());
      return 0;
    }
  }
  if (finished) {
    endTime_ = Now();
    std::ostringstream times;
    times.imbue(std::locale::classic());
    ReportTimes(times);
    interface_->Message(times.str().c_str());
  }
  FreeGlobalHierarchy();
  if (!finished) {
    RemoveFile(rawFile);
    interface_->Status("User break");
    return 0;
  }
  const int saved = SaveDepthBitmap(range);
  RemoveFile(rawFile);
  return saved;
}

int CG_GraphicScene::RenderDepthRows(std::ostream& raw, zavo::DepthRange& range) {
  const int width = param_.dimx;
  const int height = param_.dimy;
  std::vector<zavo::DepthRecord> row(width > 0 ? width : 0);
  for (int y = 0; y < height && raw; ++y) {
    for (int x = 0; x < width; ++x) {
      const Ray ray = Ray::FromPoints(eyePoint_, PixelRay(x + 0.5, y + 0.5));
      zavo::DepthRecord& record = row[x];
      const CG_GraphicObjectQZData* hit = FirstIntersection(ray);
      if (hit == nullptr) {
        record = {1, 0.0};
      } else {
        record = {0, hit->record->Value(0)};
        range.Widen(record.distance);
      }
    }
    zavo::WriteDepthRow(raw, row);
    ReportLine(y);
    if (interface_->UserBreak()) return 0;
  }
  return raw ? 1 : 0;
}

int CG_GraphicScene::SaveDepthBitmap(const zavo::DepthRange& range) {
  const std::string rawFile = zavo::OutputFileName(*this, ".img");
  const std::string file = zavo::OutputFileName(*this, ".bmp");
  std::ifstream raw(rawFile, std::ios::binary);
  std::int32_t width = 0;
  std::int32_t height = 0;
  if (!raw.is_open() || !zavo::ReadDepthSize(raw, width, height) || !outputImage_.Create(width, height)) {
    interface_->Message(("Cannot read " + rawFile).c_str());
    return 0;
  }
  std::vector<zavo::DepthRecord> row(width);
  for (int i = 0; i < height; ++i) {
    if (!zavo::ReadDepthRow(raw, row)) {
      interface_->Message(("Cannot read " + rawFile).c_str());
      return 0;
    }
    for (int j = 0; j < width; ++j) {
      const int grey = range.Grey(row[j], param_.depthmin, param_.depthmax, param_.depthback);
      outputImage_.SetPixel(j, i, grey, grey, grey);
    }
    const std::string status =
        "Creating bitmap " + std::to_string(std::int64_t{i} * 100 / height) + "%";
    interface_->Status(status.c_str());
  }
  if (!outputImage_.Save(file)) {
    interface_->Message(("Cannot write " + file).c_str());
    return 0;
  }
  interface_->Status("");
  return 1;
}
