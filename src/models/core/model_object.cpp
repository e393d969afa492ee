#include "models/core/model_object.h"

#include <ostream>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "scene/scene.h"

namespace zavo {

int UniformModelObject::GetCommData(CG_GraphicObjectCommData& data) {
  data.name = name;
  return GUniformObjectData::GetCommData(data);
}

std::unique_ptr<CG_GraphicObjectCommData> UniformModelObject::NewCommData() const {
  auto data = std::make_unique<CG_GraphicObjectCommData>();
  data->name = name;
  if (!FillCommData(*data)) return nullptr;
  return data;
}

int UniformModelObject::SetCommData(CG_GraphicObjectCommData& data) {
  name = data.name;
  return GUniformObjectData::SetCommData(data);
}

int UniformModelObject::GetChildren(Seq<CG_GraphicObject*>& children) {
  children.SetSize(0);
  return 1;
}

void UniformModelObject::WriteHead(std::ostream& os) const {
  os << "{ object\n\tname " << name << ";\n";
  WriteIDnameAndToll(os);
  GUniformObjectData::Write(os);
}

ClassicNumbers::ClassicNumbers(std::ostream& os) : os_(os), old_(os.imbue(std::locale::classic())) {}

ClassicNumbers::~ClassicNumbers() { os_.imbue(old_); }

namespace {

int ReadValue(CG_GraphicScene& scene, ScannerMemo& s, bool converted, const char* wanted) {
  if (!converted) {
    if (wanted != nullptr) scene.SetError(5, wanted);
    return 0;
  }
  s.Next();
  if (!scene.Expect(s, ';')) return 0;
  s.Next();
  return 1;
}

}  // namespace

int ReadNumberAttribute(CG_GraphicScene& scene, ScannerMemo& s, double& value, const char* wanted) {
  double read = 0;
  if (!ReadValue(scene, s, TokenToDouble(s, read), wanted)) return 0;
  value = read;
  return 1;
}

int ReadIntAttribute(CG_GraphicScene& scene, ScannerMemo& s, int& value, const char* wanted) {
  int read = 0;
  if (!ReadValue(scene, s, TokenToInt(s, read), wanted)) return 0;
  value = read;
  return 1;
}

}  // namespace zavo
