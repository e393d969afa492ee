#pragma once
#include <istream>

#include "foundation/scanner.h"

// The tokenizer of the expression language: comments "/*" "*/" and "//",
// identifiers of letters, digits and "_", unsigned numbers (a sign is never
// part of a number), every other character a one-character special, and a
// ring of 10 tokens of 100 characters. A token too long for a slot ends the
// input, so the expression it stands in is refused.
class eScanner : public CScanner<ScannerMemo> {
public:
  using CScanner<ScannerMemo>::CScanner;
  explicit eScanner(std::istream& input) : CScanner<ScannerMemo>(input, zavo::kExpressionScannerConfig) {
    SetCutEndsInput(true);
  }
};
