// The depth image: the distance of the nearest hit through every pixel centre,
// written row by row to a raw scratch file, then turned into grey levels
// between the nearest and the farthest hit and saved as "<base>.bmp". The raw
// data goes to a file of this render alone that has no name (render/
// depth_file.h gives its layout): a file "<base>.img" of the user's is never
// touched, and a killed render leaves nothing behind.

#include <ext/stdio_filebuf.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <istream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/side_file.h"
#include "foundation/user_break.h"
#include "render/depth_file.h"
#include "render/output_file.h"
#include "scene/scene.h"

int CG_GraphicScene::CreateDepth() {
  const std::string rawFile = zavo::OutputFileName(*this, ".img");
  if (rawFile.empty()) {
    interface_->Message("No name for the image file");
    return 0;
  }
  int result = 0;
  try {
    result = CreateDepthSteps(rawFile);
  } catch (...) {
    interface_->Message("Unknown exception in CG_GraphicScene::CreateDepth");
    result = 0;
  }
  EndTracing();
  return result;
}

int CG_GraphicScene::CreateDepthSteps(const std::string& rawFile) {
  if (!PrepareTracing()) return 0;
  const int fd = zavo::OpenScratchFile(std::filesystem::path(rawFile).parent_path());
  if (fd < 0) {
    interface_->Message(("Cannot write " + rawFile).c_str());
    return 0;
  }
  // The buffer owns the descriptor from here on and closes it.
  __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::in | std::ios::out | std::ios::binary);
  std::iostream raw(&buffer);
  zavo::DepthRange range;
  zavo::WriteDepthSize(raw, param_.dimx, param_.dimy);
  if (!BeginTracing()) return 0;
  const int finished = RenderDepthRows(raw, range);
  if (finished) {
    endTime_ = Now();
    std::ostringstream times;
    times.imbue(std::locale::classic());
    ReportTimes(times);
    interface_->Message(times.str().c_str());
  }
  FreeGlobalHierarchy();
  if (!finished) {
    if (!raw.flush()) {
      interface_->Message(("Cannot write " + rawFile).c_str());
      return 0;
    }
    interface_->Status("User break");
    return 0;
  }
  if (!raw.flush() || !raw.seekg(0)) {
    interface_->Message(("Cannot write " + rawFile).c_str());
    return 0;
  }
  return SaveDepthBitmap(raw, range);
}

int CG_GraphicScene::RenderDepthRows(std::ostream& raw, zavo::DepthRange& range) {
  const int width = param_.dimx;
  const int height = param_.dimy;
  std::vector<zavo::DepthRecord> row(width > 0 ? width : 0);
  for (int y = 0; y < height && raw; ++y) {
    for (int x = 0; x < width; ++x) {
      if (zavo::BreakRequested()) return 0;
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
    if (interface_->UserBreak() || zavo::BreakRequested()) return 0;
  }
  return raw ? 1 : 0;
}

int CG_GraphicScene::SaveDepthBitmap(std::istream& raw, const zavo::DepthRange& range) {
  const std::string rawFile = zavo::OutputFileName(*this, ".img");
  const std::string file = zavo::OutputFileName(*this, ".bmp");
  const int height = param_.dimy;
  const bool read = zavo::ReadDepthImage(
      raw, param_.dimx, height, range, param_.depthmin, param_.depthmax, param_.depthback, outputImage_,
      [&](int i) {
        const std::string status = "Creating bitmap " + std::to_string(std::int64_t{i} * 100 / height) + "%";
        interface_->Status(status.c_str());
      });
  if (!read) {
    interface_->Message(("Cannot read " + rawFile).c_str());
    return 0;
  }
  if (!outputImage_.Save(file)) {
    interface_->Message(("Cannot write " + file).c_str());
    return 0;
  }
  interface_->Status("");
  return 1;
}
