#include "editor/import/utf8_decode.h"

namespace zavo {

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead < 0x80) {
      length = 1, code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, code = lead & 0x1Fu, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, code = lead & 0x0Fu, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, code = lead & 0x07u, least = 0x10000;
    }
    bool good = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
    for (int k = 1; good && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      good = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3Fu);
    }
    good = good && code >= least && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    out.push_back(good ? code : U'\uFFFD');
    i += good ? static_cast<std::size_t>(length) : 1;
  }
  return out;
}

}  // namespace zavo
