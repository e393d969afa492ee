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
#include "render/parallel_rows.h"
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
        // After a break the row is handed over unfinished: its delivery stops.
        if (zavo::BreakRequested()) break;
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
    if (interface_->UserBreak() || zavo::BreakRequested()) return 0;
    return raw ? 1 : 0;
  };
  if (!raw) return 0;
  const int finished = zavo::RunRows(param_.dimy, 1, threads, work, deliver);
  return finished && raw ? 1 : 0;
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
