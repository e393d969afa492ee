// The three pixel loops of the ray-traced image: one ray a pixel, adaptive
// supersampling on pixel corners, and distributed sampling (jitter, motion
// blur of anim objects, depth of field).

#include <algorithm>
#include <cmath>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/user_break.h"
#include "render/parallel_rows.h"
#include "render/random.h"
#include "scene/scene.h"

namespace {

double Clamp01(double c) {
  if (!(c >= 0)) return 0;
  return c > 1 ? 1 : c;
}

double MaxDifference(const Point3D& a, const Point3D& b) {
  return std::max({std::fabs(a.x - b.x), std::fabs(a.y - b.y), std::fabs(a.z - b.z)});
}

// The anim objects of a scene during a distributed render with motion blur:
// each one's frame at the start and its trace entries. Puts every anim back
// at its frame when it goes, also after a break.
class MotionBlur {
public:
  MotionBlur(const DblList<CG_GraphicObject>& objects, List<CG_GraphicObjectQZData>& traceList) {
    for (CG_GraphicObject& object : objects) {
      if (!object.IsAnim()) continue;
      Anim anim{&object, object.GetFrame(), {}};
      for (CG_GraphicObjectQZData& entry : traceList) {
        if (entry.source == &object) anim.entries.push_back(&entry);
      }
      anims_.push_back(std::move(anim));
    }
  }
  ~MotionBlur() {
    for (Anim& anim : anims_) Place(anim, anim.base);
  }
  MotionBlur(const MotionBlur&) = delete;
  MotionBlur& operator=(const MotionBlur&) = delete;

  // Every anim at its own start frame moved by r.
  void Shift(double r) {
    for (Anim& anim : anims_) Place(anim, anim.base + r);
  }

private:
  struct Anim {
    CG_GraphicObject* object;
    double base;
    std::vector<CG_GraphicObjectQZData*> entries;
  };

  // Sets the frame and, for an anim traced through declassed parts, makes its
  // entries again from a fresh conversion (in place, same number of parts).
  static void Place(Anim& anim, double frame) {
    anim.object->SetFrame(frame);
    if (anim.object->IsRayTraceable() || anim.entries.empty()) return;
    zavo::DeclassedParts parts;
    if (anim.object->DeclassToRayTraceable(parts)) {
      std::vector<CG_DeclassedGraphicObject*> usable;
      for (long i = 0; i < parts.Size(); ++i) {
        if (parts[i].object != nullptr && zavo::TracedAsSurface(*parts[i].object)) usable.push_back(&parts[i]);
      }
      if (usable.size() == anim.entries.size()) {
        for (std::size_t k = 0; k < usable.size(); ++k) {
          std::unique_ptr<CG_GraphicObjectIntrInfo> record = usable[k]->object->NewIntrInfo();
          if (!record) continue;
          CG_GraphicObjectQZData& entry = *anim.entries[k];
          if (entry.owned) delete entry.object;
          entry.object = usable[k]->object;
          entry.owned = usable[k]->owned;
          entry.record = std::move(record);
          usable[k]->object = nullptr;
          usable[k]->owned = 0;
        }
      }
    }
    zavo::ReleaseDeclassedParts(parts);
  }

  std::vector<Anim> anims_;
};

}  // namespace

Point3D CG_GraphicScene::SampleAt(double x, double y) {
  return Trace(Ray::FromPoints(eyePoint_, PixelRay(x, y)), param_.mode, 1.0);
}

int CG_GraphicScene::RenderSimple() {
  const int dimx = param_.dimx;
  const int threads = TraceThreads();
  PrepareWorkers(threads);
  // One row of colours with one thread; the whole image with more.
  std::vector<Point3D> colours(static_cast<std::size_t>(dimx) * (threads > 1 ? param_.dimy : 1));
  auto rowOf = [&](int y) { return colours.data() + (threads > 1 ? static_cast<std::size_t>(y) * dimx : 0); };
  auto work = [&](int, int first, int end, zavo::RowSink& sink) {
    for (int y = first; y < end; ++y) {
      Point3D* row = rowOf(y);
      for (int x = 0; x < dimx; ++x) {
        // After a break the row is handed over unfinished: its delivery stops.
        if (zavo::BreakRequested()) break;
        row[x] = SampleAt(x + 0.5, y + 0.5);
      }
      if (!sink.Done(y)) return;
    }
  };
  auto deliver = [&](int y) {
    const Point3D* row = rowOf(y);
    for (int x = 0; x < dimx; ++x) PutPixel(x, y, row[x].x, row[x].y, row[x].z);
    ReportLine(y);
    return interface_->UserBreak() || zavo::BreakRequested() ? 0 : 1;
  };
  return zavo::RunRows(param_.dimy, 1, threads, work, deliver);
}

