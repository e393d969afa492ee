// The best-first walk's sorted stack gives the order of a binary heap on
// (entry, insertion number): nearest first, equal entries in insertion order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "render/trace_scratch.h"

namespace zavo::test {
namespace {

// The queue the walk had before: a heap on (entry, insertion number).
class HeapQueue {
public:
  void Insert(const QZIntr& item) {
    heap_.push_back({item, counter_++});
    std::push_heap(heap_.begin(), heap_.end(), Later);
  }
  bool Empty() const { return heap_.empty(); }
  QZIntr PopFront() {
    std::pop_heap(heap_.begin(), heap_.end(), Later);
    const QZIntr front = heap_.back().value;
    heap_.pop_back();
    return front;
  }

private:
  struct Item {
    QZIntr value;
    std::uint64_t order;
  };
  static bool Later(const Item& a, const Item& b) {
    return a.value.entry > b.value.entry || (a.value.entry == b.value.entry && a.order > b.order);
  }
  std::vector<Item> heap_;
  std::uint64_t counter_ = 0;
};

TEST(QZIntrStack, PopsInTheHeapsOrderWithManyEqualEntries) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::vector<double> values;  // the entries drawn from
  } cases[] = {
      {"all equal", {2.7}},
      {"two values", {0.0, 1.3}},
      {"zeros of both signs", {0.0, -0.0, 0.3}},
      {"a few values and infinity", {0.0, 0.1, 0.1 + 0.2, 0.3, 7.77, inf}},
      {"many values", {0.5, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 7.5, 8.5, 9.5, 10.5, 11.5}},
  };
  std::mt19937 random(38);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QZIntrStack stack;
    for (int round = 0; round < 200; ++round) {
      HeapQueue heap;
      stack.Clear();
      std::uint32_t number = 0;
      // Pushes and pops mixed as a walk makes them: a pop, then a few children.
      const int steps = 1 + static_cast<int>(random() % 300);
      for (int step = 0; step < steps; ++step) {
        const int inserts = static_cast<int>(random() % 5);
        for (int i = 0; i < inserts; ++i) {
          const QZIntr item{c.values[random() % c.values.size()], number++};
          heap.Insert(item);
          stack.Insert(item);
        }
        if (random() % 3 != 0 && !heap.Empty()) {
          ASSERT_FALSE(stack.Empty());
          const QZIntr expected = heap.PopFront();
          const QZIntr front = stack.Front();
          const QZIntr got = stack.PopFront();
          ASSERT_EQ(got.at, expected.at);
          ASSERT_EQ(front.at, expected.at);
        }
      }
      while (!heap.Empty()) {
        ASSERT_FALSE(stack.Empty());
        ASSERT_EQ(stack.PopFront().at, heap.PopFront().at);
      }
      EXPECT_TRUE(stack.Empty());
    }
  }
}

}  // namespace
}  // namespace zavo::test
