#include "geometry/hier_file.h"

#include <charconv>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/number_text.h"
#include "foundation/plain_tokens.h"
#include "foundation/runtime_error_box.h"
#include "geometry/geo_scanner.h"
#include "geometry/geo_text.h"
#include "geometry/hier_node_table.h"

namespace zavo {

namespace {

using Node = HierNode<int, GEO_Box>;

// One node record as read, before the tree is checked and made.
struct Record {
  int index = 0;
  GEO_Box box;
  int next = 0;
  bool interior = false;
  std::vector<int> items;  // child numbers or ids
};

// The records as the scanner reads them: false when the text does not fit.
class Reader {
public:
  explicit Reader(std::istream& in) : scanner_(in) { scanner_.Next(); }

  bool Read(int& n, int& root, std::vector<Record>& records) {
    if (!Number(n) || n < 2) return false;
    if (!Number(root) || root < 1 || root >= n) return false;
    // Each record takes several tokens: the loop ends with the text, whatever N says.
    for (int r = 1; r < n; ++r) {
      Record rec;
      if (!ReadRecord(n, rec)) return false;
      records.push_back(std::move(rec));
    }
    return true;
  }

private:
  // A number token truncated toward zero into an int.
  bool Number(int& value) {
    double x = 0;
    if (!TokenToDouble(scanner_, x) || !TruncateToInt(x, value)) return false;
    scanner_.Next();
    return true;
  }

  bool ReadRecord(int n, Record& rec) {
    int kind = 0;
    int count = 0;
    if (!Number(rec.index) || rec.index < 1 || rec.index >= n) return false;
    if (!ReadNumberRecord6(scanner_, rec.box)) return false;
    if (!Number(rec.next) || !Number(kind) || !Number(count) || count < 0) return false;
    rec.interior = kind == 1;
    for (int i = 0; i < count; ++i) {
      int item = 0;
      if (!Number(item)) return false;
      rec.items.push_back(item);
    }
    return true;
  }

  GeoScanner scanner_;
};

// The same records read from text as the writer lays it out, without the
// scanner; false for any text outside that plain form (the scanner then
// decides). Reads what the scanner reads wherever it succeeds.
bool ReadPlain(std::string_view text, int& n, int& root, std::vector<Record>& records) {
  PlainTokens in(text);
  if (!in.Integer(n) || n < 2) return false;
  if (!in.Integer(root) || root < 1 || root >= n) return false;
  // A record takes at least ten tokens (a plain token at least two characters).
  if (static_cast<std::size_t>(n - 1) > text.size() / 20 + 1) return false;
  records.reserve(static_cast<std::size_t>(n - 1));
  for (int r = 1; r < n; ++r) {
    Record rec;
    int kind = 0;
    int count = 0;
    if (!in.Integer(rec.index) || rec.index < 1 || rec.index >= n) return false;
    double v[6];
    if (!in.Mark('[')) return false;
    for (int i = 0; i < 6; ++i) {
      if ((i > 0 && !in.Mark(',')) || !in.Number(v[i])) return false;
    }
    if (!in.Mark(']')) return false;
    rec.box.SetPoint({v[0], v[2], v[4]});
    rec.box.Extend({v[1], v[3], v[5]});
    if (!in.Integer(rec.next) || !in.Integer(kind) || !in.Integer(count) || count < 0) return false;
    rec.interior = kind == 1;
    // Each item takes at least two characters: a count beyond what the text
    // can hold is a broken file, never an allocation.
    if (static_cast<std::size_t>(count) > text.size() / 2 + 1) return false;
    rec.items.resize(static_cast<std::size_t>(count));
    for (int& item : rec.items) {
      if (!in.Integer(item)) return false;
    }
    records.push_back(std::move(rec));
  }
  return true;
}

class TreeMaker {
public:
  TreeMaker(const std::vector<Record>& records, std::uint32_t faceCount) : records_(records), faceCount_(faceCount) {}

