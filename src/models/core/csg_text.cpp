// The CSG object's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/runtime_error_box.h"
#include "foundation/scanner.h"
#include "models/core/csg.h"
#include "models/core/model_object.h"
#include "scene/scene.h"

void GCSG::Write(std::ostream& os) const {
  if (!first_) RuntimeErrorBox("om1 NULL in GCSG");
  if (!second_) RuntimeErrorBox("om2 NULL in GCSG");
  zavo::ClassicNumbers classic(os);
  os << "{ object\n\tname " << name << ";\n";
  WriteIDnameAndToll(os);
  GUniformObjectData::Write(os);
  os << "\tmodel { " << keyword_ << "\nfirst ";
  first_->Write(os);
  os << ";\nsecond ";
  second_->Write(os);
  os << ";\n}\n}\n";
}

namespace {

bool Is(ScannerMemo& s, const char* text) { return std::strcmp(s.Text(), text) == 0; }

// One child block "{ object <header> model { ... } }" and an optional ";",
// the scanner standing on its "{". The child, or null.
std::unique_ptr<CG_GraphicObject> ReadChild(CG_GraphicScene& scene, ScannerMemo& s) {
  if (!scene.Expect(s, '{')) return nullptr;
  s.Next();
  if (!scene.ExpectWord(s, "object")) return nullptr;
  s.Next();
  CG_GraphicObjectCommData data;
  if (!scene.ReadObjectHeader(s, data)) return nullptr;
  std::unique_ptr<CG_GraphicObject> child = scene.ReadModel(s, data);
  if (!child) return nullptr;
  if (!scene.Expect(s, '}')) return nullptr;
  s.Next();
  if (Is(s, ";")) s.Next();
  return child;
}

}  // namespace

std::unique_ptr<CG_GraphicObject> CG_CSGModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                     CG_GraphicObjectCommData& data) {
  // The description destroys the children it holds when reading fails.
  CG_CSGDescription description;
  description.keyword = keyword_;
  description.intervals = intervals_;
  description.bound = bound_;
  description.meshBoolean = meshBoolean_;
  description.convert = scene.GetParam()._csg_convert;
  description.progress = &scene.GetInterface();
  description.scene = &scene;
  for (;;) {
    if (Is(s, "}")) {
      // Reported at the closing brace.
      if (description.first == nullptr || description.second == nullptr) {
        scene.SetError(5, "Object block missing");
        return nullptr;
      }
      s.Next();
      return std::make_unique<GCSG>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    const bool isFirst = Is(s, "first");
    if (!isFirst && !Is(s, "second")) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    s.Next();
    std::unique_ptr<CG_GraphicObject> child = ReadChild(scene, s);
    if (!child) return nullptr;
    if (isFirst) {
      description.SetFirst(child.release(), 1);
    } else {
      description.SetSecond(child.release(), 1);
    }
  }
}
