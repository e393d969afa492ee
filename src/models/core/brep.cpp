#include "models/core/brep.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <system_error>
#include <utility>

#include "foundation/atomic_file.h"
#include "foundation/path_resolver.h"
#include "foundation/plain_tokens.h"
#include "foundation/runtime_error_box.h"
#include "geometry/geo_scanner.h"
#include "geometry/pbrep_plain.h"
#include "scene/material.h"

namespace {

namespace fs = std::filesystem;

std::string Text(const charString& s) { return s.Text() != nullptr ? s.Text() : ""; }

// A new empty mesh; a mesh that cannot be made is an internal error.
std::unique_ptr<BRepModel3> NewMesh(const char* name) {
  std::unique_ptr<BRepModel3> mesh(new (std::nothrow) BRepModel3(name));
  if (!mesh) RuntimeErrorBox("Read error for gbrep");
  return mesh;
}

// Every face has one contour of three entries.
int AllTriangles(const BRepModel3& mesh) {
  for (std::uint32_t i = 0; i < mesh.faces.Count(); ++i) {
    const Face3& face = mesh.faces[i];
    if (face.ContourCount() != 1 || face.contours.First()->vertices.Count() != 3) return 0;
  }
  return 1;
}

// The vertex of a contour entry (either sign).
const Point3D& VertexOf(const BRepModel3& mesh, int entry) {
  return mesh.vertices[ContourFace3::VertexIndex(entry)];
}

// The first three entries of the first contour; a contour of fewer entries
// repeats its last one.
void FirstThree(const Face3& face, int& a, int& b, int& c) {
  const Seq<int>& entries = face.contours.First()->vertices;
  const std::uint32_t last = entries.Count() - 1;
  a = entries[0];
  b = entries[last < 1 ? last : 1];
  c = entries[last < 2 ? last : 2];
}

bool InRange(int i, std::uint32_t count) { return i >= 0 && static_cast<std::uint32_t>(i) < count; }

}  // namespace

GBRep::GBRep(CG_GraphicObjectCommData& data, CG_BRepDescription& d)
    : UniformModelObject(data),
      hierKind_(d.hierKind),
      gridDim_(d.gridDim),
      algorithm_(d.algorithm),
      isInline_(d.isInline),
      progress_(d.progress) {
  std::string failure;
  loaded_ = Load(d, failure);
  if (loaded_) return;
  // Nothing loaded: an empty mesh, so that every query stays in range.
  modelName_ = d.name;
  modelPath_ = d.path;
  costr_ = d.costr;
  mesh_ = NewMesh(d.name.Text());
  bounding_ = std::make_unique<BoundingBox>(box_);
}

int GBRep::Load(CG_BRepDescription& d, std::string& failure) {
  std::unique_ptr<BRepModel3> mesh;
  std::string cache;
  if (d.isInline) {
    if (!d.mesh) {
      failure = "no mesh to load";
      return 0;
    }
    mesh = std::move(d.mesh);
  } else {
    // The file as the case-blind model search found it ("CUBE.BRP").
    const fs::path found = zavo::SideFileName(Text(d.path), "brp");
    const std::string file = found.string();
    std::error_code error;
    std::ifstream in(found, std::ios::in | std::ios::binary);
    if (!in.is_open() || fs::is_directory(found, error)) {
      failure = "cannot find the model " + file;
      return 0;
    }
    mesh = NewMesh(d.name.Text());
    // A file in the writers' plain layout is read without the scanner.
    const std::string text = zavo::ReadWholeStream(in);
    if (!zavo::ReadPlainPbrep(text, *mesh)) {
      std::istringstream again(text);
      GeoScanner scanner(again);
      scanner.Next();
      if (!mesh->Read(scanner)) {
        failure = "Error in pbrep model " + file;
        return 0;
      }
    }
    cache = zavo::SideFileName(Text(d.path), "br_").string();
  }

  isInline_ = d.isInline;
  modelName_ = d.name;
  modelPath_ = d.path;
  mesh_ = std::move(mesh);
  if (mesh_->edges.Count() == 0) mesh_->BuildEdges();
  allTriangles_ = AllTriangles(*mesh_);
  if (allTriangles_) {
    interp_ = d.interp;
    interp_ang_ = d.interp_ang;
    interp_hold_ = d.interp_hold;
    if (interp_ != 0 && mesh_->faces.Count() > 0 &&
        mesh_->faces[0].contours.First()->normals.Count() == 0) {
      mesh_->ComputeVertexNormals(interp_ang_);
    }
  } else {
    interp_ = 0;
    interp_ang_ = zavo::kDefaultCreaseAngle;
    interp_hold_ = 0;
  }
  box_ = mesh_->GetBox();
  if (d.costr != 0.0) BuildFaceHierarchy(d.costr, cache.empty() ? nullptr : cache.c_str());
  bounding_ = std::make_unique<BoundingBox>(box_);
  costr_ = d.costr;
  return 1;
}

void GBRep::BuildFaceHierarchy(double factor, const char* cacheFile) {
  // A cache that cannot be written leaves the hierarchy built in memory.
  const char* kind = hierKind_.Text() != nullptr ? hierKind_.Text() : "";
  if (std::strcmp(kind, "fasthier") == 0) {
    mesh_->BuildHierarchy2(factor, gridDim_, cacheFile, progress_);
  } else if (std::strcmp(kind, "auto") == 0 || std::strcmp(kind, "median") == 0) {
    mesh_->BuildHierarchy2Default(cacheFile, progress_);
    algorithm_ = 3;
  } else {
    mesh_->BuildHierarchy(factor, cacheFile, progress_);
  }
}

