#include "foundation/scanner.h"

#include <cstring>
#include <limits>
#include <ostream>

ScannerBase::ScannerBase(std::istream& input) : input_(&input), source_(input.rdbuf()) {
  Read();
}

ScannerBase::~ScannerBase() = default;

const char* ScannerBase::KindName(int kind) {
  switch (kind) {
    case zavo::kTokenLogicError: return "logic_error";
    case zavo::kTokenError: return "error";
    case zavo::kTokenIdentifier: return "identifier";
    case zavo::kTokenSpecial: return "special";
    case zavo::kTokenInteger: return "number_integer";
    case zavo::kTokenFloat: return "number_float";
    case zavo::kTokenScient: return "number_scient";
    default: return nullptr;
  }
}

ScannerMemo::ScannerMemo(std::istream& input) : ScannerBase(input) {}

ScannerMemo::~ScannerMemo() = default;

void ScannerMemo::InitMemo(int slots, int length) {
  const std::size_t slotSize = static_cast<std::size_t>(kSlotHeader) + static_cast<std::size_t>(length) + 1;
  if (slots < 1 || length < 1 || length > std::numeric_limits<int>::max() - kSlotHeader - 1 ||
      static_cast<std::size_t>(slots) > std::numeric_limits<std::size_t>::max() / slotSize) {
    RuntimeErrorBox("InitMemo");
  }
  // Value-initialised: every slot starts as an "error" token with empty text.
  std::unique_ptr<unsigned char[]> ring(new unsigned char[static_cast<std::size_t>(slots) * slotSize]());
  ring_ = std::move(ring);
  slots_ = slots;
  tokenLength_ = length;
  currentSlot_ = lastSlot_ = viewSlot_ = 0;
  token_.Attach(SlotText(0), static_cast<std::uint32_t>(length), 0);
  currentText_ = SlotText(0);
}

void ScannerMemo::ScanInto(int slot) {
  token_.Attach(SlotText(slot), static_cast<std::uint32_t>(tokenLength_), 0);
  ScanToken();
  unsigned char* s = Slot(slot);
  s[0] = static_cast<unsigned char>(static_cast<signed char>(kind_));
  s[1] = scanCut_ ? 1 : 0;
  std::int32_t line = scanLine_;
  std::memcpy(s + 2, &line, sizeof line);
}

void ScannerMemo::View(int slot) {
  viewSlot_ = slot;
  token_.Attach(SlotText(slot), static_cast<std::uint32_t>(tokenLength_), 1);
  kind_ = static_cast<signed char>(Slot(slot)[0]);
  currentText_ = token_.Get();
}

void ScannerMemo::Next() {
  if (!ring_) RuntimeErrorBox("Next");
  if (currentSlot_ == lastSlot_) {
    currentSlot_ = lastSlot_ = (lastSlot_ + 1) % slots_;
    ScanInto(currentSlot_);
    viewSlot_ = currentSlot_;
    currentText_ = token_.Get();
  } else {
    currentSlot_ = (currentSlot_ + 1) % slots_;
    View(currentSlot_);
  }
}

int ScannerMemo::Adv(int n) {
  if (!ring_) RuntimeErrorBox("Adv");
  if (n < 0 || n > slots_ - 1) return 0;
  int ahead = (lastSlot_ - currentSlot_ + slots_) % slots_;
  while (ahead < n) {
    lastSlot_ = (lastSlot_ + 1) % slots_;
    ScanInto(lastSlot_);
    ++ahead;
  }
  View((currentSlot_ + n) % slots_);
  return 1;
}

int ScannerMemo::TokenLine() const {
  if (!ring_) return 0;
  std::int32_t line;
  std::memcpy(&line, Slot(viewSlot_) + 2, sizeof line);
  return line;
}

int ScannerMemo::ReadRaw(char stop, std::string& text) {
  if (!ring_ || currentSlot_ != lastSlot_) RuntimeErrorBox("ReadRaw");
  text.clear();
  const int end = static_cast<unsigned char>(stop);
  while (current_ >= 0) {
    const int c = current_;
    Read();
    if (c == end) return 1;
    text.push_back(static_cast<char>(c));
  }
  return 0;
}

bool ScannerMemo::TokenCut() const { return ring_ && Slot(viewSlot_)[1] != 0; }

void ScannerMemo::Dump(std::ostream& os) {
  Next();
  while (kind_ != zavo::kTokenError) {
    const char* name = KindName();
    os << (name ? name : "") << "   " << currentText_ << '\n';
    Next();
  }
  os << '\n';
}

template class CommonScanner<ScannerMemo>;
template class CScanner<ScannerMemo>;
template class PrologScanner<ScannerMemo>;
