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
#include "render/parallel_rows.h"
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
  const int width = param_.dimx > 0 ? param_.dimx : 0;
  const int threads = TraceThreads();
  PrepareWorkers(threads);
  // One row of records with one thread; the whole image with more.
  std::vector<zavo::DepthRecord> records(static_cast<std::size_t>(width) * (threads > 1 ? param_.dimy : 1));
  auto rowOf = [&](int y) {
    return records.data() + (threads > 1 ? static_cast<std::size_t>(y) * width : 0);
  };
  auto work = [&](int, int first, int end, zavo::RowSink& sink) {
    for (int y = first; y < end; ++y) {
      zavo::DepthRecord* row = rowOf(y);
      for (int x = 0; x < width; ++x) {
        const Ray ray = Ray::FromPoints(eyePoint_, PixelRay(x + 0.5, y + 0.5));
        const CG_GraphicObjectQZData* hit = FirstIntersection(ray);
        row[x] = hit == nullptr ? zavo::DepthRecord{1, 0.0} : zavo::DepthRecord{0, hit->Record()->Value(0)};
      }
      if (!sink.Done(y)) return;
    }
  };
  std::vector<zavo::DepthRecord> row(static_cast<std::size_t>(width));
  auto deliver = [&](int y) {
    const zavo::DepthRecord* done = rowOf(y);
    for (int x = 0; x < width; ++x) {
      row[x] = done[x];
      if (row[x].miss == 0) range.Widen(row[x].distance);
    }
    zavo::WriteDepthRow(raw, row);
    ReportLine(y);
    if (interface_->UserBreak()) return 0;
    return raw ? 1 : 0;
  };
  if (!raw) return 0;
  const int finished = zavo::RunRows(param_.dimy, 1, threads, work, deliver);
  return finished && raw ? 1 : 0;
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
