#include "geometry/pbrep_plain.h"

#include <deque>
#include <vector>

#include "foundation/plain_tokens.h"
#include "geometry/brep_model3.h"

namespace zavo {

namespace {

bool Count(PlainTokens& in, int& value) { return in.Integer(value) && value >= 0; }

bool ReadContour(PlainTokens& in, const BRepModel3& mesh, ContourFace3& contour, std::vector<int>& entries) {
  int n = 0;
  if (!in.Mark('{') || !Count(in, n) || n == 0) return false;
  entries.clear();
  for (int i = 0; i < n; ++i) {
    const bool hidden = in.Star();
    int k = 0;
    if (!in.Integer(k) || k < 0 || static_cast<std::uint32_t>(k) >= mesh.vertices.Count()) return false;
    entries.push_back(hidden ? -(k + 1) : k + 1);
  }
  if (!in.Mark('}')) return false;  // normals are the scanner's
  contour.vertices.SetSize(static_cast<std::uint32_t>(entries.size()));
  for (std::uint32_t i = 0; i < contour.vertices.Count(); ++i) contour.vertices[i] = entries[i];
  return true;
}

}  // namespace

int ReadPlainPbrep(std::string_view text, BRepModel3& mesh) {
  PlainTokens in(text);
  mesh.FreeHierarchy();
  mesh.vertices.SetSize(0);
  mesh.faces.SetSize(0);
  int nv = 0;
  if (!in.Mark('{') || !in.Word("pbrep") || !in.Word("vertices") || !Count(in, nv)) return 0;
  // Three numbers of at least two characters each per vertex.
  if (static_cast<std::size_t>(nv) > text.size() / 6) return 0;
  mesh.vertices.SetSize(static_cast<std::uint32_t>(nv));
  for (std::uint32_t i = 0; i < mesh.vertices.Count(); ++i) {
    Point3D& p = mesh.vertices[i];
    if (!in.Number(p.x) || !in.Number(p.y) || !in.Number(p.z)) return 0;
  }
  int nf = 0;
  if (!in.Word("faces") || !Count(in, nf) || nf == 0) return 0;
  // A face takes at least ten characters ("{ 1 { 1 0 } } ").
  if (static_cast<std::size_t>(nf) > text.size() / 10) return 0;
  // Faces are made where they never move: a face copy keeps no normals.
  std::deque<Face3> faces;
  std::vector<int> entries;
  for (int f = 0; f < nf; ++f) {
    int nc = 0;
    if (!in.Mark('{') || !Count(in, nc) || nc == 0) return 0;
    Face3& face = faces.emplace_back();
    for (int c = 0; c < nc; ++c) {
      auto* contour = new ContourFace3;
      face.contours.Append(contour);
      if (!ReadContour(in, mesh, *contour, entries)) return 0;
    }
    if (!in.Mark('}')) return 0;  // a plane of its own is the scanner's
    face.ComputePlane(mesh.vertices);
  }
  if (!in.Mark('}')) return 0;  // an edge list is the scanner's
  mesh.faces.SetSize(static_cast<std::uint32_t>(faces.size()));
  for (std::uint32_t f = 0; f < mesh.faces.Count(); ++f) {
    Face3& to = mesh.faces[f];
    Face3& from = faces[f];
    to.plane = from.plane;
    to.unitNormal = from.unitNormal;
    while (ContourFace3* c = from.contours.RemoveHead()) to.contours.Append(c);
  }
  return 1;
}

}  // namespace zavo
