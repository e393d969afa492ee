#include "render/global_hier_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/number_text.h"
#include "geometry/bounding_object.h"
#include "geometry/geo_text.h"
#include "geometry/hier_file.h"  // kMaxHierarchyDepth

namespace zavo {

namespace {

// One entry as read, before the tree is checked and made.
struct Entry {
  int index = 0;
  std::unique_ptr<BoundingObject> bound;
  int link = 0;
  bool interior = false;
  std::vector<std::uint32_t> items;  // child indices, or element indices of the sequence
};

// Whether a coordinate lies on the inner side of a bound's coordinate, the
// bound being allowed the rounding of its six written digits.
bool NotBelow(double inner, double bound) {
  return inner >= bound || std::fabs(inner - bound) <= 1e-5 * std::max(std::fabs(inner), std::fabs(bound));
}

bool BoxInside(const GEO_Box& inner, const GEO_Box& outer) {
  return NotBelow(inner.xmin, outer.xmin) && NotBelow(-inner.xmax, -outer.xmax) &&
         NotBelow(inner.ymin, outer.ymin) && NotBelow(-inner.ymax, -outer.ymax) &&
         NotBelow(inner.zmin, outer.zmin) && NotBelow(-inner.zmax, -outer.zmax);
}

bool BoxWithin(const GEO_Box& inner, const GEO_Box& outer) {
  return inner.xmin >= outer.xmin && inner.xmax <= outer.xmax && inner.ymin >= outer.ymin &&
         inner.ymax <= outer.ymax && inner.zmin >= outer.zmin && inner.zmax <= outer.zmax;
}

class CacheReader {
public:
  CacheReader(std::istream& in, const SeqGraphicObject& objects, const List<BoundingObjectModule>& modules)
      : scanner_(in, kHierarchyCacheScannerConfig), objects_(objects), modules_(modules) {
    for (std::uint32_t i = 0; i < objects.Count(); ++i) {
      const char* name = BoundContMan::Name(objects[i]);
      if (name != nullptr) byName_[name].elements.push_back(i);
    }
    scanner_.Next();
  }

  GlobalHierarchyPtr Read() {
    int n = 0;
    int root = 0;
    if (!Number(n) || n < 2) return nullptr;
    if (!Number(root) || root < 1 || root >= n) return nullptr;
    // Every entry takes tokens: the loop ends with the text, whatever N says.
    for (int e = 1; e < n; ++e) {
      Entry entry;
      if (!ReadEntry(n, entry)) return nullptr;
      entries_.push_back(std::move(entry));
    }
    if (scanner_.Kind() != kTokenError || scanner_.TokenCut()) return nullptr;  // more than N - 1 entries
    if (matched_ != objects_.Count()) return nullptr;
    if (!CheckTree(n, root)) return nullptr;
    Widen();
    return MakeTree(n, root);
  }

private:
  // Unmatched elements of one name, in sequence order.
  struct Bucket {
    std::vector<std::uint32_t> elements;
    std::size_t used = 0;
  };

  // A number token, read as a real and truncated.
  bool Number(int& value) {
    double x = 0;
    if (!TokenToDouble(scanner_, x) || !TruncateToInt(x, value)) return false;
    scanner_.Next();
    return true;
  }

  bool ReadEntry(int n, Entry& entry) {
    int kind = 0;
    int count = 0;
    if (!Number(entry.index) || entry.index < 1 || entry.index >= n) return false;
    if (!ReadBound(modules_, scanner_, entry.bound)) return false;
    if (!Number(entry.link) || entry.link < 0 || entry.link >= n) return false;
    if (!Number(kind) || (kind != 0 && kind != 1)) return false;
    if (!Number(count) || count < 1) return false;
    entry.interior = kind == 1;
    for (int i = 0; i < count; ++i) {
      if (entry.interior) {
        int child = 0;
        if (!Number(child) || child < 1 || child >= n) return false;
        entry.items.push_back(static_cast<std::uint32_t>(child));
      } else {
        std::uint32_t element = 0;
        if (!MatchName(element)) return false;
        entry.items.push_back(element);
      }
    }
    return true;
  }

  // The first element not matched yet whose name is the token in view.
  bool MatchName(std::uint32_t& element) {
    if (scanner_.Kind() == kTokenError) return false;  // the end, or a token too long
    const auto it = byName_.find(std::string_view(scanner_.Text()));
    if (it == byName_.end() || it->second.used == it->second.elements.size()) return false;
    element = it->second.elements[it->second.used++];
    ++matched_;
    scanner_.Next();
    return true;
  }

  // Each index filled once, every node reached from the root once, not too
  // deep, and every bound holding what lies below it.
  bool CheckTree(int n, int root) {
    at_.assign(static_cast<std::size_t>(n), -1);
    for (std::size_t e = 0; e < entries_.size(); ++e) {
      int& slot = at_[static_cast<std::size_t>(entries_[e].index)];
      if (slot != -1) return false;
      slot = static_cast<int>(e);
    }
    std::vector<char> reached(static_cast<std::size_t>(n), 0);
    std::vector<std::pair<int, int>> pending{{root, 1}};  // index, depth
    int count = 0;
    while (!pending.empty()) {
      const auto [index, depth] = pending.back();
      pending.pop_back();
      if (reached[static_cast<std::size_t>(index)] || depth > kMaxHierarchyDepth) return false;
      reached[static_cast<std::size_t>(index)] = 1;
      visited_.push_back(index);
      ++count;
      const Entry& entry = EntryOf(index);
      const GEO_Box bound = entry.bound->GetBox();
      for (std::uint32_t item : entry.items) {
        if (entry.interior) {
          if (!BoxInside(EntryOf(static_cast<int>(item)).bound->GetBox(), bound)) return false;
          pending.emplace_back(static_cast<int>(item), depth + 1);
        } else {
          const BoundingObject* volume = BoundContMan::Volume(objects_[item]);
          if (volume == nullptr || !BoxInside(volume->GetBox(), bound)) return false;
        }
      }
    }
    return count == n - 1;
  }

