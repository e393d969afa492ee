#pragma once

class CG_ModelRegistry;

// Empties the registry's six lists and fills them with every module of the
// system, in this order (lookups take the first match, so the order is
// behaviour): the bounding-volume list with its "box" module; the mapping
// modules "planar", "spherical", "cilindric"; the material module "phong"; a
// second bounding-volume "box" module; the model modules; the shading methods
// "noshadowphong", then "phong"; the lamp-section modules "pointlamp",
// "conelamp", "transf". Model types and lamps join at their places as they are
// built. Installs the stand-in box of the default declass conversions (a GBox).
void BuildRegistry(CG_ModelRegistry& registry);

namespace zavo {

// Appends the model modules that the editor document adds to a registry that
// BuildRegistry filled: the "bezier" module, at the end of the model list
// (material previews, which use BuildRegistry alone, do not read it).
void AddDocumentModelModules(CG_ModelRegistry& registry);

}  // namespace zavo
