// The transf's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/object_block.h"
#include "models/core/transf.h"
#include "scene/scene.h"

void GTransf::Write(std::ostream& os) const {
  const CG_GraphicObject& child = Child();
  zavo::WriteWrapperHead(os, *this, "transf");
  WriteSteps(os, steps_);
  child.Write(os);
  os << "\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_TransfModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  CG_TransfDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      // Reported at the closing brace of the body.
      if (description.child == nullptr) {
        scene.SetError(5, "Object block missing");
        return nullptr;
      }
      s.Next();
      return std::make_unique<GTransf>(data, description);
    }
    const std::int32_t kind = zavo::StepKindOf(word, zavo::kLastObjectStepKind);
    if (kind >= 0) {
      if (!ReadStep(scene, s, kind, description.steps)) return nullptr;
    } else if (std::strcmp(word, "{") == 0) {
      std::unique_ptr<CG_GraphicObject> child = zavo::ReadObjectBlock(scene, s);
      if (!child) return nullptr;
      // A later block replaces the child: the earlier one goes.
      if (description.ownsChild) delete description.child;
      description.child = child.release();
      description.ownsChild = 1;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
