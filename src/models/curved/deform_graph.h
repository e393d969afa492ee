#pragma once

// The deformation graph, model keyword "deformgraph": a curve object (the
// graph) read as a function y = f(x) in the curve's own coordinates, with a
// placement frame (centre and two axes) and two integer settings that are
// only kept for the editor. The profile sweep asks it for one value per step
// (PointAt). In the views it shows as its curve; it has no material and is
// not ray-traced.
//
// Its text body, inside "model { deformgraph" ... "}", each entry ended by ";":
//   center ( x , y , z );   default (0, 0, 0)
//   nx ( x , y , z );       default (1, 0, 0)
//   ny ( x , y , z );       default (0, 1, 0)
//   c1 i;  c2 i;            defaults 0 and 1; truncated toward zero
//   size { object ... }     the graph: an object block of any model type

#include <iosfwd>
#include <memory>

#include "geometry/point3d.h"
#include "scene/graphic_object.h"
#include "scene/registry.h"
#include "scene/system_interface.h"

class CG_PathControlDescription {
public:
  CG_PathControlDescription() = default;
  // Destroys the graph when it owns it.
  ~CG_PathControlDescription();
  CG_PathControlDescription(const CG_PathControlDescription&) = delete;
  CG_PathControlDescription& operator=(const CG_PathControlDescription&) = delete;

  int c1 = 0;
  int c2 = 1;
  Point3D center;
  Point3D nx{1, 0, 0};
  Point3D ny{0, 1, 0};
  CG_GraphicObject* graph = nullptr;  // a curve
  int graphOwned = 0;                 // 1: the graph belongs to the holder
  CG_GraphicSystemInterface* sysInterface = nullptr;  // the scene's; not owned
};

class CG_PathControl : public CG_GraphicObject {
public:
  // Name, IDname and toll from the common data; then SetDescription.
  CG_PathControl(const CG_GraphicObjectCommData& data, CG_PathControlDescription& description);
  // Destroys the graph when owned.
  ~CG_PathControl() override;
  CG_PathControl(const CG_PathControl&) = delete;

  // Name and IDname into and from the record; 1.
  int GetCommData(CG_GraphicObjectCommData& data) override;
  int SetCommData(CG_GraphicObjectCommData& data) override;
  // "{ object\n\tname N;\n", "\tIDname I;\n" when the IDname is set and not
  // empty, "\tmodel { deformgraph\n" with the centre, the axes, c1, c2, then
  // "\t\tsize " followed by the graph's own block and "\n", and "\t}\n}\n".
  // Without a graph there is no "size" entry.
  void Write(std::ostream& os) const override;
  const char* Keyword() const override { return "deformgraph"; }

  // The graph itself, not owned; 0, adding nothing, without a graph.
  int DeclassToFaced(zavo::DeclassedParts& parts, int mode) override;
  // 0, the list left alone.
  int GetChildren(Seq<CG_GraphicObject*>& children) override;
  // The list emptied; 1 (a graph has no material or texture).
  int GetMaterials(Seq<CG_NamedMaterial*>& materials) const override;
  int GetTextures(Seq<CG_Texture*>& textures) const override;

  // The range in which the sweep asks: 0 and 1.
  double ParamMin() const override { return 0.0; }
  double ParamMax() const override { return 1.0; }
  // The graph's y at x: a bisection on the graph's own parameter range that
  // follows the direction of x, ending at the first bracket narrower than
  // 0.003 in x (its start's y) or after 200 halvings (the same); 1.0 when x
  // lies outside the bracket's x range, and without a graph or when the graph
  // is no curve.
  double PointAt(double x) const;

  // Copies the five settings, hands over the graph with its owned flag and
  // the interface (the object keeps no graph afterwards). A graph the
  // description owned before is destroyed.
  void GetDescription(CG_PathControlDescription& description);
  // Copies the five settings; destroys the own graph when owned, takes the
  // description's graph (the description's becomes null) with its owned flag
  // and the interface.
  void SetDescription(CG_PathControlDescription& description);

  const CG_GraphicObject* Graph() const { return graph_; }

private:
  void DropGraph();

  int c1_ = 0;
  int c2_ = 1;
  Point3D center_;
  Point3D nx_{1, 0, 0};
  Point3D ny_{0, 1, 0};
  CG_GraphicObject* graph_ = nullptr;
  int graphOwned_ = 0;
  CG_GraphicSystemInterface* sysInterface_ = nullptr;
};

class CG_PathControlModule : public CG_GraphicObjectModule {
public:
  const char* Keyword() const override { return "deformgraph"; }
  // Reads the body up to and including "}". A point that does not read
  // records "Wrong point definition" (code 5), keeps the previous value, and
  // reading goes on; "Number wanted" and "Unknown attribute" (code 5) and a
  // missing ";" (code 2) give null; "size" without "{", or a token that is no
  // word where a key is expected, gives null with no code of its own; "size"
  // without "object" (code 3), a graph that does not read, or without its
  // closing "}" (code 2) gives null. On any failure the graph read so far is
  // destroyed.
  std::unique_ptr<CG_GraphicObject> Read(CG_GraphicScene& scene, ScannerMemo& scanner,
                                         CG_GraphicObjectCommData& data) override;
};
