#include "win/preview_paging.h"

namespace zavo {

PreviewPaging::PreviewPaging(int lowest, int highest) : lowest_(lowest), highest_(highest) {}

void PreviewPaging::Previous() {
  if (first_ <= lowest_) return;
  --first_;
  --last_;
}

void PreviewPaging::Next() {
  if (last_ >= highest_) return;
  ++first_;
  ++last_;
}

void PreviewPaging::OnePage() {
  twoUp_ = false;
  last_ = first_;
}

void PreviewPaging::TwoPages() {
  if (twoUp_) return;
  twoUp_ = true;
  if (first_ != highest_) {
    last_ = first_ + 1;
  } else if (highest_ >= 2) {
    first_ = highest_ - 1;
    last_ = highest_;
  }
}

std::string PreviewPaging::Text() const {
  if (last_ != first_) {
    return "Page " + std::to_string(first_) + " - " + std::to_string(last_);
  }
  return "Page " + std::to_string(first_);
}

}  // namespace zavo
