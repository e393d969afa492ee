#pragma once
// The page numbers that the print preview shows, one page or two side by
// side, and the rules of its paging commands.

#include <string>

namespace zavo {

class PreviewPaging {
public:
  // Pages lowest to highest; page 1 shown alone.
  PreviewPaging(int lowest, int highest);

  int First() const { return first_; }
  // The last page shown (the first while one page is shown or the second
  // window shows no page).
  int Last() const { return last_; }
  bool TwoUp() const { return twoUp_; }

  // Both page numbers down by 1, when the first is above the lowest page.
  void Previous();
  // Both page numbers up by 1, when the last is below the highest page.
  void Next();
  // The second page goes away.
  void OnePage();
  // A second page beside the first: the next page; at the highest page the
  // pair moves back by one; with a single page 1 the second shows no page.
  void TwoPages();

  bool CanPrevious() const { return first_ != 1; }
  bool CanNext() const { return last_ != highest_; }
  // Two pages fit side by side unless the page is wider than high.
  static bool CanTwoPages(int pageWidth, int pageHeight) { return pageHeight >= pageWidth; }

  // "Page %d - %d" while two different pages are shown, else "Page %d".
  std::string Text() const;

private:
  int lowest_;
  int highest_;
  int first_ = 1;
  int last_ = 1;
  bool twoUp_ = false;
};

}  // namespace zavo
