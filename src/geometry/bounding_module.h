#pragma once

#include <memory>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/scanner.h"
#include "geometry/bounding_object.h"

// A reader of one kind of bounding volume, found by its keyword in a module
// list (the first module whose keyword equals the token wins).
class BoundingObjectModule : public ListItem {
public:
  explicit BoundingObjectModule(const char* keyword) : keyword(keyword) {}
  virtual ~BoundingObjectModule() = default;

  // Reads the volume's body from the scanner standing on its first token;
  // null at the first token that does not fit.
  virtual std::unique_ptr<BoundingObject> Read(ScannerMemo& scanner) const = 0;

  // Adds a module at the tail of the list, which owns it from then on.
  static void Append(List<BoundingObjectModule>& list, std::unique_ptr<BoundingObjectModule> module);
  // Empties the list and fills it with the one module of the system, "box".
  static void CreateDefaultList(List<BoundingObjectModule>& list);
  // The scanner stands on "model": reads "model", "{", a keyword of the list,
  // that module's body, and the "}" that closes the enclosing "{ bound" block.
  // Null at the first token that does not fit (a volume already read is
  // destroyed when the closing brace is missing).
  static std::unique_ptr<BoundingObject> ReadModel(const List<BoundingObjectModule>& list, ScannerMemo& scanner);

  charString keyword;
};

// "box": a body of six keyed values "xmin 0;" ... in any order, up to and
// including "}"; a repeated key keeps its last value.
class BoundingBoxModule : public BoundingObjectModule {
public:
  BoundingBoxModule() : BoundingObjectModule("box") {}
  std::unique_ptr<BoundingObject> Read(ScannerMemo& scanner) const override;
};

// Reads "{" "bound" and then the volume as BoundingObjectModule::ReadModel
// does. 1 with the new volume stored into volume; 0 (volume untouched) at the
// first token that does not fit, with the scanner on that token.
int ReadBound(const List<BoundingObjectModule>& modules, ScannerMemo& scanner,
              std::unique_ptr<BoundingObject>& volume);
