#include "editor/import/dxf_reader.h"

#include <climits>

#include "editor/import/import_files.h"
#include "foundation/number_text.h"

namespace zavo {

bool DxfWords::Next(std::string& word) { return static_cast<bool>(in_ >> word); }

int DxfInteger(const std::string& word) {
  std::size_t i = 0;
  bool negative = false;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
  long long value = 0;
  for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
    if (value <= INT_MAX) value = value * 10 + (word[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

namespace {

// The next word as a real (its leading number, 0 without one).
double NextReal(DxfWords& words) {
  std::string word;
  return words.Next(word) ? LeadingNumber(word) : 0.0;
}

int NextInteger(DxfWords& words) {
  std::string word;
  return words.Next(word) ? DxfInteger(word) : 0;
}

void NextWord(DxfWords& words, std::string& into) {
  if (!words.Next(into)) into.clear();
}

// The field of a header code, or null when the code ends the header.
int* HeaderField(DxfPolylineHeader& h, int code) {
  switch (code) {
    case 66: return &h.verticesFollow;
    case 70: return &h.flags;
    case 40: return &h.code40;
    case 41: return &h.code41;
    case 71: return &h.code71;
    case 72: return &h.code72;
    case 73: return &h.code73;
    case 74: return &h.code74;
    case 75: return &h.code75;
    default: return nullptr;
  }
}

double* VertexReal(DxfVertexRecord& r, int code) {
  switch (code) {
    case 10: return &r.x;
    case 20: return &r.y;
    case 30: return &r.z;
    case 40: return &r.code40;
    case 41: return &r.code41;
    case 42: return &r.code42;
    default: return nullptr;
  }
}

int* VertexInteger(DxfVertexRecord& r, int code) {
  switch (code) {
    case 70: return &r.flags;
    case 71: return &r.index71;
    case 72: return &r.index72;
    case 73: return &r.index73;
    case 74: return &r.index74;
    case 75: return &r.code75;
    default: return nullptr;
  }
}

}  // namespace

int ReadDxfPolylineHeader(DxfWords& words, DxfPolylineHeader& header) {
  std::string word;
  while (words.Next(word)) {
    const int code = DxfInteger(word);
    if (code == 8) {
      NextWord(words, header.layer);
    } else if (code == 40 || code == 41) {
      *HeaderField(header, code) = SaturateToInt(NextReal(words));
    } else if (int* field = HeaderField(header, code); field != nullptr) {
      *field = NextInteger(words);
    } else {
      break;
    }
  }
  return 1;
}

int ReadDxfVertex(DxfWords& words, DxfVertexRecord& record) {
  std::string word;
  while (words.Next(word)) {
    const int code = DxfInteger(word);
    if (code == 8) {
      NextWord(words, record.layer);
    } else if (double* real = VertexReal(record, code); real != nullptr) {
      *real = NextReal(words);
    } else if (int* integer = VertexInteger(record, code); integer != nullptr) {
      *integer = SaturateToInt(NextReal(words));
    } else {
      break;
    }
  }
  return 1;
}

int ReadDxfVertices(DxfWords& words, DxfPolyline& polyline) {
  std::string word;
  while (words.Next(word)) {
    if (word == "SEQEND") break;
    if (word != "VERTEX") continue;
    DxfVertexRecord record;
    ReadDxfVertex(words, record);
    if ((record.flags & kDxfPolyface) != 0) {
      polyline.vertices.push_back({record.x, record.y, record.z});
    } else {
      polyline.faces.push_back({record.index71, record.index72, record.index73, record.index74});
    }
  }
  return 1;
}

}  // namespace zavo
