#include "models/core/object_block.h"

#include <ostream>

#include "foundation/scanner.h"
#include "scene/comm_data.h"
#include "scene/scene.h"

namespace zavo {

std::unique_ptr<CG_GraphicObject> ReadObjectBlock(CG_GraphicScene& scene, ScannerMemo& s) {
  s.Next();  // "{"
  if (!scene.ExpectWord(s, "object")) return nullptr;
  s.Next();
  CG_GraphicObjectCommData data;
  if (!scene.ReadObjectHeader(s, data)) return nullptr;
  std::unique_ptr<CG_GraphicObject> object = scene.ReadModel(s, data);
  if (!object) return nullptr;
  if (!scene.Expect(s, '}')) return nullptr;
  s.Next();
  return object;
}

void WriteWrapperHead(std::ostream& os, const CG_GraphicObject& object, const char* keyword) {
  os << "{ object\n\tname " << object.name << ";\n";
  object.WriteIDnameAndToll(os);
  os << "\tmodel \t{ " << keyword << "\n";
}

}  // namespace zavo
