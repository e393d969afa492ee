#include "foundation/list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/seq.h"

namespace {

// ---------------------------------------------------------------------------
// One table of operation scripts, run on both list kinds.

struct SingleItem : ListItem {
  explicit SingleItem(char c) : name(c) {}
  char name;
};

struct DoubleItem : DblListItem {
  explicit DoubleItem(char c) : name(c) {}
  char name;
};

template <class L, class E>
struct Kind {
  using ListType = L;
  using Item = E;
  static constexpr bool kDouble = std::is_base_of_v<DblListItem, E>;
};

using Kinds = ::testing::Types<Kind<List<SingleItem>, SingleItem>, Kind<DblList<DoubleItem>, DoubleItem>>;

// A script is a blank-separated list of steps:
//   Ax append a new item x       Px prepend x
//   Ixy insert y after x ("-" for x inserts at the head)
//   H  remove the head           Ux unlink x (Remove, or RemoveAfter its predecessor)
//   C  clear
// Removed items are logged by name ("-" for a null result) and then freed.
struct ListCase {
  const char* script;
  const char* order;    // names from first to last after the script
  const char* removed;  // the log of removed items
};

const ListCase kListCases[] = {
    {"Aa Ab Ac", "abc", ""},
    {"Pa Pb Pc", "cba", ""},
    {"Aa Ab I-d", "dab", ""},
    {"I-d", "d", ""},
    {"Aa Ab Iad", "adb", ""},
    {"Aa Ab Ibd Ae", "abde", ""},  // inserting after the last item moves the last pointer
    {"Pa Ab Pc Iad Ae", "cadbe", ""},
    {"H", "", "-"},
    {"H Aa", "a", "-"},
    {"Aa H", "", "a"},
    {"Aa H Ab Ac", "bc", "a"},
    {"Aa Ab Ac H", "bc", "a"},
    {"Aa Ab H H H", "", "ab-"},
    {"Aa Ab Ac Uc", "ab", "c"},
    {"Aa Ab Ac Uc Ad", "abd", "c"},  // the predecessor of a removed last item is the last
    {"Aa Ab Ac Ub", "ac", "b"},
    {"Aa Ab Ac Ua Ad", "bcd", "a"},
    {"Aa Ua", "", "a"},
    {"Aa Ua Ab Pc", "cb", "a"},
    {"Aa Ab C Ad", "d", ""},
    {"C Aa", "a", ""},
};

template <class K>
class ListTable : public ::testing::Test {
 protected:
  using L = typename K::ListType;
  using E = typename K::Item;

  static E* Find(L& list, char name) {
    for (E* e = list.First(); e != nullptr; e = L::Next(e)) {
      if (e->name == name) return e;
    }
    return nullptr;
  }

  static E* Predecessor(L& list, E* item) {
    E* previous = nullptr;
    for (E* e = list.First(); e != item; e = L::Next(e)) previous = e;
    return previous;
  }

  static void Run(L& list, const std::string& script, std::string& removed) {
    std::size_t at = 0;
    while (at < script.size()) {
      std::size_t end = script.find(' ', at);
      if (end == std::string::npos) end = script.size();
      const std::string step = script.substr(at, end - at);
      at = end + 1;
      E* out = nullptr;
      bool logs = false;
      switch (step[0]) {
        case 'A': list.Append(new E(step[1])); break;
        case 'P': list.Prepend(new E(step[1])); break;
        case 'I':
          list.InsertAfter(step[1] == '-' ? nullptr : Find(list, step[1]), new E(step[2]));
          break;
        case 'H': out = list.RemoveHead(); logs = true; break;
        case 'U': {
          E* item = Find(list, step[1]);
          if constexpr (K::kDouble) {
            out = list.Remove(item);
          } else {
            out = list.RemoveAfter(Predecessor(list, item), item);
          }
          logs = true;
          break;
        }
        case 'C': list.Clear(); break;
        default: FAIL() << "bad step " << step;
      }
      if (logs) {
        removed += out == nullptr ? '-' : out->name;
        if (out != nullptr) {
          EXPECT_EQ(out->next, nullptr);
          delete out;
        }
      }
    }
  }

