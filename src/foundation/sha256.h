#pragma once

// SHA-256 of a text, for caches that must recognise what they were made from.

#include <string>
#include <string_view>

namespace zavo {

// The 64 lower-case hexadecimal digits of the SHA-256 digest of the bytes.
std::string Sha256Hex(std::string_view bytes);

}  // namespace zavo
