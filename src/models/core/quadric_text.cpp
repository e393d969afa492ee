// The quadric's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "models/core/quadric.h"
#include "scene/scene.h"

namespace {

// The coefficient a one-letter attribute names; null for any other word.
double* Coefficient(QuadricCoefficients& q, const char* word) {
  if (word[0] == '\0' || word[1] != '\0') return nullptr;
  switch (word[0]) {
    case 'a': return &q.a;
    case 'b': return &q.b;
    case 'c': return &q.c;
    case 'd': return &q.d;
    case 'e': return &q.e;
    case 'f': return &q.f;
    case 'g': return &q.g;
    case 'h': return &q.h;
    case 'i': return &q.i;
    case 'j': return &q.j;
    default: return nullptr;
  }
}

}  // namespace

void GQuad::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { quad\n";
  const double values[10] = {q_.a, q_.b, q_.c, q_.d, q_.e, q_.f, q_.g, q_.h, q_.i, q_.j};
  for (int k = 0; k < 10; ++k) os << "\t\t" << static_cast<char>('a' + k) << ' ' << values[k] << ";\n";
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_QuadModule::Read(CG_GraphicScene&, ScannerMemo& s,
                                                      CG_GraphicObjectCommData& data) {
  QuadricCoefficients q;
  for (;;) {
    if (std::strcmp(s.Text(), "}") == 0) {
      s.Next();
      return std::make_unique<GQuad>(data, q);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    double* coefficient = Coefficient(q, s.Text());
    if (coefficient == nullptr) return nullptr;
    s.Next();
    if (!zavo::TokenToDouble(s, *coefficient)) return nullptr;
    s.Next();
    if (std::strcmp(s.Text(), ";") != 0) return nullptr;
    s.Next();
  }
}
