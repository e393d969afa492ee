#pragma once

// The line scanner of the preview: one line of depth, colour and nearest face
// at a time, never a buffer of the whole image.
//
// Line y of an image of height H lies at device height yv = 1 - 2y/H. A face
// takes part in a line when its range of projected y contains yv; its span on
// the line runs between the crossings of its edges (P,Q), (Q,R), (P,R) with
// the line, clipped to [-1, 1]. Samples are taken at x = xa + k s from the
// span's left end xa, s = 2/(W - 1), each into pixel trunc((x + 1)/s),
// evaluated as trunc((xa + 1)/s + k) so that rounding never skips a column; a sample
// wins its pixel when its depth z is above 0 and below the pixel's depth so
// far (1e20 at the start of the line), so of equal depths the first face
// scanned wins. Faces are scanned in the order of their records and, within a
// record, of their triangles. An image one pixel wide samples x = 0 only.
// A drawn pixel gets |0.6 k c| + 0.4 c per channel, c the colour of the
// face's record, k the product of the unit view-plane normal and the face's
// normal; the others show the background colour.

#include <vector>

#include "geometry/point3d.h"
#include "render/preview_data.h"

namespace zavo {

// The device height of line y of an image of the given height.
double LineHeight(int y, int height);

class PreviewScanner {
public:
  // The records must stay as they are while the scanner is used; width and
  // height are at least 1.
  PreviewScanner(const PreviewRecords& records, int width, int height, const Point3D& vpn,
                 const Point3D& background = Point3D{0, 0, 0});

  // Scans line y; the lines must be scanned in order from 0.
  void ScanLine(int y);
  // The colours of the line scanned last.
  const std::vector<Point3D>& Colours() const { return colours_; }
  // The depths of the line scanned last (1e20 where nothing was drawn).
  const std::vector<double>& Depths() const { return depths_; }

private:
  struct FaceRef {
    const CG_GraphicObjectZBData* record;
    const CG_GraphicObjectZBFace* face;
  };

  // Merges the faces first reached on the line into the active ones.
  void HandOver(int line);
  void ScanFace(int f, double yv);
  // Sample at x into pixel p.
  void Sample(int f, double x, int p, double xa, double za, double xb, double zb);

  std::vector<FaceRef> faces_;       // every face, in scanning order
  std::vector<int> byFirstLine_;     // face numbers grouped by their first line
  std::vector<int> lineStart_;       // where each line's group starts; height + 1 entries
  std::vector<int> active_;          // faces whose range has been reached, in scanning order
  std::vector<int> next_;           // scratch of HandOver
  std::vector<double> depths_;
  std::vector<int> nearest_;         // face number, -1 for none
  std::vector<Point3D> colours_;
  Point3D direction_;                // the unit view-plane normal
  Point3D background_;
  double step_;                      // device width of a pixel, 2 / (width - 1)
  int width_;
  int height_;
  int nextLine_ = 0;
};

}  // namespace zavo
