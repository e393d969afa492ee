#include "editor/import/glyph_font.h"

#ifdef ZAVO_HAVE_FREETYPE

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zavo {

namespace {

// The file and face index that fontconfig matches to the font, or false.
// A configuration of its own, released afterwards, so that fontconfig keeps
// no program-wide state for the tool.
bool ResolveFontFile(const TextFont& font, std::string& file, int& index) {
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (config == nullptr) return false;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) {
    FcConfigDestroy(config);
    return false;
  }
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(font.weight, 1, 1000)));
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  FcConfigDestroy(config);
  if (match == nullptr) return false;
  FcChar8* path = nullptr;
  bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
  if (found) file = reinterpret_cast<const char*>(path);
  index = 0;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  FcPatternDestroy(match);
  return found;
}

class FreeTypeFont : public GlyphFont {
public:
  ~FreeTypeFont() override {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }

  bool Open(const std::string& file, int index, double pixelSize) {
    if (FT_Init_FreeType(&library_) != 0) return false;
    if (FT_New_Face(library_, file.c_str(), index, &face_) != 0) {
      face_ = nullptr;
      return false;
    }
    // At 72 dots per inch a point is a pixel; sizes in 26.6.
    const double size = std::clamp(std::isfinite(pixelSize) ? pixelSize : 1.0, 1.0, 10000.0);
    return FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(size * 64.0)), 72, 72) == 0;
  }

  bool HasQuadraticOutlines() const override {
    const char* format = FT_Get_Font_Format(face_);
    return format != nullptr && std::strcmp(format, "TrueType") == 0;
  }

  bool Glyph(char32_t code, GlyphOutline& outline) override {
    outline = GlyphOutline{};
    if (FT_Load_Char(face_, code, FT_LOAD_NO_BITMAP) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return false;
    // The cell increment in whole pixels.
    outline.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Outline& source = slot->outline;
    std::vector<OutlinePoint> points(static_cast<std::size_t>(std::max<short>(source.n_points, 0)));
    for (std::size_t i = 0; i < points.size(); ++i) {
      const char tag = FT_CURVE_TAG(source.tags[i]);
      if (tag == FT_CURVE_TAG_CUBIC) return false;
      points[i] = OutlinePoint{source.points[i].x, source.points[i].y, tag == FT_CURVE_TAG_ON};
    }
    std::vector<int> ends(source.contours, source.contours + std::max<short>(source.n_contours, 0));
    outline.contours = OutlineRecords(points, ends);
    return true;
  }

private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

}  // namespace

std::unique_ptr<GlyphFont> OpenGlyphFont(const TextFont& font) {
  std::string file;
  int index = 0;
  if (!ResolveFontFile(font, file, index)) return nullptr;
  auto opened = std::make_unique<FreeTypeFont>();
  if (!opened->Open(file, index, font.pixelSize)) return nullptr;
  return opened;
}

}  // namespace zavo

#else

namespace zavo {

std::unique_ptr<GlyphFont> OpenGlyphFont(const TextFont&) { return nullptr; }

}  // namespace zavo

#endif
