// The camera's text: its reader module and its writer.

#include <cstring>
#include <ostream>

#include "foundation/scanner.h"
#include "models/core/camera.h"
#include "scene/scene.h"

void CG_Camera::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { camera\n\t\tsize " << size_ << ";\n\t\tvrc ";
  vrc_.Write(os);
  os << "\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_CameraModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                        CG_GraphicObjectCommData& data) {
  CG_CameraDescription description;
  for (;;) {
    const char* word = s.Text();
    if (std::strcmp(word, "}") == 0) {
      s.Next();
      description.progress = &scene.GetInterface();
      description.module = this;
      return std::make_unique<CG_Camera>(data, description);
    }
    if (s.Kind() != zavo::kTokenIdentifier) return nullptr;
    if (std::strcmp(word, "size") == 0) {
      s.Next();
      if (!zavo::ReadNumberAttribute(scene, s, description.size, "Number wanted")) return nullptr;
    } else if (std::strcmp(word, "div") == 0) {
      s.Next();
      if (!zavo::ReadIntAttribute(scene, s, description.div, "Number wanted")) return nullptr;
    } else if (std::strcmp(word, "vrc") == 0) {
      s.Next();
      if (!scene.Expect(s, '{')) return nullptr;
      s.Next();
      if (std::strcmp(s.Text(), "vrc") != 0) return nullptr;
      s.Next();
      if (!description.vrc.Read(s)) return nullptr;
    } else {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
  }
}
