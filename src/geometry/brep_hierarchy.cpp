// How a mesh gets its face hierarchy: loaded from a hierarchy file, or made
// by the level build, the grid build or the median build and saved.

#include <filesystem>
#include <fstream>
#include <ios>
#include <string>

#include "foundation/atomic_file.h"
#include "geometry/brep_model3.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/seqf.h"

namespace {

using Node = BRepModel3::Node;

// The reporter of a procedure: the caller's, or one that ignores everything.
class Reporter {
public:
  explicit Reporter(GeoInterface* progress) : target_(progress != nullptr ? progress : &null_) {}
  // The text is composed whole, then handed over.
  void Status(const std::string& text) { target_->Status(text.c_str()); }

private:
  NullGeoInterface null_;
  GeoInterface* target_;
};

// What loading gave: a tree, or whether a file opened whose content did not fit.
struct LoadResult {
  Node* root = nullptr;
  bool rejected = false;
};

template <class Builder>
LoadResult LoadFrom(const Builder& builder, const char* file, Reporter& reporter) {
  LoadResult result;
  if (file == nullptr) return result;
  std::ifstream in(std::filesystem::path(file), std::ios::in | std::ios::binary);
  if (!in.is_open()) return result;
  reporter.Status(std::string("Loading hierarchy ") + file);
  try {
    result.root = builder.Load(in);
  } catch (const std::ios_base::failure&) {
    result.root = nullptr;  // a file that opens but cannot be read (a directory, an I/O error)
  }
  result.rejected = result.root == nullptr;
  return result;
}

// 1, or 0 when the file could not be written (the old one then stays).
template <class Builder>
int SaveTo(const Builder& builder, const char* file, const Node* root, Reporter& reporter) {
  reporter.Status(std::string("Saving hierarchy ") + file);
  const bool saved = zavo::WriteFileAtomically(std::filesystem::path(file), [&](std::ostream& os) {
    builder.Save(os, root);
    return true;
  });
  return saved ? 1 : 0;
}

// The root counts 1, each first child one more.
int FirstChildDepth(const Node* root) {
  int depth = 0;
  for (const Node* n = root; n != nullptr; n = n->children.Count() > 0 ? n->children[0] : nullptr) ++depth;
  return depth;
}

}  // namespace

int BRepModel3::BuildHierarchy(double factor, const char* file, GeoInterface* progress) {
  FreeHierarchy();
  Seqf seqf(faces, vertices);
  BoxHierBuilder<int, Seqf> builder(&seqf);
  builder.SetInterface(progress);
  builder.SetName(name.Text());
  Reporter reporter(progress);
  const LoadResult loaded = LoadFrom(builder, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  hierarchy = builder.Build(factor);
  if (file != nullptr && hierarchy != nullptr) return SaveTo(builder, file, hierarchy, reporter);
  return 1;
}

int BRepModel3::BuildHierarchy2(double factor, int gridDimension, const char* file, GeoInterface* progress) {
  if (vertices.Count() > 10000) return BuildHierarchy2Default(file, progress);
  if (faces.Count() == 0) return 1;
  FreeHierarchy();
  Seqf seqf(faces, vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetInterface(progress);
  builder.SetName(name.Text());
  Reporter reporter(progress);
  const LoadResult loaded = LoadFrom(builder, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  builder.SetGridDimension(gridDimension);
  hierarchy = builder.Build(factor);
  if (FirstChildDepth(hierarchy) < 3) return BuildHierarchy2Default(file, progress);
  if (file != nullptr) return SaveTo(builder, file, hierarchy, reporter);
  return 1;
}

int BRepModel3::BuildHierarchy2Default(const char* file, GeoInterface* progress) {
  FreeHierarchy();
  Seqf seqf(faces, vertices);
  BoxHierBuilder2<int, Seqf> builder(&seqf);
  builder.SetInterface(progress);
  builder.SetName(name.Text());
  Reporter reporter(progress);
  const LoadResult loaded = LoadFrom(builder, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  hierarchy = builder.BuildAll();
  // Small meshes build faster than they load; a file that did not fit is
  // replaced whatever the size, so that it is not read again and again.
  if (file != nullptr && (vertices.Count() > 6000 || loaded.rejected)) {
    return SaveTo(builder, file, hierarchy, reporter);
  }
  return 1;
}