  // The written bounds lost digits: each bound that no longer holds all that
  // lies below it is widened to hold it, children before their parents, so
  // that the searches may rely on the bounds. The widening stays below the
  // rounding of the written digits: the tree saves as the same text.
  void Widen() {
    for (auto it = visited_.rbegin(); it != visited_.rend(); ++it) {
      Entry& entry = entries_[static_cast<std::size_t>(at_[static_cast<std::size_t>(*it)])];
      for (std::uint32_t item : entry.items) {
        const BoundingObject* inner = entry.interior ? EntryOf(static_cast<int>(item)).bound.get()
                                                     : BoundContMan::Volume(objects_[item]);
        if (BoxWithin(inner->GetBox(), entry.bound->GetBox())) continue;
        entry.bound = entry.bound->UnionBox(*inner);
      }
    }
  }

  const Entry& EntryOf(int index) const {
    return entries_[static_cast<std::size_t>(at_[static_cast<std::size_t>(index)])];
  }

  GlobalHierarchyPtr MakeTree(int n, int root) {
    // Each node has an owner of its own until its parent takes it over; the
    // tree check made every node but the root the child of exactly one node.
    std::vector<GlobalHierarchyPtr> owned(static_cast<std::size_t>(n));
    std::vector<GlobalHierNode*> nodes(static_cast<std::size_t>(n), nullptr);  // index 0: none
    for (int i = 1; i < n; ++i) {
      owned[static_cast<std::size_t>(i)].reset(new GlobalHierNode);
      nodes[static_cast<std::size_t>(i)] = owned[static_cast<std::size_t>(i)].get();
      nodes[static_cast<std::size_t>(i)]->box = entries_[static_cast<std::size_t>(at_[static_cast<std::size_t>(i)])].bound.release();
    }
    for (int i = 1; i < n; ++i) {
      const Entry& entry = EntryOf(i);
      GlobalHierNode* node = nodes[static_cast<std::size_t>(i)];
      node->next = nodes[static_cast<std::size_t>(entry.link)];
      const auto count = static_cast<std::uint32_t>(entry.items.size());
      if (entry.interior) {
        node->children.SetSize(count);
        for (std::uint32_t c = 0; c < count; ++c) node->children[c] = owned[entry.items[c]].release();
      } else {
        node->elements.SetSize(count);
        for (std::uint32_t c = 0; c < count; ++c) node->elements[c] = objects_[entry.items[c]];
      }
    }
    return std::move(owned[static_cast<std::size_t>(root)]);
  }

  CScanner<ScannerMemo> scanner_;
  const SeqGraphicObject& objects_;
  const List<BoundingObjectModule>& modules_;
  std::unordered_map<std::string_view, Bucket> byName_;
  std::uint32_t matched_ = 0;
  std::vector<Entry> entries_;
  std::vector<int> at_;  // entry of each index
  std::vector<int> visited_;  // the indices reached from the root, in pre-order
};

}  // namespace

void SaveGlobalHierarchy(std::ostream& os, const GlobalHierNode* root) {
  // Pre-order: a node, then each child's subtree in child order.
  std::vector<const GlobalHierNode*> order{nullptr};
  std::unordered_map<const GlobalHierNode*, int> index;
  std::vector<const GlobalHierNode*> pending;
  if (root != nullptr) pending.push_back(root);
  while (!pending.empty()) {
    const GlobalHierNode* node = pending.back();
    pending.pop_back();
    if (node == nullptr || !index.try_emplace(node, static_cast<int>(order.size())).second) continue;
    order.push_back(node);
    for (std::uint32_t c = node->children.Count(); c > 0; --c) pending.push_back(node->children[c - 1]);
  }
  const auto indexOf = [&](const GlobalHierNode* node) {
    const auto it = index.find(node);
    return it == index.end() ? 0 : it->second;
  };
  const std::size_t n = order.size();
  os << std::to_string(n) << '\n' << (n > 1 ? "1" : "0") << '\n';
  for (std::size_t i = 1; i < n; ++i) {
    const GlobalHierNode* node = order[i];
    os << std::to_string(i) << '\n';
    if (node->box != nullptr) WriteBound(os, *node->box);
    os << '\n' << std::to_string(indexOf(node->next)) << '\n';
    if (node->children.Count() > 0) {
      os << "1\n" << std::to_string(node->children.Count()) << '\n';
      for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
        os << std::to_string(indexOf(node->children[c])) << ' ';
      }
    } else {
      os << "0\n" << std::to_string(node->elements.Count()) << '\n';
      for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
        const char* name = BoundContMan::Name(node->elements[e]);
        os << (name != nullptr ? name : "") << ' ';
      }
    }
    os << '\n';
  }
}

GlobalHierarchyPtr LoadGlobalHierarchy(std::istream& in, const SeqGraphicObject& objects,
                                       const List<BoundingObjectModule>& modules) {
  CacheReader reader(in, objects, modules);
  return reader.Read();
}

}  // namespace zavo