  // The names first to last, checking the links on the way: the last item is
  // Last() and ends the chain; a doubly linked list walks back the same way.
  static std::string Order(L& list) {
    std::string names;
    E* last = nullptr;
    for (E& e : list) {
      names += e.name;
      last = &e;
    }
    EXPECT_EQ(list.Last(), last);
    EXPECT_EQ(list.IsEmpty(), names.empty());
    if constexpr (K::kDouble) {
      std::string back;
      for (E* e = list.Last(); e != nullptr; e = L::Prev(e)) back.insert(back.begin(), e->name);
      EXPECT_EQ(back, names);
    }
    return names;
  }
};

TYPED_TEST_SUITE(ListTable, Kinds);

TYPED_TEST(ListTable, ScriptsGiveTheExpectedOrder) {
  for (const ListCase& c : kListCases) {
    SCOPED_TRACE(c.script);
    typename TestFixture::L list;
    std::string removed;
    TestFixture::Run(list, c.script, removed);
    EXPECT_EQ(TestFixture::Order(list), c.order);
    EXPECT_EQ(removed, c.removed);
  }
}

TYPED_TEST(ListTable, NthCountsFromTheFirstItem) {
  typename TestFixture::L list;
  std::string removed;
  TestFixture::Run(list, "Aa Ab Ac", removed);
  EXPECT_EQ(list.Nth(0), list.First());
  EXPECT_EQ(list.Nth(2)->name, 'c');
  EXPECT_EQ(list.Nth(3), nullptr);
  EXPECT_EQ(list.Nth(100), nullptr);
  typename TestFixture::L empty;
  EXPECT_EQ(empty.Nth(0), nullptr);
}

// ---------------------------------------------------------------------------
// Destruction: Clear, the destructor and Delete destroy items first to last.

template <class Link>
struct Logged : Link {
  Logged(int i, std::vector<int>* l) : id(i), log(l) {}
  Logged(const Logged& other) : Link(other), id(other.id + 100), log(other.log) {}
  ~Logged() { log->push_back(id); }
  int id;
  std::vector<int>* log;
};

template <class K>
class ListDestruction : public ::testing::Test {};
using LoggedKinds = ::testing::Types<Kind<List<Logged<ListItem>>, Logged<ListItem>>,
                                     Kind<DblList<Logged<DblListItem>>, Logged<DblListItem>>>;
TYPED_TEST_SUITE(ListDestruction, LoggedKinds);

TYPED_TEST(ListDestruction, ClearAndTheDestructorDestroyEveryItemFirstToLast) {
  using E = typename TypeParam::Item;
  std::vector<int> log;
  {
    typename TypeParam::ListType list;
    for (int i = 1; i <= 3; ++i) list.Append(new E(i, &log));
    list.Clear();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Last(), nullptr);
    list.Prepend(new E(4, &log));
    list.Prepend(new E(5, &log));
  }
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3, 5, 4}));
}

TYPED_TEST(ListDestruction, CopyFromAppendsCopiesInOrder) {
  using E = typename TypeParam::Item;
  std::vector<int> log;
  typename TypeParam::ListType source;
  typename TypeParam::ListType copy;
  for (int i = 1; i <= 3; ++i) source.Append(new E(i, &log));
  copy.Append(new E(9, &log));
  copy.CopyFrom(source);
  std::vector<int> ids;
  for (E& e : copy) ids.push_back(e.id);
  EXPECT_EQ(ids, (std::vector<int>{9, 101, 102, 103}));
  EXPECT_EQ(copy.Last()->id, 103);
  // Copying a list into itself doubles it once.
  source.CopyFrom(source);
  ids.clear();
  for (E& e : source) ids.push_back(e.id);
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 101, 102, 103}));
  EXPECT_TRUE(log.empty());
}

// CopyFrom copies deeply: the copies own their names and sequences.
struct NamedRecord : ListItem {
  charString name;
  Seq<int> values;
};

