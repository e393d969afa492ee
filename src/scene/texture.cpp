#include "scene/texture.h"

#include <cmath>
#include <cstring>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/path_resolver.h"

CG_Texture::CG_Texture(const char* textureName, const char* fileStem) : name(textureName) {
  if (fileStem == nullptr) throw xQZTexture();
  const auto file = zavo::ResolvePath(std::string(fileStem) + ".bmp");
  if (!file || !image.Load(*file)) throw xQZTexture();
}

Point3D CG_Texture::ColorAt(double u, double v) const {
  const int w = image.Width();
  const int h = image.Height();
  if (w <= 0 || h <= 0) return {};
  if (!std::isfinite(u)) u = 0;
  if (!std::isfinite(v)) v = 0;
  const double fu = u - std::floor(u);
  const double fv = v - std::floor(v);
  // fu or fv may round up to 1.0 for a tiny negative coordinate: the modulo
  // brings the column or row back into the image.
  const int x = zavo::SaturateToInt(w * fu) % w;
  const int r = zavo::SaturateToInt(h * fv) % h;
  int red = 0, green = 0, blue = 0;
  image.GetPixel(x, h - 1 - r, red, green, blue);
  return {red / 255.0, green / 255.0, blue / 255.0};
}

void CG_Texture::Write(std::ostream& os) const { os << "{ texture name " << name << " ;}\n"; }

CG_Texture* DblList<CG_Texture>::Find(const char* textureName) const {
  if (textureName == nullptr) return nullptr;
  for (CG_Texture& t : *this) {
    if (t.name.Text() != nullptr && std::strcmp(t.name.Text(), textureName) == 0) return &t;
  }
  return nullptr;
}

int DblList<CG_Texture>::Next(CG_Texture*& cursor) const {
  cursor = cursor == nullptr ? First() : DblListBase<CG_Texture>::Next(cursor);
  return cursor != nullptr;
}

void DblList<CG_Texture>::WriteAll(std::ostream& os) const {
  for (const CG_Texture& t : *this) {
    t.Write(os);
    os << "\n";
  }
}
