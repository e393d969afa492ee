#include "foundation/char_class_table.h"

#include <ostream>

#include "foundation/runtime_error_box.h"

namespace {

const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_";
const char kLettersAndDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890_";
const char kOperators[] = "+-*/=`:\\^<>?@#$&";

}  // namespace

CharClassTable::CharClassTable() : owned_(new unsigned char[256]()) { entries_ = owned_; }

CharClassTable::CharClassTable(const unsigned char* entries) : entries_(entries), owned_(nullptr) {}

CharClassTable::~CharClassTable() { delete[] owned_; }

void CharClassTable::SetBits(const char* chars, unsigned char bits) {
  if (!owned_) RuntimeErrorBox("CharClassTable::SetBits");
  for (const char* p = chars; *p; ++p) owned_[static_cast<unsigned char>(*p)] |= bits;
}

void CharClassTable::InitIdentifiers() {
  SetBits(kLetters, 1);
  SetBits(kLettersAndDigits, 2);
}

void CharClassTable::InitOperators() {
  InitIdentifiers();
  SetBits(kOperators, 4);
  SetBits(kOperators, 8);
}

void CharClassTable::Dump(std::ostream& os) const {
  os << "char c[256]= {" << std::hex;
  for (int i = 0; i < 256; ++i) {
    os << "0x" << static_cast<unsigned>(entries_[i]);
    if (i != 255) os << " , ";
    if (i % 8 == 7) os << '\n';
  }
  os << " };\n";
}

// Letters and "_": 3 (start and rest of class 1); digits: 2 (rest of class 1);
// the operator characters + - * / = ` : \ ^ < > ? @ # $ &: 12 in the operator
// table (start and rest of class 2); every other code, and all of 128..255: 0.
#define Z8 0, 0, 0, 0, 0, 0, 0, 0
#define L8 3, 3, 3, 3, 3, 3, 3, 3

const unsigned char kIdentifierClassTable[256] = {
    Z8, Z8, Z8, Z8,                          // 0..31
    Z8,                                      // 32..39  ' ' ! " # $ % & '
    Z8,                                      // 40..47  ( ) * + , - . /
    2, 2, 2, 2, 2, 2, 2, 2,                  // 48..55  0..7
    2, 2, 0, 0, 0, 0, 0, 0,                  // 56..63  8 9 : ; < = > ?
    0, 3, 3, 3, 3, 3, 3, 3,                  // 64..71  @ A..G
    L8, L8,                                  // 72..87  H..W
    3, 3, 3, 0, 0, 0, 0, 3,                  // 88..95  X Y Z [ \ ] ^ _
    0, 3, 3, 3, 3, 3, 3, 3,                  // 96..103 ` a..g
    L8, L8,                                  // 104..119 h..w
    3, 3, 3, 0, 0, 0, 0, 0,                  // 120..127 x y z { | } ~ DEL
    Z8, Z8, Z8, Z8, Z8, Z8, Z8, Z8,          // 128..191
    Z8, Z8, Z8, Z8, Z8, Z8, Z8, Z8,          // 192..255
};

const unsigned char kOperatorClassTable[256] = {
    Z8, Z8, Z8, Z8,                          // 0..31
    0, 0, 0, 12, 12, 0, 12, 0,               // 32..39  ' ' ! " # $ % & '
    0, 0, 12, 12, 0, 12, 0, 12,              // 40..47  ( ) * + , - . /
    2, 2, 2, 2, 2, 2, 2, 2,                  // 48..55  0..7
    2, 2, 12, 0, 12, 12, 12, 12,             // 56..63  8 9 : ; < = > ?
    12, 3, 3, 3, 3, 3, 3, 3,                 // 64..71  @ A..G
    L8, L8,                                  // 72..87  H..W
    3, 3, 3, 0, 12, 0, 12, 3,                // 88..95  X Y Z [ \ ] ^ _
    12, 3, 3, 3, 3, 3, 3, 3,                 // 96..103 ` a..g
    L8, L8,                                  // 104..119 h..w
    3, 3, 3, 0, 0, 0, 0, 0,                  // 120..127 x y z { | } ~ DEL
    Z8, Z8, Z8, Z8, Z8, Z8, Z8, Z8,          // 128..191
    Z8, Z8, Z8, Z8, Z8, Z8, Z8, Z8,          // 192..255
};

#undef Z8
#undef L8
