#pragma once

#include "foundation/fragmented_seq.h"
#include "geometry/box_intr.h"

namespace zavo {

// The queue of the best-first ray query: node crossings in ascending entry
// distance. The records live in a caller's sequence, kept from query to query
// so that a grown queue allocates nothing more; the live records are those
// from Head() to End() - 1. A record has an entryDistance.
template <class Rec>
class BasicHierQueue {
public:
  // Makes the sequence hold at least 100 records.
  explicit BasicHierQueue(FragmentedSeq<Rec, int>& records) : q_(records) {
    if (q_.Size() < 100) q_.SetSize(100);
  }

  // The root's crossing alone in record 0.
  void Start(const Rec& root) {
    q_[0] = root;
    head_ = 0;
    end_ = 1;
  }
  bool Empty() const { return head_ == end_; }
  Rec Take() { return q_[head_++]; }

  // A record strictly nearer than the head record goes just before it when
  // there is room there; otherwise it goes before the first record strictly
  // farther, or at the end, so equal distances keep the order of insertion.
  // An empty queue has no head record to compare with: the record goes to
  // the end. The sequence grows by 100 records when end + 1 reaches its size.
  void Insert(const Rec& rec) {
    if (end_ + 1 >= q_.Size()) q_.SetSize(q_.Size() + 100);
    const double e = rec.entryDistance;
    if (head_ < end_ && head_ > 0 && e < q_[head_].entryDistance) {
      q_[--head_] = rec;
      return;
    }
    int at = head_;
    while (at < end_ && !(q_[at].entryDistance > e)) ++at;
    for (int k = end_; k > at; --k) q_[k] = q_[k - 1];
    q_[at] = rec;
    ++end_;
  }

  int Head() const { return head_; }
  int End() const { return end_; }
  const Rec& Record(int i) const { return q_[i]; }

private:
  FragmentedSeq<Rec, int>& q_;
  int head_ = 0;
  int end_ = 0;
};

using HierQueue = BasicHierQueue<BoxIntr2>;

}  // namespace zavo
