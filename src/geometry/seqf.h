#pragma once

#include <cstdint>

#include "foundation/seq.h"
#include "geometry/box.h"
#include "geometry/face3.h"
#include "geometry/point3d.h"

// The faces of a mesh as the hierarchy builders see them: the ids 0 .. n - 1
// of the faces, with the face and vertex sequences that give each id its box.
// The sequences are not owned and must outlive the Seqf.
class Seqf {
public:
  // Ids 0 .. faces.Count() - 1 in order.
  Seqf(const Seq<Face3>& faces, const Seq<Point3D>& vertices) : faces_(&faces), vertices_(&vertices) {
    ids.SetSize(faces.Count());
    for (std::uint32_t i = 0; i < faces.Count(); ++i) ids[i] = static_cast<int>(i);
  }

  Seq<int> ids;

  std::uint32_t Count() const { return ids.Count(); }
  // The id of element i.
  int Id(std::uint32_t i) const { return ids[i]; }
  // The box of the face an id names.
  GEO_Box BoxOf(int id) const { return (*faces_)[static_cast<std::uint32_t>(id)].GetBox(*vertices_); }

  const Seq<Face3>& Faces() const { return *faces_; }
  const Seq<Point3D>& Vertices() const { return *vertices_; }

private:
  const Seq<Face3>* faces_;
  const Seq<Point3D>* vertices_;
};
