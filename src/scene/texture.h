#pragma once

// A texture: a named 24-bit image that objects use as a colour or a bump
// texture, and the scene's list of textures.

#include <iosfwd>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "geometry/bitmap_manager.h"
#include "geometry/point3d.h"

// Thrown by the texture constructor when the image does not load.
class xQZTexture {};

class CG_Texture : public DblListItem {
public:
  // Stores the name, then loads the image from fileStem followed by ".bmp",
  // found as zavo::ResolvePath finds files ("\" as "/", then a case-insensitive
  // match of the file name). Throws xQZTexture when the file is missing or is
  // not a valid 24-bit BMP.
  CG_Texture(const char* name, const char* fileStem);

  // The colour (r, g, b in x, y, z, each 0..1) of the texel at (u, v): the
  // texture repeats in both directions, v = 0 is the bottom row and u = 0 the
  // left column. A non-finite u or v reads as 0.
  Point3D ColorAt(double u, double v) const;

  // "{ texture name " name " ;}\n"
  void Write(std::ostream& os) const;

  charString name;
  BitmapManager image;
};

// The scene's texture list. Delete unlinks a texture and destroys it with its
// image; CopyFrom appends copies with copies of their images.
template <>
class DblList<CG_Texture> : public DblListBase<CG_Texture> {
public:
  DblList() = default;

  // The first texture, from the head, whose name equals name exactly; null if none.
  CG_Texture* Find(const char* name) const;

  // Cursor iteration: a cursor starts as null (ResetIteration); Next moves it to
  // the head when it is null, else to the following texture, and answers
  // whether it points at a texture.
  static void ResetIteration(CG_Texture*& cursor) { cursor = nullptr; }
  int Next(CG_Texture*& cursor) const;
  using DblListBase<CG_Texture>::Next;

  // Every texture's Write followed by "\n", from the head.
  void WriteAll(std::ostream& os) const;
};