  // Checks what was read and makes the nodes under the root.
  Node* MakeTree(int n, int root) {
    std::vector<int> at(static_cast<std::size_t>(n), -1);  // record of each number
    for (std::size_t r = 0; r < records_.size(); ++r) {
      int& slot = at[static_cast<std::size_t>(records_[r].index)];
      if (slot != -1) return nullptr;  // a number with two records, another with none
      slot = static_cast<int>(r);
    }
    std::vector<char> reached(static_cast<std::size_t>(n), 0);
    std::vector<char> seen(faceCount_, 0);
    std::vector<std::pair<int, int>> stack{{root, 1}};  // number, depth
    while (!stack.empty()) {
      const auto [index, depth] = stack.back();
      stack.pop_back();
      if (reached[static_cast<std::size_t>(index)] || depth > kMaxHierarchyDepth) return nullptr;
      reached[static_cast<std::size_t>(index)] = 1;
      const Record& rec = records_[static_cast<std::size_t>(at[static_cast<std::size_t>(index)])];
      if (rec.next < 0 || rec.next >= n) return nullptr;
      for (int item : rec.items) {
        if (rec.interior) {
          if (item < 1 || item >= n) return nullptr;
          stack.emplace_back(item, depth + 1);
        } else if (item < 0 || static_cast<std::uint32_t>(item) >= faceCount_ ||
                   seen[static_cast<std::size_t>(item)]++) {
          return nullptr;
        }
      }
    }
    for (char s : seen) {
      if (!s) return nullptr;
    }

    std::vector<std::unique_ptr<Node>> nodes(static_cast<std::size_t>(n));
    for (int i = 1; i < n; ++i) {
      if (reached[static_cast<std::size_t>(i)]) nodes[static_cast<std::size_t>(i)] = std::make_unique<Node>();
    }
    try {
      for (int i = 1; i < n; ++i) {
        Node* node = nodes[static_cast<std::size_t>(i)].get();
        if (node == nullptr) continue;
        const Record& rec = records_[static_cast<std::size_t>(at[static_cast<std::size_t>(i)])];
        node->box = rec.box;
        node->next = nodes[static_cast<std::size_t>(rec.next)].get();  // null for 0 and for dropped nodes
        const auto count = static_cast<std::uint32_t>(rec.items.size());
        if (rec.interior) {
          node->children.SetSize(count);
          for (std::uint32_t c = 0; c < count; ++c) {
            node->children[c] = nodes[static_cast<std::size_t>(rec.items[c])].get();
          }
        } else {
          node->elements.SetSize(count);
          for (std::uint32_t c = 0; c < count; ++c) node->elements[c] = rec.items[c];
        }
      }
    } catch (...) {
      // Every node is still owned by the table: unlink before it frees them.
      for (auto& node : nodes) {
        if (node) node->children.SetSize(0);
      }
      throw;
    }
    // The root owns the rest now.
    Node* top = nodes[static_cast<std::size_t>(root)].get();
    for (auto& node : nodes) (void)node.release();
    return top;
  }

private:
  const std::vector<Record>& records_;
  std::uint32_t faceCount_;
};

}  // namespace

void SaveHierarchy(std::ostream& os, const HierNode<int, GEO_Box>* root) {
  HierNodeTable table;
  if (table.IndexOfOrAppend(nullptr) != 0) RuntimeErrorBox("error condition");
  // Pre-order: a node, then each child's subtree in child order.
  std::vector<Node*> stack;
  if (root != nullptr) stack.push_back(const_cast<Node*>(root));
  while (!stack.empty()) {
    Node* node = stack.back();
    stack.pop_back();
    if (node == nullptr || table.IndexOf(node) != -1) continue;
    table.IndexOfOrAppend(node);
    for (std::uint32_t c = node->children.Count(); c > 0; --c) stack.push_back(node->children[c - 1]);
  }
  const int n = table.Size();
  // Each node's text is made whole, then written at once.
  std::string text;
  const auto number = [&text](long long v, char after) {
    char buf[24];
    text.append(buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
    text += after;
  };
  number(n, '\n');
  text += n > 1 ? "1\n" : "0\n";
  for (int i = 1; i < n; ++i) {
    const Node* node = table[i];
    number(i, '\n');
    AppendNumberRecord6(text, node->box.xmin, node->box.xmax, node->box.ymin, node->box.ymax, node->box.zmin,
                        node->box.zmax);
    const int next = table.IndexOf(node->next);
    text += '\n';
    number(next < 0 ? 0 : next, '\n');
    if (node->children.Count() > 0) {
      text += "1\n";
      number(node->children.Count(), '\n');
      for (std::uint32_t c = 0; c < node->children.Count(); ++c) number(table.IndexOf(node->children[c]), ' ');
    } else {
      text += "0\n";
      number(node->elements.Count(), '\n');
      for (std::uint32_t e = 0; e < node->elements.Count(); ++e) number(node->elements[e], ' ');
    }
    text += '\n';
    os.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
  }
  os.write(text.data(), static_cast<std::streamsize>(text.size()));
}

HierNode<int, GEO_Box>* LoadHierarchy(std::istream& in, std::uint32_t faceCount) {
  int n = 0;
  int root = 0;
  std::vector<Record> records;
  const std::string text = ReadWholeStream(in);
  if (!ReadPlain(text, n, root, records)) {
    records.clear();
    std::istringstream again(text);
    if (!Reader(again).Read(n, root, records)) return nullptr;
  }
  return TreeMaker(records, faceCount).MakeTree(n, root);
}

}  // namespace zavo
