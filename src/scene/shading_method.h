#pragma once

// The base of the shading methods: the colour that one ray hit sends back
// toward the viewer. The registry keeps the methods and finds them by keyword.

#include <memory>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "geometry/point3d.h"

class CG_GraphicScene;
class CG_Material;

class CG_ShadingMetod : public ListItem {
public:
  explicit CG_ShadingMetod(const char* keyword) : keyword_(keyword) {}
  virtual ~CG_ShadingMetod() = default;
  CG_ShadingMetod(const CG_ShadingMetod&) = delete;
  CG_ShadingMetod& operator=(const CG_ShadingMetod&) = delete;

  // The method's keyword, the value of the render parameter "shade" that chooses it.
  const char* Keyword() const { return keyword_.Text(); }

  // A new material of the model this method shades.
  virtual std::unique_ptr<CG_Material> NewMaterial() const = 0;
  // The colour (r, g, b) of a hit with the material at point P with unit normal N.
  virtual Point3D Shade(CG_GraphicScene& scene, const CG_Material& material, const Point3D& P,
                        const Point3D& N) = 0;
  // The colour without shadow rays; calls Shade by default.
  virtual Point3D ShadeWithoutShadows(CG_GraphicScene& scene, const CG_Material& material,
                                      const Point3D& P, const Point3D& N) {
    return Shade(scene, material, P, N);
  }

private:
  charString keyword_;
};