int CG_GraphicScene::RenderAdaptive() {
  const int dimx = param_.dimx;
  const int threads = TraceThreads();
  PrepareWorkers(threads);
  std::vector<Point3D> colours(static_cast<std::size_t>(dimx) * (threads > 1 ? param_.dimy : 1));
  auto rowOf = [&](int y) { return colours.data() + (threads > 1 ? static_cast<std::size_t>(y) * dimx : 0); };
  // A band of rows needs the corner row above its first row: with several
  // threads each band of kBand rows traces that row again.
  constexpr int kBand = 8;
  auto work = [&](int, int first, int end, zavo::RowSink& sink) {
    std::vector<Point3D> above(static_cast<std::size_t>(dimx) + 1);
    std::vector<Point3D> below(static_cast<std::size_t>(dimx) + 1);
    for (int i = 0; i <= dimx; ++i) above[i] = SampleAt(i, first);
    for (int j = first + 1; j <= end; ++j) {
      for (int i = 0; i <= dimx; ++i) below[i] = SampleAt(i, j);
      Point3D* row = rowOf(j - 1);
      for (int i = 0; i < dimx; ++i) {
        if (zavo::BreakRequested()) break;
        row[i] = SubdividePixel(above[i], above[i + 1], below[i], below[i + 1], i, i + 1, j - 1, j,
                                param_.anti_alias - 1);
      }
      std::swap(above, below);
      if (!sink.Done(j - 1)) return;
    }
  };
  auto deliver = [&](int y) {
    const Point3D* row = rowOf(y);
    for (int x = 0; x < dimx; ++x) PutPixel(x, y, row[x].x, row[x].y, row[x].z);
    ReportLine(y);
    return interface_->UserBreak() || zavo::BreakRequested() ? 0 : 1;
  };
  return zavo::RunRows(param_.dimy, threads > 1 ? kBand : param_.dimy, threads, work, deliver);
}

Point3D CG_GraphicScene::SubdividePixel(const Point3D& c00, const Point3D& c10, const Point3D& c01,
                                        const Point3D& c11, double x0, double x1, double y0, double y1,
                                        int level) {
  const Point3D avg = (c00 + c10 + c01 + c11) * 0.25;
  // Also a negative level (a negative "anti_alias" other than -1) ends here.
  if (level <= 0) return avg;
  const double xm = (x0 + x1) / 2;
  const double ym = (y0 + y1) / 2;

  // The five further samples, each traced once, when first needed.
  enum { kCentre, kTop, kLeft, kRight, kBottom };
  const double at[5][2] = {{xm, ym}, {xm, y0}, {x0, ym}, {x1, ym}, {xm, y1}};
  Point3D sample[5];
  bool traced[5] = {false, false, false, false, false};
  auto get = [&](int k) -> const Point3D& {
    if (!traced[k]) {
      sample[k] = SampleAt(at[k][0], at[k][1]);
      traced[k] = true;
    }
    return sample[k];
  };

  const double toll = param_.anti_al_toll;
  Point3D d00 = c00, d10 = c10, d01 = c01, d11 = c11;
  if (MaxDifference(c00, avg) > toll) {
    d00 = SubdividePixel(c00, get(kTop), get(kLeft), get(kCentre), x0, xm, y0, ym, level - 1);
  }
  if (MaxDifference(c10, avg) > toll) {
    d10 = SubdividePixel(get(kTop), c10, get(kCentre), get(kRight), xm, x1, y0, ym, level - 1);
  }
  if (MaxDifference(c01, avg) > toll) {
    d01 = SubdividePixel(get(kLeft), get(kCentre), c01, get(kBottom), x0, xm, ym, y1, level - 1);
  }
  if (MaxDifference(c11, avg) > toll) {
    d11 = SubdividePixel(get(kCentre), get(kRight), get(kBottom), c11, xm, x1, ym, y1, level - 1);
  }
  return (d00 + d10 + d01 + d11) * 0.25;
}

