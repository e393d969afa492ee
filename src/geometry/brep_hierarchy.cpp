// How a mesh gets its face hierarchy: loaded from a hierarchy file, or made
// by the level build, the grid build or the median build and saved.

#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <ios>
#include <string>
#include <vector>

#include "foundation/atomic_file.h"
#include "foundation/user_break.h"
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
  void Message(const std::string& text) { target_->Message(text.c_str()); }

private:
  NullGeoInterface null_;
  GeoInterface* target_;
};

// What loading gave: a tree, or whether a file opened whose content did not fit.
struct LoadResult {
  Node* root = nullptr;
  bool rejected = false;
};

// How far a written box coordinate may lie from the one it was written for:
// the file keeps six significant digits, so rounding moves a value by at most
// half a unit in its sixth digit.
bool WithinRounding(double inner, double written) {
  return std::fabs(inner - written) <= 1e-5 * std::fabs(written);
}

// Whether every face of every leaf lies inside the leaf's box, the box being
// allowed the rounding of its text. A mesh whose vertices moved since the
// file was written leaves faces outside their boxes, which the ray queries
// would then miss.
bool LeavesHoldTheirFaces(const Node* root, const Seqf& seqf) {
  std::vector<const Node*> pending{root};
  while (!pending.empty()) {
    const Node* node = pending.back();
    pending.pop_back();
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      if (node->children[c] != nullptr) pending.push_back(node->children[c]);
    }
    const GEO_Box& leaf = node->box;
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
      const GEO_Box face = seqf.BoxOf(node->elements[e]);
      const bool inside = (face.xmin >= leaf.xmin || WithinRounding(face.xmin, leaf.xmin)) &&
                          (face.xmax <= leaf.xmax || WithinRounding(face.xmax, leaf.xmax)) &&
                          (face.ymin >= leaf.ymin || WithinRounding(face.ymin, leaf.ymin)) &&
                          (face.ymax <= leaf.ymax || WithinRounding(face.ymax, leaf.ymax)) &&
                          (face.zmin >= leaf.zmin || WithinRounding(face.zmin, leaf.zmin)) &&
                          (face.zmax <= leaf.zmax || WithinRounding(face.zmax, leaf.zmax));
      if (!inside) return false;
    }
  }
  return true;
}

// The boxes of a loaded tree made again from the faces, children before their
// parents: a leaf's box is the box of its faces, an interior node's the box of
// its children. The file keeps six digits, so a written box can be smaller
// than what it holds (a face reaching x = 1234.5649 under a box that ends at
// 1234.56), and an edited file can hold any box; the box tests have no
// tolerance for either. A node with nothing below it keeps its box. The file
// itself is not written again.
void FitBoxes(Node* root, const Seqf& seqf) {
  std::vector<Node*> order{root};  // pre-order: every parent before its children
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Node* node = order[i];
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      if (node->children[c] != nullptr) order.push_back(node->children[c]);
    }
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    Node* node = *it;
    bool any = false;
    GEO_Box box;
    const auto add = [&](const GEO_Box& b) {
      if (any) {
        box.ExtendBox(b);
      } else {
        box = b;
        any = true;
      }
    };
    for (std::uint32_t e = 0; e < node->elements.Count(); ++e) add(seqf.BoxOf(node->elements[e]));
    for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
      if (node->children[c] != nullptr) add(node->children[c]->box);
    }
    if (any) node->box = box;
  }
}

// A tree from the file, or null with rejected set when the file opened but
// does not fit the faces: its structure (zavo::LoadHierarchy) or its boxes.
template <class Builder>
LoadResult LoadFrom(const Builder& builder, const Seqf& seqf, const char* file, Reporter& reporter) {
  LoadResult result;
  if (file == nullptr) return result;
  std::ifstream in(std::filesystem::path(file), std::ios::in | std::ios::binary);
  if (!in.is_open()) return result;
  reporter.Status(std::string("Loading hierarchy ") + file);
  try {
    result.root = builder.Load(in);
  } catch (const std::exception&) {
    result.root = nullptr;  // a file that opens but cannot be read (a directory, an I/O error)
  }
  if (result.root != nullptr && !LeavesHoldTheirFaces(result.root, seqf)) {
    delete result.root;
    result.root = nullptr;
  }
  if (result.root != nullptr) FitBoxes(result.root, seqf);
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
  // A cache that cannot be written only costs the next load the build.
  if (!saved && !zavo::BreakRequested()) reporter.Message(std::string("Cannot write the cache ") + file);
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
  const LoadResult loaded = LoadFrom(builder, seqf, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  hierarchy = builder.Build(factor);
  if (zavo::BreakRequested()) return 0;  // a broken build is thrown away with the run
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
  const LoadResult loaded = LoadFrom(builder, seqf, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  builder.SetGridDimension(gridDimension);
  hierarchy = builder.Build(factor);
  if (zavo::BreakRequested()) return 0;
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
  const LoadResult loaded = LoadFrom(builder, seqf, file, reporter);
  if (loaded.root != nullptr) {
    hierarchy = loaded.root;
    return 1;
  }
  reporter.Status("Creating hierarchy");
  hierarchy = builder.BuildAll();
  if (zavo::BreakRequested()) return 0;
  // Small meshes build faster than they load; a file that did not fit is
  // replaced whatever the size, so that it is not read again and again.
  if (file != nullptr && (vertices.Count() > 6000 || loaded.rejected)) {
    return SaveTo(builder, file, hierarchy, reporter);
  }
  return 1;
}
