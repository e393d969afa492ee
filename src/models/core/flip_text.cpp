// The flip's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/flip.h"
#include "models/core/object_block.h"
#include "scene/scene.h"

void GFlip::Write(std::ostream& os) const {
  zavo::WriteWrapperHead(os, *this, "flip");
  child_->Write(os);
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_FlipModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                      CG_GraphicObjectCommData& data) {
  std::unique_ptr<CG_GraphicObject> child;
  for (;;) {
    if (std::strcmp(s.Text(), "}") == 0) {
      // Reported at the closing brace of the body.
      if (!child) {
        scene.SetError(5, "Object block missing");
        return nullptr;
      }
      s.Next();
      CG_DeclassedGraphicObject pair{child.release(), 1};
      return std::make_unique<GFlip>(data, pair);
    }
    if (std::strcmp(s.Text(), "{") != 0) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    // A later block replaces the child: the earlier one goes.
    child = zavo::ReadObjectBlock(scene, s);
    if (!child) return nullptr;
  }
}
