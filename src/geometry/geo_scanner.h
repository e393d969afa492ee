#pragma once

#include <istream>

#include "foundation/scanner.h"

// The tokenizer of the geometry files (pbrep meshes, hierarchy files) in the
// standard configuration: "/*" "*/" and "//" comments, identifiers, signed
// numbers with exponent, 2 slots of 256 characters, and a token too long for
// a slot ends the input. Call Next to stand on the first token.
class GeoScanner : public CScanner<ScannerMemo> {
public:
  explicit GeoScanner(std::istream& input) : CScanner<ScannerMemo>(input, zavo::kStandardScannerConfig) {}
};
