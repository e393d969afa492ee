#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "geometry/hier_builder.h"
#include "geometry/hier_builder2.h"
#include "geometry/hier_file.h"
#include "geometry/seqf.h"
#include "mesh_fixtures.h"

namespace {

using Node = HierNode<int, GEO_Box>;
using zavo::test::Recorder;

// A root with two leaves (0 1) and (2), the first leaf's next link the second.
const char kExample[] =
    "4\n"
    "1\n"
    "1\n"
    "[ 0 , 3 , 0 , 1 , 0 , 1 ]\n"
    "0\n"
    "1\n"
    "2\n"
    "2 3 \n"
    "2\n"
    "[ 0 , 2 , 0 , 1 , 0 , 1 ]\n"
    "3\n"
    "0\n"
    "2\n"
    "0 1 \n"
    "3\n"
    "[ 2 , 3.5 , 0 , 1 , 0 , 1 ]\n"
    "0\n"
    "0\n"
    "1\n"
    "2 \n";

Node* Leaf(std::vector<int> ids, GEO_Box box) {
  Node* n = new Node;
  n->elements.SetSize(static_cast<std::uint32_t>(ids.size()));
  for (std::uint32_t i = 0; i < n->elements.Count(); ++i) n->elements[i] = ids[i];
  n->box = box;
  return n;
}

Node* Parent(std::vector<Node*> children, GEO_Box box) {
  Node* n = new Node;
  n->children.SetSize(static_cast<std::uint32_t>(children.size()));
  for (std::uint32_t i = 0; i < n->children.Count(); ++i) n->children[i] = children[i];
  n->box = box;
  return n;
}

std::string Save(const Node* root) {
  std::ostringstream os;
  zavo::SaveHierarchy(os, root);
  return os.str();
}

Node* Load(const std::string& text, std::uint32_t faces) {
  std::istringstream in(text);
  return zavo::LoadHierarchy(in, faces);
}

// The tree in pre-order: each node's ids or child numbers and its next link,
// nodes named by their pre-order number.
std::string Structure(const Node* root) {
  std::vector<const Node*> order;
  std::vector<const Node*> stack{root};
  while (!stack.empty()) {
    const Node* n = stack.back();
    stack.pop_back();
    order.push_back(n);
    for (std::uint32_t c = n->children.Count(); c > 0; --c) stack.push_back(n->children[c - 1]);
  }
  std::map<const Node*, int> number;
  for (std::size_t i = 0; i < order.size(); ++i) number[order[i]] = static_cast<int>(i) + 1;
  std::string s;
  for (const Node* n : order) {
    s += std::to_string(number[n]) + (n->children.Count() ? " [" : " (");
    for (std::uint32_t c = 0; c < n->children.Count(); ++c) s += " " + std::to_string(number[n->children[c]]);
    for (std::uint32_t e = 0; e < n->elements.Count(); ++e) s += " " + std::to_string(n->elements[e]);
    s += " ] next " + (n->next ? std::to_string(number.count(n->next) ? number[n->next] : -1) : std::string("0")) +
         "\n";
  }
  return s;
}

TEST(HierarchyFile, SavesTheExample) {
  Node* second = Leaf({2}, {2, 3.5, 0, 1, 0, 1});
  Node* first = Leaf({0, 1}, {0, 2, 0, 1, 0, 1});
  first->next = second;
  Node* root = Parent({first, second}, {0, 3, 0, 1, 0, 1});
  EXPECT_EQ(Save(root), kExample);
  delete root;
}

TEST(HierarchyFile, SaveThenLoadGivesTheSameTree) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());  // the grid build writes its log
  auto mesh = zavo::test::RandomTriangles(300, 5, 10.0, 0.7);
  Seqf seqf(mesh->faces, mesh->vertices);
  BoxHierBuilder<int, Seqf> level(&seqf);
  BoxHierBuilder2<int, Seqf> grid(&seqf);
  grid.SetGridDimension(10);
  for (Node* tree : {level.Build(1.3), grid.Build(1.3), grid.BuildAll()}) {
    const std::string text = Save(tree);
    Node* back = Load(text, 300);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Structure(back), Structure(tree));
    EXPECT_EQ(Save(back), text);  // boxes as written
    delete back;
    delete tree;
  }
  std::istringstream in(kExample);
  Node* example = level.Load(in);  // the builders read the same format
  EXPECT_EQ(example, nullptr);     // ... against their own 300 faces
}

TEST(HierarchyFile, RootLineChoosesTheRoot) {
  std::string text = kExample;
  text.replace(text.find("\n1\n"), 3, "\n2\n");
  Node* root = Load(text, 2);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Structure(root), "1 ( 0 1 ] next 0\n");  // the next link led out of the tree
  EXPECT_EQ(root->box, (GEO_Box{0, 2, 0, 1, 0, 1}));
  delete root;  // the nodes not under it were never kept: nothing leaks
  EXPECT_EQ(Load(kExample, 2), nullptr);  // face 2 is not a face of two
}