TEST(ListCopyFrom, ChangingACopyLeavesTheSourceUnchanged) {
  List<NamedRecord> source;
  for (int i = 0; i < 2; ++i) {
    NamedRecord* r = new NamedRecord;
    r->name = i == 0 ? "first" : "second";
    r->values.SetSize(2);
    r->values[0] = i;
    r->values[1] = 10 + i;
    source.Append(r);
  }
  List<NamedRecord> copy;
  copy.CopyFrom(source);
  ASSERT_STREQ(copy.First()->name.Text(), "first");
  ASSERT_STREQ(copy.Last()->name.Text(), "second");
  EXPECT_NE(copy.First()->name.Text(), source.First()->name.Text());
  copy.First()->name = "changed";
  copy.First()->values[0] = 77;
  copy.Last()->values.Resize(1);
  EXPECT_STREQ(source.First()->name.Text(), "first");
  EXPECT_EQ(source.First()->values[0], 0);
  EXPECT_EQ(source.Last()->values.Count(), 2u);
  EXPECT_EQ(source.Last()->values[1], 11);
}

// ---------------------------------------------------------------------------
// An element whose link is not its first base: the lamps put a base with
// virtual functions first.

struct LampBase {
  virtual ~LampBase() = default;
  virtual int Intensity() const { return 1; }
  double position[3] = {0, 0, 0};
};

struct Lamp : LampBase, DblListItem {
  Lamp(int i, int* d) : id(i), destroyed(d) {}
  ~Lamp() override { ++*destroyed; }
  int id;
  int* destroyed;
};

TEST(DblListLinkNotFirstBase, ConvertsBetweenElementAndLinkPointers) {
  int destroyed = 0;
  Lamp* lamps[3];
  DblList<Lamp> list;
  for (int i = 0; i < 3; ++i) {
    lamps[i] = new Lamp(i, &destroyed);
    list.Append(lamps[i]);
  }
  // The link part lies behind the polymorphic base.
  ASSERT_NE(static_cast<void*>(DblList<Lamp>::Link(lamps[0])), static_cast<void*>(lamps[0]));
  EXPECT_EQ(DblList<Lamp>::Element(DblList<Lamp>::Link(lamps[1])), lamps[1]);
  EXPECT_EQ(DblList<Lamp>::Link(static_cast<Lamp*>(nullptr)), nullptr);
  EXPECT_EQ(DblList<Lamp>::Element(static_cast<ListItem*>(nullptr)), nullptr);

  std::vector<int> ids;
  for (Lamp& lamp : list) ids.push_back(lamp.id);
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(DblList<Lamp>::Prev(lamps[2]), lamps[1]);
  EXPECT_EQ(DblList<Lamp>::Next(lamps[2]), nullptr);

  EXPECT_EQ(list.Remove(lamps[1]), lamps[1]);
  EXPECT_EQ(DblList<Lamp>::Next(lamps[0]), lamps[2]);
  EXPECT_EQ(DblList<Lamp>::Prev(lamps[2]), lamps[0]);
  list.Delete(lamps[2]);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(list.Last(), lamps[0]);
  EXPECT_EQ(list.First()->Intensity(), 1);
  list.Clear();
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(list.First(), nullptr);
  delete lamps[1];
  EXPECT_EQ(destroyed, 3);
}

// ---------------------------------------------------------------------------
// Misuse that would corrupt a list ends in the internal-error box.

TEST(ListMisuseDeathTest, UnlinkingAnItemThatDoesNotFollowIsAnInternalError) {
  EXPECT_EXIT(
      {
        List<SingleItem> list;
        SingleItem* a = new SingleItem('a');
        SingleItem* b = new SingleItem('b');
        SingleItem* c = new SingleItem('c');
        list.Append(a);
        list.Append(b);
        list.Append(c);
        list.RemoveAfter(a, c);
      },
      ::testing::ExitedWithCode(1), "Runtime Error: ListBase::RemoveAfter");
  EXPECT_EXIT(
      {
        DblList<DoubleItem> list;
        list.Append(new DoubleItem('a'));
        DoubleItem loose('x');
        list.Remove(&loose);
      },
      ::testing::ExitedWithCode(1), "Runtime Error: DblListBase::Remove");
  EXPECT_EXIT(
      {
        List<SingleItem> list;
        list.Append(nullptr);
      },
      ::testing::ExitedWithCode(1), "Runtime Error: ListBase::Append");
}

}  // namespace
