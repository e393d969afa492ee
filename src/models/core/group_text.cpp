// The group's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/group.h"
#include "models/core/object_block.h"
#include "scene/scene.h"

void GGroup::Write(std::ostream& os) const {
  zavo::WriteWrapperHead(os, *this, "group");
  if (children_) {
    for (const CG_GraphicObject& child : *children_) child.Write(os);
  }
  os << "}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_GroupModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                       CG_GraphicObjectCommData& data) {
  std::unique_ptr<DblList<CG_GraphicObject>> children;
  for (;;) {
    if (std::strcmp(s.Text(), "}") == 0) {
      s.Next();
      return std::make_unique<GGroup>(data, std::move(children));
    }
    if (std::strcmp(s.Text(), "{") != 0) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    std::unique_ptr<CG_GraphicObject> child = zavo::ReadObjectBlock(scene, s);
    if (!child) return nullptr;
    if (!children) children = std::make_unique<DblList<CG_GraphicObject>>();
    children->Append(child.release());
  }
}