TEST(HierarchyFile, ReadsNumbersAsRealsAndBoxesInEitherOrder) {
  std::string text = kExample;
  text.replace(text.find("[ 0 , 2 ,"), 9, "[ 2 , 0 ,");
  text.replace(text.find("2 3 \n"), 5, "2.9 3.5E0 // the children\n");
  text = "/* a hierarchy */ " + text;
  Node* root = Load(text, 3);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(Structure(root), "1 [ 2 3 ] next 0\n2 ( 0 1 ] next 3\n3 ( 2 ] next 0\n");
  EXPECT_EQ(root->children[0]->box, (GEO_Box{0, 2, 0, 1, 0, 1}));
  delete root;
}

// Replaces the first occurrence of from after the given line (1-based) by to.
std::string Edit(int line, const std::string& from, const std::string& to) {
  std::string text = kExample;
  std::size_t at = 0;
  for (int i = 1; i < line; ++i) at = text.find('\n', at) + 1;
  at = text.find(from, at);
  EXPECT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  return text;
}

std::string DeepChain(int depth) {
  // Node i has node i + 1 as its only child; the last is the leaf of face 0.
  std::string text = std::to_string(depth + 1) + "\n1\n";
  for (int i = 1; i <= depth; ++i) {
    text += std::to_string(i) + "\n[ 0 , 1 , 0 , 1 , 0 , 1 ]\n0\n";
    text += i < depth ? "1\n1\n" + std::to_string(i + 1) + " \n" : "0\n1\n0 \n";
  }
  return text;
}

struct BrokenFile {
  const char* what;
  std::string text;
  std::uint32_t faces;  // the face count the file is read for
};

std::vector<BrokenFile> BrokenFiles() {
  const std::string example = kExample;
  return {
      {"truncated in a record", example.substr(0, example.size() / 2), 3},
      {"truncated before the last id", example.substr(0, example.size() - 3), 3},
      {"empty", "", 3},
      {"only comments", "// nothing\n/* here */", 3},
      {"N below 2", "1\n1\n", 3},
      {"N negative", "-4\n1\n", 3},
      {"N not a number", Edit(1, "4", "four"), 3},
      {"N far larger than the file", Edit(1, "4", "2000000000"), 3},
      {"root out of range", Edit(2, "1", "4"), 3},
      {"root 0", Edit(2, "1", "0"), 3},
      {"record number out of range", Edit(15, "3", "4"), 3},
      {"record number twice", Edit(15, "3", "2"), 3},
      {"child out of range", Edit(8, "3", "4"), 3},
      {"child 0", Edit(8, "3", "0"), 3},
      {"a child twice", Edit(8, "2 3", "2 2"), 3},
      {"a cycle", Edit(9, "0\n2\n0 1", "1\n1\n1"), 3},
      {"next link out of range", Edit(11, "3", "7"), 3},
      {"box line that does not parse", Edit(10, " , 1 ]", " ]"), 3},
      {"box line of another form", Edit(10, "[", "("), 3},
      {"id at the face count", Edit(20, "2", "3"), 3},
      {"negative id", Edit(20, "2", "-1"), 3},
      {"a face twice", Edit(14, "0 1", "0 0"), 3},
      {"a face missing", Edit(19, "1\n2 ", "0\n"), 3},
      {"negative count", Edit(13, "2", "-2"), 3},
      {"count beyond the ids", Edit(13, "2", "3"), 3},
      {"count far beyond the file", Edit(13, "2", "2000000000"), 3},
      {"written for more faces", example, 2},
      {"written for fewer faces", example, 4},
      {"too deep", DeepChain(zavo::kMaxHierarchyDepth + 1), 1},
      {"a word for a number", Edit(12, "0", "leaf"), 3},
  };
}

