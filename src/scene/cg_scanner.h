#pragma once

#include <istream>

#include "geometry/geo_scanner.h"

// The tokenizer of scene texts, in the standard configuration of every reader
// of this system: "/*" "*/" and "//" comments, identifiers, signed numbers with
// exponent, 2 slots of 256 characters, and a token too long for a slot ends the
// input. Call Next to stand on the first token.
//
// The reading operations themselves (Get, ReadSection, ReadObjectHeader,
// ReadModel, Expect, ExpectWord, SetError, ...) belong to the scene
// (CG_GraphicScene) and take any ScannerMemo, so that model readers hand on the
// scanner they were given.
class CGScanner : public GeoScanner {
public:
  explicit CGScanner(std::istream& input) : GeoScanner(input) {}
};
