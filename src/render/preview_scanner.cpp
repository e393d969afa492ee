#include "render/preview_scanner.h"

#include <algorithm>
#include <cmath>

#include "foundation/number_text.h"

namespace zavo {

namespace {

constexpr double kFarDepth = 1e20;

}  // namespace

double LineHeight(int y, int height) { return 1.0 - 2.0 * y / height; }

PreviewScanner::PreviewScanner(const PreviewRecords& records, int width, int height,
                               const Point3D& vpn, const Point3D& background)
    : lineStart_(static_cast<std::size_t>(height) + 1, 0),
      depths_(static_cast<std::size_t>(width), kFarDepth),
      nearest_(static_cast<std::size_t>(width), -1),
      colours_(static_cast<std::size_t>(width)),
      direction_(vpn * (1 / Length(vpn))),
      background_(background),
      step_(width > 1 ? 2.0 / (width - 1) : 2.0),
      width_(width),
      height_(height) {
  for (const auto& record : records) {
    for (const CG_GraphicObjectZBFace& face : record->faces) faces_.push_back({record.get(), &face});
  }
  // The first line of a face is the first whose height is not above the
  // face's top; line heights fall from line to line, so from there on each
  // line lies below the top, and the face takes part until a line falls
  // below its bottom. A face without such a line never takes part.
  std::vector<int> first(faces_.size(), height);
  for (std::size_t f = 0; f < faces_.size(); ++f) {
    const CG_GraphicObjectZBFace& face = *faces_[f].face;
    int lo = 0;
    int hi = height;
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (LineHeight(mid, height) <= face.ymax) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    if (lo < height && face.ymin <= LineHeight(lo, height)) {
      first[f] = lo;
      ++lineStart_[static_cast<std::size_t>(lo) + 1];
    }
  }
  for (int y = 0; y < height; ++y) lineStart_[y + 1] += lineStart_[y];
  byFirstLine_.assign(static_cast<std::size_t>(lineStart_[height]), 0);
  std::vector<int> fill(lineStart_.begin(), lineStart_.end() - 1);
  for (std::size_t f = 0; f < faces_.size(); ++f) {
    if (first[f] < height) byFirstLine_[fill[first[f]]++] = static_cast<int>(f);
  }
}

void PreviewScanner::ScanLine(int y) {
  const double yv = LineHeight(y, height_);
  std::fill(depths_.begin(), depths_.end(), kFarDepth);
  std::fill(nearest_.begin(), nearest_.end(), -1);

  // The faces of this line in scanning order: hand over those first reached
  // on the lines up to this one, then drop those whose bottom lies above it
  // (lines only fall, so a dropped face never comes back).
  for (; nextLine_ <= y && nextLine_ < height_; ++nextLine_) HandOver(nextLine_);
  std::erase_if(active_, [&](int f) { return !(faces_[f].face->ymin <= yv); });
  for (int f : active_) {
    const CG_GraphicObjectZBData& record = *faces_[f].record;
    if (record.ymin <= yv && yv <= record.ymax) ScanFace(f, yv);
  }

  for (int x = 0; x < width_; ++x) {
    const int f = nearest_[x];
    if (f < 0) {
      colours_[x] = background_;
      continue;
    }
    const Point3D& c = faces_[f].record->colour;
    const double k = Dot(direction_, faces_[f].face->normal);
    colours_[x] = Point3D{std::fabs(0.6 * k * c.x) + 0.4 * c.x, std::fabs(0.6 * k * c.y) + 0.4 * c.y,
                          std::fabs(0.6 * k * c.z) + 0.4 * c.z};
  }
}

void PreviewScanner::HandOver(int line) {
  const int* j = byFirstLine_.data() + lineStart_[line];
  const int* end = byFirstLine_.data() + lineStart_[line + 1];
  if (j == end) return;
  next_.clear();
  std::size_t i = 0;
  while (i < active_.size() || j != end) {
    if (j == end || (i < active_.size() && active_[i] < *j)) {
      next_.push_back(active_[i++]);
    } else {
      next_.push_back(*j++);
    }
  }
  active_.swap(next_);
}

void PreviewScanner::ScanFace(int f, double yv) {
  const CG_GraphicObjectZBData& record = *faces_[f].record;
  const CG_GraphicObjectZBFace& face = *faces_[f].face;
  const Point3D& P = record.points[face.index[0]];
  const Point3D& Q = record.points[face.index[1]];
  const Point3D& R = record.points[face.index[2]];
  const Point3D* edges[3][2] = {{&P, &Q}, {&Q, &R}, {&P, &R}};

  int crossings = 0;
  double xa = 0;
  double za = 0;
  double xb = 0;
  double zb = 0;
  for (const auto& edge : edges) {
    const Point3D& a = *edge[0];
    const Point3D& b = *edge[1];
    if (a.y == b.y) continue;
    const double lo = a.y < b.y ? a.y : b.y;
    const double hi = a.y < b.y ? b.y : a.y;
    if (!(lo <= yv && yv <= hi)) continue;
    const double x = a.x + (b.x - a.x) * (yv - a.y) / (b.y - a.y);
    const double z = a.z + (b.z - a.z) * (yv - a.y) / (b.y - a.y);
    if (crossings++ == 0) {
      xa = xb = x;
      za = zb = z;
    } else if (x < xa) {
      xa = x;
      za = z;
    } else if (x > xb) {
      xb = x;
      zb = z;
    }
  }
  if (crossings < 2) return;
  if ((xa < -1 && xb < -1) || (xa > 1 && xb > 1)) return;
  if (xa != xb) {
    const double x0 = xa;
    const double z0 = za;
    const double x1 = xb;
    const double z1 = zb;
    if (xa < -1) {
      za = z0 + (z1 - z0) * (-1 - x0) / (x1 - x0);
      xa = -1;
    }
    if (xb > 1) {
      zb = z0 + (z1 - z0) * (1 - x0) / (x1 - x0);
      xb = 1;
    }
  }
  if (!(xa < xb)) return;

  if (width_ == 1) {
    // One column: its only sample is the device centre.
    if (xa <= 0 && 0 <= xb) Sample(f, 0, 0, xa, za, xb, zb);
    return;
  }
  // Sample k lies at x = xa + k s, in pixel trunc((x + 1)/s) = trunc(u + k)
  // with u = (xa + 1)/s. Summing u and k keeps rounding from moving a sample
  // into the column of its neighbour (as (xa + k s + 1)/s can), which would
  // leave columns empty: a span clipped at -1 starts exactly at pixel 0 and
  // takes one column per step.
  const double u = (xa + 1) / step_;
  for (int k = 0;; ++k) {
    const double x = xa + k * step_;
    if (!(x <= xb)) break;
    Sample(f, x, SaturateToInt(u + k), xa, za, xb, zb);
  }
}

void PreviewScanner::Sample(int f, double x, int p, double xa, double za, double xb, double zb) {
  const double z = za + (zb - za) * (x - xa) / (xb - xa);
  if (p < 0 || p >= width_) return;
  if (z > 0 && z < depths_[p]) {
    depths_[p] = z;
    nearest_[p] = f;
  }
}

}  // namespace zavo
