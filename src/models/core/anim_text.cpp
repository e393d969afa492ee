// The anim's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "geometry/geo_text.h"
#include "models/core/anim.h"
#include "models/core/model_object.h"
#include "models/core/object_block.h"
#include "scene/scene.h"

void GAnim::Write(std::ostream& os) const {
  if (object_ == nullptr) return;
  zavo::ClassicNumbers classic(os);
  zavo::WriteWrapperHead(os, *this, "anim");
  object_->Write(os);
  os << "\t\tcenter ";
  WritePoint3D(center_, os);
  os << ";\n\t\tfrom " << from_ << ";\n\t\tto " << to_ << ";\n";
  if (move_ != nullptr) {
    os << "move ";
    move_->Write(os);
  }
  if (rotate_ != nullptr) {
    os << "rotate ";
    rotate_->Write(os);
  }
  os << "\t}\n}\n";
}

namespace {

// Reads one object block standing on its "{" into the slot, destroying what
// the slot held. 0 when the block does not read.
int ReadInto(CG_GraphicScene& scene, ScannerMemo& s, CG_GraphicObject*& slot, int& owns) {
  std::unique_ptr<CG_GraphicObject> object = zavo::ReadObjectBlock(scene, s);
  if (!object) return 0;
  if (owns && slot != nullptr) delete slot;
  slot = object.release();
  owns = 1;
  return 1;
}

// "from" or "to": the token's value whatever its kind (a word is 0), then ";".
int ReadFrame(CG_GraphicScene& scene, ScannerMemo& s, double& value) {
  s.Next();
  double read = 0.0;
  if (!zavo::TokenToDoubleOrZero(s, read)) {
    scene.SetError(5, "Number wanted");
    return 0;
  }
  value = read;
  s.Next();
  if (!scene.Expect(s, ';')) return 0;
  s.Next();
  return 1;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_AnimModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                      CG_GraphicObjectCommData& data) {
  CG_AnimDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      // Reported at the closing brace of the body.
      if (description.object == nullptr) {
        scene.SetError(5, "Object block missing");
        return nullptr;
      }
      s.Next();
      return std::make_unique<GAnim>(data, description);
    }
    if (std::strcmp(word, "{") == 0) {
      if (!ReadInto(scene, s, description.object, description.ownsObject)) return nullptr;
    } else if (std::strcmp(word, "center") == 0) {
      s.Next();
      if (!ReadPoint3D(description.center, s)) scene.SetError(5, "Wrong point definition");
      if (!scene.Expect(s, ';')) return nullptr;
      s.Next();
    } else if (std::strcmp(word, "from") == 0) {
      if (!ReadFrame(scene, s, description.from)) return nullptr;
    } else if (std::strcmp(word, "to") == 0) {
      if (!ReadFrame(scene, s, description.to)) return nullptr;
    } else if (std::strcmp(word, "move") == 0 || std::strcmp(word, "rotate") == 0) {
      const bool isMove = std::strcmp(word, "move") == 0;
      s.Next();
      if (!scene.Expect(s, '{')) return nullptr;
      const int ok = isMove ? ReadInto(scene, s, description.move, description.ownsMove)
                            : ReadInto(scene, s, description.rotate, description.ownsRotate);
      if (!ok) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
