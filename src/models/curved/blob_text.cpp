// The blob's texts: the side file reader, the object block writer and the
// reader module.

#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/scanner.h"
#include "models/curved/blob.h"
#include "scene/scene.h"

namespace {

// The statements of a side file and their number of values.
struct BlobKey {
  const char* key;
  int values;
};

constexpr BlobKey kBlobKeys[] = {
    {"threshold", 1},    {"sphere", 5},      {"strength", 1},   {"grid_size", 1},  {"grid_on", 1},
    {"snap_on", 1},      {"detail", 1},      {"zoom_factor", 1}, {"camera_angle", 1}, {"camera", 3},
    {"target", 3},       {"up", 3},          {"top_view", 4},   {"front_view", 4}, {"side_view", 4},
};

// The end of the input (or a token too long, which ends it too).
bool AtEnd(const ScannerMemo& s) { return s.Kind() == zavo::kTokenError; }

}  // namespace

int ReadBlobFile(CG_BlobComplete& complete, std::istream& in) {
  complete.elements.Clear();
  CScanner<ScannerMemo> s(in, zavo::kStandardScannerConfig);
  for (const char* part : {"[", "blob1", ".0", "]"}) {
    s.Next();
    if (std::strcmp(s.Text(), part) != 0) return 0;
  }
  for (;;) {
    s.Next();
    // The end between statements is the end of the file; a cut token or a
    // comment left open is not.
    if (AtEnd(s)) return s.TokenCut() || s.ErrorCode() != 0 ? 0 : 1;
    const BlobKey* key = nullptr;
    for (const BlobKey& k : kBlobKeys) {
      if (std::strcmp(s.Text(), k.key) == 0) key = &k;
    }
    if (key == nullptr) return 1;  // the rest of the file is not read
    s.Next();
    if (s.Text()[0] != '=') return 0;
    double values[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    for (int i = 0; i < key->values; ++i) {
      s.Next();
      if (AtEnd(s)) return 0;
      double value = 0.0;
      if (!zavo::TokenToDoubleOrZero(s, value)) value = 0.0;
      values[i] = value;
    }
    if (std::strcmp(key->key, "threshold") == 0) {
      complete.threshold = values[0];
    } else if (std::strcmp(key->key, "sphere") == 0) {
      auto* element = new CG_BlobElement();
      element->center = Point3D{values[0], values[1], values[2]};
      element->radius = values[3];
      element->strength = values[4];
      complete.elements.Append(element);
    }
  }
}

void GBlob::Write(std::ostream& os) const {
  zavo::ClassicNumbers classic(os);
  WriteHead(os);
  os << "\tmodel { blob\n\t\tname " << modelName_ << ";\n\t}\n}\n";
}

std::unique_ptr<CG_GraphicObject> CG_BlobModule::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                      CG_GraphicObjectCommData& data) {
  CG_BlobDescription description;
  bool haveName = false;
  while (std::strcmp(s.Text(), "}") != 0) {
    if (s.Kind() != zavo::kTokenIdentifier) {
      scene.SetError(5, "attribute or '}' waited");
      return nullptr;
    }
    if (std::strcmp(s.Text(), "name") != 0) {
      scene.SetError(5, "Unknown attribute");
      return nullptr;
    }
    s.Next();
    const std::string token = s.Text();
    const charString found = scene.FindModelFile(token.c_str(), "blb");
    if (found.Text() == nullptr) {
      scene.SetError(4, ("file \"" + token + ".blb\" not found in model path").c_str());
      return nullptr;
    }
    description.name = token.c_str();
    description.path = found;
    haveName = true;
    s.Next();
    if (!scene.Expect(s, ';')) return nullptr;
    s.Next();
  }
  if (!haveName) {
    scene.SetError(5, "Model name missing");
    return nullptr;
  }
  auto blob = std::make_unique<GBlob>(data, description);
  if (blob->GetLoadResult() == GBlob::kNotOpened) {
    scene.SetError(4, ("file \"" + std::string(description.name.Text()) + ".blb\" not found in model path").c_str());
    return nullptr;
  }
  if (blob->GetLoadResult() != GBlob::kLoaded) {
    scene.SetError(5, ("Error in blob model " + std::string(description.path.Text()) + ".blb").c_str());
    return nullptr;
  }
  s.Next();
  return blob;
}
