#include "geometry/brep_model3.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "foundation/runtime_error_box.h"
#include "geometry/hier_builder2.h"
#include "geometry/seqf.h"

namespace {

// The unit normal normalised again; (1, 0, 0) when it has no length.
Point3D Renormalised(const Point3D& n) {
  const double length = Length(n);
  if (length == 0.0) return {1.0, 0.0, 0.0};
  return n * (1.0 / length);
}

}  // namespace

BRepModel3::BRepModel3(const char* meshName) : name(meshName) {}

BRepModel3::BRepModel3(const char* meshName, const Seq<Point3D>& meshVertices, const Seq<Face3>& meshFaces)
    : name(meshName), vertices(meshVertices), faces(meshFaces) {
  UpdateFaces();
}

BRepModel3::BRepModel3(const BRepModel3& other)
    : ListItem(), name(other.name), vertices(other.vertices), faces(other.faces) {
  UpdateFaces();
}

BRepModel3::~BRepModel3() { FreeHierarchy(); }

void BRepModel3::FreeHierarchy() {
  if (hierarchy == nullptr) return;
  layout_.Clear();
  BoxHierBuilder2<int, Seqf>::Free(hierarchy);
  hierarchy = nullptr;
}

void BRepModel3::Clear() {
  FreeHierarchy();
  vertices.SetSize(0);
  faces.SetSize(0);
}

void BRepModel3::CheckVertexNumbers(const char* operation) const {
  const std::uint32_t nv = vertices.Count();
  for (std::uint32_t f = 0; f < faces.Count(); ++f) {
    for (const ContourFace3& c : faces[f].contours) {
      for (std::uint32_t i = 0; i < c.vertices.Count(); ++i) {
        const int e = c.vertices[i];
        if (e == 0 || ContourFace3::VertexIndex(e) >= nv) RuntimeErrorBox(operation);
      }
    }
  }
}

void BRepModel3::UpdateFaces() {
  FreeHierarchy();
  CheckVertexNumbers("BRepModel3::UpdateFaces");
  for (std::uint32_t f = 0; f < faces.Count(); ++f) faces[f].ComputePlane(vertices);
}

GEO_Box BRepModel3::GetBox() const {
  GEO_Box box;
  if (vertices.Count() == 0) return box;
  box.SetPoint(vertices[0]);
  for (std::uint32_t i = 1; i < vertices.Count(); ++i) box.Extend(vertices[i]);
  return box;
}

Point3D BRepModel3::FaceNormal(const BRepIntrInfo3& hit) const {
  if (hit.face < 0 || static_cast<std::uint32_t>(hit.face) >= faces.Count()) {
    RuntimeErrorBox("BRepModel3::FaceNormal");
  }
  return faces[static_cast<std::uint32_t>(hit.face)].unitNormal;
}

void BRepModel3::FacesOfVertex(int v, Seq<Face3*>& out) {
  const auto occurrences = [&](const Face3& face) {
    std::uint32_t n = 0;
    for (const ContourFace3& c : face.contours) {
      for (std::uint32_t i = 0; i < c.vertices.Count(); ++i) {
        if (v >= 0 && ContourFace3::VertexIndex(c.vertices[i]) == static_cast<std::uint32_t>(v)) ++n;
      }
    }
    return n;
  };
  std::uint32_t total = 0;
  for (std::uint32_t f = 0; f < faces.Count(); ++f) total += occurrences(faces[f]);
  out.SetSize(total);
  std::uint32_t at = 0;
  for (std::uint32_t f = 0; f < faces.Count(); ++f) {
    for (std::uint32_t n = occurrences(faces[f]); n > 0; --n) out[at++] = &faces[f];
  }
}

void BRepModel3::BuildEdges() {
  CheckVertexNumbers("BRepModel3::BuildEdges");
  // Per vertex, the signed 1-based higher endpoints of the edges it is the
  // lower endpoint of, in the order met.
  std::vector<std::vector<int>> higher(vertices.Count());
  std::uint32_t count = 0;
  for (std::uint32_t f = 0; f < faces.Count(); ++f) {
    for (const ContourFace3& c : faces[f].contours) {
      const std::uint32_t n = c.vertices.Count();
      for (std::uint32_t i = 0; i < n; ++i) {
        const int s = c.vertices[i];
        const int e = c.vertices[i + 1 == n ? 0 : i + 1];
        std::uint32_t lo = ContourFace3::VertexIndex(s);
        std::uint32_t hi = ContourFace3::VertexIndex(e);
        if (hi < lo) std::swap(lo, hi);
        const int key = static_cast<int>(hi) + 1;
        std::vector<int>& list = higher[lo];
        bool found = false;
        for (int entry : list) {
          if (entry == key || entry == -key) {
            found = true;
            break;
          }
        }
        if (!found) {
          list.push_back(s < 0 ? -key : key);
          ++count;
        }
      }
    }
  }
  edges.SetSize(count);
  std::uint32_t at = 0;
  for (std::uint32_t lo = 0; lo < higher.size(); ++lo) {
    for (int entry : higher[lo]) edges[at++] = {entry, static_cast<std::int32_t>(lo) + 1};
  }
}

void BRepModel3::ComputeVertexNormals(double limit) {
  CheckVertexNumbers("BRepModel3::ComputeVertexNormals");
  const std::uint32_t nv = vertices.Count();
  const std::uint32_t nf = faces.Count();
  // The faces of each vertex, a face once per occurrence, faces in order:
  // the faces of vertex v are around[start[v] .. start[v + 1] - 1].
  std::vector<std::uint32_t> start(static_cast<std::size_t>(nv) + 1, 0);
  for (std::uint32_t f = 0; f < nf; ++f) {
    for (const ContourFace3& c : faces[f].contours) {
      for (std::uint32_t i = 0; i < c.vertices.Count(); ++i) ++start[ContourFace3::VertexIndex(c.vertices[i]) + 1];
    }
  }
  for (std::uint32_t v = 0; v < nv; ++v) start[v + 1] += start[v];
  std::vector<std::uint32_t> around(start[nv]);
  std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
  for (std::uint32_t f = 0; f < nf; ++f) {
    for (const ContourFace3& c : faces[f].contours) {
      for (std::uint32_t i = 0; i < c.vertices.Count(); ++i) around[fill[ContourFace3::VertexIndex(c.vertices[i])]++] = f;
    }
  }
  std::vector<Point3D> unit(nf);
  for (std::uint32_t f = 0; f < nf; ++f) unit[f] = Renormalised(faces[f].unitNormal);

  for (std::uint32_t f = 0; f < nf; ++f) {
    const Point3D& u = unit[f];
    for (ContourFace3& c : faces[f].contours) {
      const std::uint32_t n = c.vertices.Count();
      c.normals.SetSize(n);
      for (std::uint32_t j = 0; j < n; ++j) {
        const std::uint32_t v = ContourFace3::VertexIndex(c.vertices[j]);
        Point3D sum;
        std::uint32_t count = 0;
        for (std::uint32_t k = start[v]; k < start[v + 1]; ++k) {
          const std::uint32_t other = around[k];
          if (other == f) {
            sum += u;
            ++count;
            continue;
          }
          const Point3D& w = unit[other];
          const double d = Dot(w, u);
          const double a = d <= 0.0 ? std::numbers::pi / 2 : (d >= 1.0 ? 0.0 : std::acos(d));
          if (std::fabs(a) < limit) {
            sum += w;
            ++count;
          }
        }
        if (count == 0) RuntimeErrorBox("nv==0");
        c.normals[j] = fVector3<double>(sum.x / count, sum.y / count, sum.z / count);
      }
    }
  }
}