// A file in the writer's plain layout is read without the scanner; a comment
// in front makes every token go through the scanner. Both must read the same.
TEST(HierarchyFile, PlainAndScannedReadingsAgree) {
  const std::string example = kExample;
  const auto same = [](const std::string& text, std::uint32_t faces) {
    Node* plain = Load(text, faces);
    Node* scanned = Load("/* */ " + text, faces);
    EXPECT_EQ(plain == nullptr, scanned == nullptr);
    if (plain != nullptr && scanned != nullptr) {
      EXPECT_EQ(Structure(plain), Structure(scanned));
      EXPECT_EQ(Save(plain), Save(scanned));
      EXPECT_EQ(plain->children[1]->box, scanned->children[1]->box);
    }
    const bool read = plain != nullptr;
    delete plain;
    delete scanned;
    return read;
  };
  // Spellings of the last box's xmax (3.5) and of the last id (2).
  struct Spelling {
    const char* box;
    const char* id;
    bool mustRead;  // else the file may or may not fit
  };
  const Spelling spellings[] = {
      {"3.5", "2", true},          {"35e-1", "2.9", true},        {"3.5E+0", "2e0", true},
      {"+3.5", "+2", true},        {"3.", "002", true},            {".35e1", "2.", true},
      {"-0.0", "-0", false},       {"3.500000000000000000001", "2", true},
      {"1e-400", "2", false},      {"1e400", "2", false},          {"3.5e", "2", false},
      {"3.5", "2e", false},        {"3.5", "2x", false},           {"3.5", "1e9999", false},
      {"nan", "2", false},         {"3.5]", "2", false},           {"3.5", "-2", false},
  };
  for (const Spelling& c : spellings) {
    SCOPED_TRACE(std::string(c.box) + " / " + c.id);
    std::string text = example;
    text.replace(text.find("3.5"), 3, c.box);
    text.replace(text.rfind("2 \n"), 1, c.id);
    const bool read = same(text, 3);
    if (c.mustRead) {
      EXPECT_TRUE(read);
    }
  }
  for (const BrokenFile& c : BrokenFiles()) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(same(c.text, c.faces));
  }
}

TEST(HierarchyFile, RefusesFilesThatDoNotFit) {
  const std::string example = kExample;
  for (const BrokenFile& c : BrokenFiles()) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Load(c.text, c.faces), nullptr);
  }
  Node* deep = Load(DeepChain(zavo::kMaxHierarchyDepth), 1);
  ASSERT_NE(deep, nullptr);
  delete deep;
  Node* same = Load(example, 3);
  ASSERT_NE(same, nullptr);
  delete same;
}

// The mesh's procedures over a file that does not fit: they report the load,
// build as if the file had not opened and overwrite the file.
void ExpectRebuilt(BRepModel3& mesh, const std::string& file, int (*build)(BRepModel3&, const char*, GeoInterface*)) {
  Recorder recorder;
  EXPECT_EQ(build(mesh, file.c_str(), &recorder), 1);
  ASSERT_NE(mesh.hierarchy, nullptr);
  ASSERT_GE(recorder.texts.size(), 3u);
  EXPECT_EQ(recorder.texts[0], "Loading hierarchy " + file);
  EXPECT_EQ(recorder.texts[1], "Creating hierarchy");
  EXPECT_EQ(recorder.texts.back(), "Saving hierarchy " + file);
  std::vector<int> ids;
  std::vector<const Node*> stack{mesh.hierarchy};
  while (!stack.empty()) {
    const Node* n = stack.back();
    stack.pop_back();
    for (std::uint32_t i = 0; i < n->elements.Count(); ++i) ids.push_back(n->elements[i]);
    for (std::uint32_t i = 0; i < n->children.Count(); ++i) stack.push_back(n->children[i]);
  }
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids.size(), mesh.faces.Count());
  for (std::size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int>(i));
  const std::string saved = Save(mesh.hierarchy);
  EXPECT_EQ(zavo::test::ReadFile(file), saved);
  // The next build only loads the new file.
  Recorder again;
  EXPECT_EQ(build(mesh, file.c_str(), &again), 1);
  EXPECT_EQ(again.texts, std::vector<std::string>{"Loading hierarchy " + file});
  EXPECT_EQ(Save(mesh.hierarchy), saved);
}

int LevelKind(BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy(1.3, f, p); }
int GridKind(BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2(1.3, 5, f, p); }
int MedianKind(BRepModel3& m, const char* f, GeoInterface* p) { return m.BuildHierarchy2Default(f, p); }

TEST(HierarchyFile, MeshesRebuildAndOverwriteFilesThatDoNotFit) {
  zavo::test::TempDir dir;
  zavo::test::ScopedCwd cwd(dir.path());  // the grid build writes its log
  const std::string file = (dir / "m.br_").string();
  for (const BrokenFile& c : BrokenFiles()) {
    SCOPED_TRACE(c.what);
    auto mesh = zavo::test::RandomTriangles(static_cast<int>(c.faces), 9);
    zavo::test::WriteFile(file, c.text);
    ExpectRebuilt(*mesh, file, LevelKind);
  }
  for (auto* kind : {GridKind, MedianKind}) {
    for (const BrokenFile& c : BrokenFiles()) {
      SCOPED_TRACE(c.what);
      auto mesh = zavo::test::RandomTriangles(40, 9);  // a file for 3 faces is stale here
      zavo::test::WriteFile(file, c.text);
      ExpectRebuilt(*mesh, file, kind);
    }
  }
}

}  // namespace
