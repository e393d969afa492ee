#pragma once

#include <iosfwd>

// Which characters may start and continue an identifier: 256 bit masks indexed
// by the character's code as an unsigned byte. Pair k (k = 1..4) of bits is one
// identifier class: bit 4^(k-1) marks a character that may begin an identifier
// of class k, twice that bit one that may continue it.
class CharClassTable {
public:
  // 256 zero entries, owned by the table.
  CharClassTable();
  // Refers to 256 entries that the caller keeps (not owned, read only).
  explicit CharClassTable(const unsigned char* entries);
  ~CharClassTable();
  CharClassTable(const CharClassTable&) = delete;
  CharClassTable& operator=(const CharClassTable&) = delete;

  // ORs bits into the entry of every character of the NUL-terminated text.
  // Only an owned table can be changed ("CharClassTable::SetBits" otherwise).
  void SetBits(const char* chars, unsigned char bits);
  // Letters and "_" start and continue class 1, digits continue it.
  void InitIdentifiers();
  // InitIdentifiers, then the sixteen operator characters start and continue class 2.
  void InitOperators();
  // Writes the table as the source text of a constant array, 8 entries a line,
  // in lower-case hexadecimal. The stream is left in hexadecimal mode.
  void Dump(std::ostream& os) const;

  unsigned char operator[](unsigned char c) const { return entries_[c]; }
  const unsigned char* Entries() const { return entries_; }

private:
  const unsigned char* entries_;
  unsigned char* owned_;  // the same storage when owned, else null
};

// The identifier table of the scene, geometry, expression and dialog readers
// (InitIdentifiers) and the operator table of the Prolog reader (InitOperators).
extern const unsigned char kIdentifierClassTable[256];
extern const unsigned char kOperatorClassTable[256];
