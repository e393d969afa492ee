#include "render/global_hier_file.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/number_text.h"
#include "geometry/bounding_object.h"
#include "geometry/geo_text.h"
#include "geometry/hier_file.h"  // kMaxHierarchyDepth

namespace zavo {

namespace {

// One entry as read, before the tree is checked and made. Its items (child
// indices, or element indices of the sequence) are the run [first, first +
// count) of the reader's item list.
struct Entry {
  int index = 0;
  std::unique_ptr<BoundingObject> bound;
  int link = 0;
  bool interior = false;
  std::uint32_t first = 0;
  std::uint32_t count = 0;
};

// The elements of the sequence by name, for matching the names of the
// leaves: an open-addressing table of the distinct names, each slot with the
// first element of its name not matched yet; the further elements of a name
// follow it in sequence order through the chain of next elements.
class NameTable {
public:
  explicit NameTable(const SeqGraphicObject& objects) : nextOfName_(objects.Count(), kNone) {
    std::size_t capacity = 16;
    while (capacity < 2 * static_cast<std::size_t>(objects.Count())) capacity *= 2;
    slots_.resize(capacity);
    mask_ = capacity - 1;
    std::vector<std::uint32_t> last(capacity, kNone);  // the last element of each slot's name
    for (std::uint32_t i = 0; i < objects.Count(); ++i) {
      const char* name = BoundContMan::Name(objects[i]);
      if (name == nullptr) continue;
      const std::string_view text(name);
      const std::size_t at = Find(text);
      Slot& slot = slots_[at];
      if (slot.name == nullptr) {
        slot.name = name;
        slot.length = text.size();
        slot.next = i;
      } else {
        nextOfName_[last[at]] = i;
      }
      last[at] = i;
    }
  }

  // The first element named text not matched yet, now matched; false when
  // there is none.
  bool Take(std::string_view text, std::uint32_t& element) {
    Slot& slot = slots_[Find(text)];
    if (slot.name == nullptr || slot.next == kNone) return false;
    element = slot.next;
    slot.next = nextOfName_[element];
    return true;
  }

private:
  static constexpr std::uint32_t kNone = UINT32_MAX;
  struct Slot {
    const char* name = nullptr;  // the object's own name; null: a free slot
    std::size_t length = 0;
    std::uint32_t next = kNone;
  };

  // The slot of text: its own, or the free one where it would go.
  std::size_t Find(std::string_view text) const {
    std::size_t at = std::hash<std::string_view>()(text) & mask_;
    while (slots_[at].name != nullptr &&
           !(slots_[at].length == text.size() && std::memcmp(slots_[at].name, text.data(), text.size()) == 0)) {
      at = (at + 1) & mask_;
    }
    return at;
  }

  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::vector<std::uint32_t> nextOfName_;
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
      : scanner_(in, kHierarchyCacheScannerConfig), objects_(objects), modules_(modules), byName_(objects) {
    scanner_.Next();
  }

  GlobalHierarchyPtr Read() {
    int n = 0;
    int root = 0;
    if (!Number(n) || n < 2) return nullptr;
    if (!Number(root) || root < 1 || root >= n) return nullptr;
    // Every entry takes tokens: the loop ends with the text, whatever N says
    // (room is made ahead only for as many entries as a tree over the
    // sequence may well have).
    const std::size_t expected = 2 * static_cast<std::size_t>(objects_.Count()) + 16;
    entries_.reserve(std::min(static_cast<std::size_t>(n - 1), expected));
    items_.reserve(std::min(static_cast<std::size_t>(n - 1), expected) + objects_.Count());
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
    entry.first = static_cast<std::uint32_t>(items_.size());
    entry.count = static_cast<std::uint32_t>(count);
    for (int i = 0; i < count; ++i) {
      if (entry.interior) {
        int child = 0;
        if (!Number(child) || child < 1 || child >= n) return false;
        items_.push_back(static_cast<std::uint32_t>(child));
      } else {
        std::uint32_t element = 0;
        if (!MatchName(element)) return false;
        items_.push_back(element);
      }
    }
    return true;
  }

  // The first element not matched yet whose name is the token in view.
  bool MatchName(std::uint32_t& element) {
    if (scanner_.Kind() == kTokenError) return false;  // the end, or a token too long
    if (!byName_.Take(std::string_view(scanner_.Text()), element)) return false;
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
      for (std::uint32_t item : Items(entry)) {
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
      for (std::uint32_t item : Items(entry)) {
        const BoundingObject* inner = entry.interior ? EntryOf(static_cast<int>(item)).bound.get()
                                                     : BoundContMan::Volume(objects_[item]);
        if (BoxWithin(inner->GetBox(), entry.bound->GetBox())) continue;
        if (typeid(*entry.bound) == typeid(BoundingBox)) {
          // What UnionBox makes of a plain box, without a new volume.
          GEO_Box& box = static_cast<BoundingBox&>(*entry.bound).box;
          GEO_Box both;
          GEO_Box::Union(box, both, inner->GetBox());
          box = both;
        } else {
          entry.bound = entry.bound->UnionBox(*inner);
        }
      }
    }
  }

  std::span<const std::uint32_t> Items(const Entry& entry) const {
    return {items_.data() + entry.first, entry.count};
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
      const auto items = Items(entry);
      const auto count = static_cast<std::uint32_t>(items.size());
      if (entry.interior) {
        node->children.SetSize(count);
        for (std::uint32_t c = 0; c < count; ++c) node->children[c] = owned[items[c]].release();
      } else {
        node->elements.SetSize(count);
        for (std::uint32_t c = 0; c < count; ++c) node->elements[c] = objects_[items[c]];
      }
    }
    return std::move(owned[static_cast<std::size_t>(root)]);
  }

  CScanner<ScannerMemo> scanner_;
  const SeqGraphicObject& objects_;
  const List<BoundingObjectModule>& modules_;
  NameTable byName_;
  std::uint32_t matched_ = 0;
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> items_;  // the items of every entry, entry after entry
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
  // The text between two bounds goes out in one write.
  std::string text;
  const auto number = [&text](std::size_t value, char after) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
    text += after;
  };
  const auto flush = [&] {
    os.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  };
  number(n, '\n');
  text += n > 1 ? "1\n" : "0\n";
  for (std::size_t i = 1; i < n; ++i) {
    const GlobalHierNode* node = order[i];
    number(i, '\n');
    if (node->box != nullptr) {
      flush();
      WriteBound(os, *node->box);
    }
    text += '\n';
    number(static_cast<std::size_t>(indexOf(node->next)), '\n');
    if (node->children.Count() > 0) {
      text += "1\n";
      number(node->children.Count(), '\n');
      for (std::uint32_t c = 0; c < node->children.Count(); ++c) {
        number(static_cast<std::size_t>(indexOf(node->children[c])), ' ');
      }
    } else {
      text += "0\n";
      number(node->elements.Count(), '\n');
      for (std::uint32_t e = 0; e < node->elements.Count(); ++e) {
        const char* name = BoundContMan::Name(node->elements[e]);
        if (name != nullptr) text += name;
        text += ' ';
      }
    }
    text += '\n';
    if (text.size() >= (1u << 16)) flush();
  }
  flush();
}

GlobalHierarchyPtr LoadGlobalHierarchy(std::istream& in, const SeqGraphicObject& objects,
                                       const List<BoundingObjectModule>& modules) {
  CacheReader reader(in, objects, modules);
  return reader.Read();
}

}  // namespace zavo
