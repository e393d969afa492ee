#pragma once

// The Prolog reader's tokenizer: comments from "%" to the line end and from
// "/*" to "*/", names of letters, digits and "_" or of the operator characters
// "+-*/=`:\^<>?@#$&", unsigned numbers, every other character a token of its
// own, the end of the text a token of kind "error". A "." after digits that
// white space, "%" or the end of the text follows is the clause's full stop,
// not part of the number: "X > 1." ends a clause, "2.5" stays a number.

#include <istream>

#include "foundation/scanner.h"

class pParser : public PrologScanner<ScannerMemo> {
public:
  // Stands on the first token of the text. The ring is that of the
  // configuration: zavo::kPrologFileScannerConfig (10 tokens of 100
  // characters) for consulted files, zavo::kPrologGoalScannerConfig (2 of 50)
  // for goal texts. A token longer than a slot is an error: it ends the text,
  // so the clause it stands in is refused.
  explicit pParser(std::istream& in,
                   const zavo::ScannerConfig& config = zavo::kPrologFileScannerConfig);
};
