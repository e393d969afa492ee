#include "geometry/bounding_module.h"

#include <cstring>

#include "foundation/number_text.h"

namespace {

bool BeginsWith(const ScannerMemo& scanner, char c) { return scanner.Text()[0] == c; }

}  // namespace

void BoundingObjectModule::Append(List<BoundingObjectModule>& list, std::unique_ptr<BoundingObjectModule> module) {
  list.Append(module.release());
}

void BoundingObjectModule::CreateDefaultList(List<BoundingObjectModule>& list) {
  list.Clear();
  Append(list, std::make_unique<BoundingBoxModule>());
}

std::unique_ptr<BoundingObject> BoundingObjectModule::ReadModel(const List<BoundingObjectModule>& list,
                                                                ScannerMemo& scanner) {
  if (scanner.Kind() != zavo::kTokenIdentifier || std::strcmp(scanner.Text(), "model") != 0) return nullptr;
  scanner.Next();
  if (!BeginsWith(scanner, '{')) return nullptr;
  scanner.Next();
  const BoundingObjectModule* module = nullptr;
  for (const BoundingObjectModule& m : list) {
    if (m.keyword == scanner.Text()) {
      module = &m;
      break;
    }
  }
  if (module == nullptr) return nullptr;
  scanner.Next();
  std::unique_ptr<BoundingObject> volume = module->Read(scanner);
  if (!volume || !BeginsWith(scanner, '}')) return nullptr;
  scanner.Next();
  return volume;
}

std::unique_ptr<BoundingObject> BoundingBoxModule::Read(ScannerMemo& scanner) const {
  static const char* const kKeys[6] = {"xmin", "xmax", "ymin", "ymax", "zmin", "zmax"};
  double values[6] = {0, 0, 0, 0, 0, 0};
  bool seen[6] = {false, false, false, false, false, false};
  while (!BeginsWith(scanner, '}')) {
    if (scanner.Kind() != zavo::kTokenIdentifier) return nullptr;
    int key = 0;
    while (key < 6 && std::strcmp(scanner.Text(), kKeys[key]) != 0) ++key;
    if (key == 6) return nullptr;
    scanner.Next();
    if (!zavo::TokenToDouble(scanner, values[key])) return nullptr;
    seen[key] = true;
    scanner.Next();
    if (!BeginsWith(scanner, ';')) return nullptr;
    scanner.Next();
  }
  scanner.Next();
  for (bool s : seen) {
    if (!s) return nullptr;
  }
  auto box = std::make_unique<BoundingBox>(Point3D{values[0], values[2], values[4]});
  box->Extend({values[1], values[3], values[5]});
  return box;
}

int ReadBound(const List<BoundingObjectModule>& modules, ScannerMemo& scanner,
              std::unique_ptr<BoundingObject>& volume) {
  if (!BeginsWith(scanner, '{')) return 0;
  scanner.Next();
  if (scanner.Kind() != zavo::kTokenIdentifier || std::strcmp(scanner.Text(), "bound") != 0) return 0;
  scanner.Next();
  std::unique_ptr<BoundingObject> read = BoundingObjectModule::ReadModel(modules, scanner);
  if (!read) return 0;
  volume = std::move(read);
  return 1;
}