int CG_GraphicScene::RenderDistributed() {
  const int dimx = param_.dimx;
  const int dimy = param_.dimy;
  const bool depthOfField = param_.UseDF != 0;

  // Depth of field: the class of each position (0 not traced yet, 1 in focus,
  // 2 behind, 3 in front) and its colour, for the whole render.
  std::vector<int> classes;
  BitmapManager scratch;
  if (depthOfField) {
    classes.assign(static_cast<std::size_t>(dimx) * static_cast<std::size_t>(dimy), 0);
    scratch.Create(dimx, dimy);
  }
  const double vpnLength = Length(viewReference_.vpn);
  const Point3D planeNormal = viewReference_.vpn * (1.0 / vpnLength);

  // The class of the centre ray at (x, y) and the distance of its hit from the
  // view plane.
  auto classify = [&](double x, double y, double& d) {
    const Ray ray = Ray::FromPoints(eyePoint_, PixelRay(x, y));
    CG_GraphicObjectQZData* hit = FirstIntersection(ray);
    if (hit == nullptr) {
      d = 2 * param_.DFb2;
      return 2;
    }
    d = std::fabs(Dot(ray.PointAt(hit->Record()->Value(0)) - viewReference_.vrp, planeNormal));
    if (d < param_.DFf2) return 3;
    if (d > param_.DFb1) return 2;
    return 1;
  };
  const int fullRadius = zavo::SaturateToInt(dimx * param_.DFSmax);
  auto radius = [&](int pixelClass, double d) {
    if (pixelClass == 3) {
      if (d < param_.DFf1) return fullRadius;
      const double span = param_.DFf2 - param_.DFf1;
      if (span == 0) return fullRadius;
      return zavo::SaturateToInt((param_.DFf2 - param_.DFf1 - (d - param_.DFf1)) * (param_.DFSmax / span) *
                                     dimx + 2);
    }
    if (d > param_.DFb2) return fullRadius;
    const double span = param_.DFb2 - param_.DFb1;
    if (span == 0) return fullRadius;
    return zavo::SaturateToInt(param_.DFSmax / span * (d - param_.DFb1) * dimx + 2);
  };

  std::unique_ptr<MotionBlur> blur;
  if (param_.motionblur != 0) blur = std::make_unique<MotionBlur>(objects_, traceList_);
  const int samples = param_.jitterfreq > 0 ? param_.jitterfreq : 1;

  for (int y = 0; y < dimy; ++y) {
    for (int x = 0; x < dimx; ++x) {
      if (zavo::BreakRequested()) return 0;
      if (blur) blur->Shift(4 * RandomSigned());

      int pixelClass = 1;
      int B = 0;
      if (depthOfField) {
        double d = 0;
        pixelClass = classify(x + 0.5, y + 0.5, d);
        if (pixelClass != 1) B = radius(pixelClass, d);
      }
      Point3D colour;
      if (depthOfField && pixelClass != 1 && B >= 1) {
        Point3D sum;
        int contributors = 0;
        const long jFrom = std::max<long>(0, long{y} - B), jTo = std::min<long>(dimy - 1, long{y} + B);
        const long iFrom = std::max<long>(0, long{x} - B), iTo = std::min<long>(dimx - 1, long{x} + B - 1);
        for (long j = jFrom; j <= jTo; ++j) {
          for (long i = iFrom; i <= iTo; ++i) {
            int& stored = classes[static_cast<std::size_t>(j) * dimx + i];
            if (stored == 0) {
              double d = 0;
              stored = classify(i + 0.5, j + 0.5, d);
              const Point3D c = SampleAt(i + 0.5, j + 0.5);
              scratch.SetPixel(static_cast<int>(i), static_cast<int>(j), static_cast<int>(255 * Clamp01(c.x)),
                               static_cast<int>(255 * Clamp01(c.y)), static_cast<int>(255 * Clamp01(c.z)));
            }
            if (stored != pixelClass) continue;
            int r = 0, g = 0, b = 0;
            scratch.GetPixel(static_cast<int>(i), static_cast<int>(j), r, g, b);
            sum += Point3D{r / 255.0, g / 255.0, b / 255.0};
            ++contributors;
          }
        }
        if (contributors > 0) colour = sum * (1.0 / contributors);
      } else {
        Point3D sum;
        for (int k = 0; k < samples && !zavo::BreakRequested(); ++k) {
          const double r1 = RandomSigned();
          const double r2 = RandomSigned();
          sum += SampleAt(x + 0.5 + r1 * param_.jitterrange, y + 0.5 + r2 * param_.jitterrange);
        }
        colour = sum * (1.0 / samples);
      }
      PutPixel(x, y, colour.x, colour.y, colour.z);
    }
    ReportLine(y);
    if (interface_->UserBreak() || zavo::BreakRequested()) return 0;
  }
  return 1;
}
