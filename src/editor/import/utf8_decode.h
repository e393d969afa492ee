#pragma once

// Typed text as code points.

#include <string>
#include <string_view>

namespace zavo {

// The code points of UTF-8 text. A byte that does not begin a well-formed
// sequence (a stray continuation byte, a cut or overlong sequence, a
// surrogate or a value above U+10FFFF) gives U+FFFD and decoding goes on
// after it.
std::u32string DecodeUtf8(std::string_view text);

}  // namespace zavo