void GBRep::CopySettings(CG_BRepDescription& d) const {
  d.isInline = isInline_;
  d.name = modelName_;
  d.path = modelPath_;
  d.costr = costr_;
  d.hierKind = hierKind_;
  d.gridDim = gridDim_;
  d.algorithm = algorithm_;
  d.interp = interp_;
  d.interp_ang = interp_ang_;
  d.interp_hold = interp_hold_;
  d.progress = progress_;
}

void GBRep::GetDescription(CG_BRepDescription& d) {
  CopySettings(d);
  d.mesh.reset();
  if (isInline_) {
    std::unique_ptr<BRepModel3> empty = NewMesh(mesh_->name.Text());
    d.mesh = std::move(mesh_);
    mesh_ = std::move(empty);
  }
}

int GBRep::SetDescription(CG_BRepDescription& d) {
  std::string failure;
  if (!Load(d, failure)) {
    Tell(failure);
    return 0;
  }
  algorithm_ = d.algorithm;
  progress_ = d.progress;
  hierKind_ = d.hierKind;
  gridDim_ = d.gridDim;
  loaded_ = 1;
  return 1;
}

void GBRep::Tell(const std::string& text) const {
  if (progress_ != nullptr) progress_->Message(text.c_str());
}

std::unique_ptr<CG_GraphicObject> GBRep::Clone() const {
  if (isInline_) return nullptr;
  std::unique_ptr<CG_GraphicObjectCommData> data = NewCommData();
  if (!data) return nullptr;
  CG_BRepDescription d;
  CopySettings(d);
  auto copy = std::make_unique<GBRep>(*data, d);
  if (!copy->Loaded()) return nullptr;
  return copy;
}

int GBRep::UpdateModel() {
  if (isInline_) {
    mesh_->UpdateFaces();
  } else {
    const std::string base = Text(modelPath_);
    const fs::path model = zavo::SideFileName(base, "brp");
    const bool written = zavo::WriteFileAtomically(model, [&](std::ostream& os) {
      mesh_->Write(os, 1);
      os << "\n.\n";
      return true;
    });
    if (!written) {
      Tell("cannot write the model " + model.string());
      return 0;
    }
    std::error_code error;
    fs::remove(zavo::SideFileName(base, "br_"), error);
  }
  CG_BRepDescription d;
  GetDescription(d);
  return SetDescription(d);
}

int GBRep::VertexCount() const { return static_cast<int>(mesh_->vertices.Count()); }

void GBRep::Vertex(int i, Point3D& point) const {
  if (InRange(i, mesh_->vertices.Count())) point = mesh_->vertices[static_cast<std::uint32_t>(i)];
}

void GBRep::MeshVertex(int i, Point3D& point) const { Vertex(i - 1, point); }

int GBRep::FaceCount() const { return static_cast<int>(mesh_->faces.Count()); }

int GBRep::FaceLoopCount(int face) const {
  if (!InRange(face, mesh_->faces.Count())) return 0;
  return static_cast<int>(mesh_->faces[static_cast<std::uint32_t>(face)].ContourCount());
}

void GBRep::FaceIndices(int face, int loop, Seq<int>& indices) const {
  const ContourFace3* contour = nullptr;
  if (InRange(face, mesh_->faces.Count()) && loop >= 0) {
    contour = mesh_->faces[static_cast<std::uint32_t>(face)].contours.Nth(static_cast<std::size_t>(loop));
  }
  if (contour == nullptr) RuntimeErrorBox("CF == NULL in GBrep");
  indices = contour->vertices;
}

void GBRep::FaceColour(int, Point3D& colour) const { colour = MaterialColour(); }

void GBRep::Triangle(int i, Point3D& a, Point3D& b, Point3D& c, Point3D& colour) const {
  if (!InRange(i, mesh_->faces.Count())) return;
  int ia = 0, ib = 0, ic = 0;
  FirstThree(mesh_->faces[static_cast<std::uint32_t>(i)], ia, ib, ic);
  a = VertexOf(*mesh_, ia);
  b = VertexOf(*mesh_, ib);
  c = VertexOf(*mesh_, ic);
  colour = MaterialColour();
}

void GBRep::MeshTriangle(int i, int& a, int& b, int& c) const {
  if (InRange(i, mesh_->faces.Count())) FirstThree(mesh_->faces[static_cast<std::uint32_t>(i)], a, b, c);
}

CG_Material* GBRep::MeshMaterial() const { return material != nullptr ? material->model : nullptr; }

int GBRep::HasEdges() const { return mesh_->edges.Count() > 0 ? 1 : 0; }

int GBRep::EdgeCount() const { return static_cast<int>(mesh_->edges.Count()); }

void GBRep::Edge(int i, int& a, int& b) const {
  if (!InRange(i, mesh_->edges.Count())) return;
  const GEO_BRepEdge& edge = mesh_->edges[static_cast<std::uint32_t>(i)];
  a = edge.first;
  b = edge.second;
}

int GBRep::GetPoint(int i, Point3D& point) const {
  if (!InRange(i, mesh_->vertices.Count())) return 0;
  point = mesh_->vertices[static_cast<std::uint32_t>(i)];
  return 1;
}

int GBRep::SetPoint(int i, const Point3D& point) {
  if (!InRange(i, mesh_->vertices.Count())) return 0;
  mesh_->vertices[static_cast<std::uint32_t>(i)] = point;
  return 1;
}
