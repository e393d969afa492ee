// Reading scene texts: the section loop, the object and lamp headers, the
// model dispatch by keyword, the lamp conversion and the error record.

#include <cstring>
#include <locale>
#include <sstream>
#include <string>

#include "foundation/number_text.h"
#include "foundation/user_break.h"
#include "scene/cg_scanner.h"
#include "scene/find_by_keyword.h"
#include "scene/scene.h"

namespace {

bool Is(const ScannerMemo& scanner, const char* text) { return std::strcmp(scanner.Text(), text) == 0; }

std::string Concat(const char* head, const char* text) {
  return std::string(head) + (text != nullptr ? text : "");
}

// The value of a "name" line. Objects and lamps without a name are written
// as "name ;", so a ";" right after the keyword is an empty name, not the
// value; the scanner is left on the ";" either way.
charString ReadHeaderName(ScannerMemo& s) {
  if (Is(s, ";")) return charString();
  charString value(s.Text());
  s.Next();
  return value;
}

// Candidates for the camera of a "{ vrc" section: "camera", then "camera_1"
// up to "camera_999999".
constexpr int kLastCameraNumber = 999999;

// How deep model blocks may nest inside each other.
constexpr int kMaxModelDepth = 200;

// The tessellation of the object and of its children.
std::int64_t TessellationOf(CG_GraphicObject& object, int depth) {
  std::int64_t sum = object.TessellationVertices();
  Seq<CG_GraphicObject*> children;
  if (depth < kMaxModelDepth && object.GetChildren(children)) {
    for (std::uint32_t i = 0; i < children.Count(); ++i) {
      if (children[i] != nullptr) sum += TessellationOf(*children[i], depth + 1);
    }
  }
  return sum;
}

}  // namespace

int CG_GraphicScene::Load(std::istream& in) {
  Clear();
  return Get(in);
}

int CG_GraphicScene::Get(std::istream& in) {
  // Reading may convert objects (mesh booleans, tessellations): they stop at
  // the user's break too.
  const zavo::BreakWatch watch;
  errorCode_ = 0;
  errorMessage_ = nullptr;
  errorLine_ = 0;
  errorToken_.clear();
  CGScanner scanner(in);
  // The name index of the objects for this read (the outermost one, when reads
  // nest); the first of equal names wins, as in the list.
  struct Reading {
    Reading(CG_GraphicScene& scene, const ScannerMemo& scanner)
        : s(scene), outermost(!scene.reading_), outerScanner(scene.readingScanner_) {
      s.readingScanner_ = &scanner;
      if (!outermost) return;
      s.recordedErrors_.clear();
      s.readingIndex_.clear();
      s.tessellationVertices_ = 0;
      for (CG_GraphicObject& object : s.objects_) {
        if (object.name.Text() != nullptr) s.readingIndex_.emplace(object.name.Text(), &object);
        s.tessellationVertices_ += TessellationOf(object, 0);
      }
      s.reading_ = true;
    }
    ~Reading() {
      s.readingScanner_ = outerScanner;
      if (!outermost) return;
      s.reading_ = false;
      s.readingIndex_.clear();
    }
    CG_GraphicScene& s;
    const bool outermost;
    const ScannerMemo* outerScanner;
  } reading(*this, scanner);
  int ok = 0;
  try {
    scanner.Next();
    ok = ReadSection(scanner);
  } catch (...) {
    // A texture image that does not load, or a reader module that throws,
    // ends the read like any failing step; the program goes on.
    ok = 0;
  }
  if (ok) return 1;
  if (scanner.TokenCut()) {
    SetError(1, "Token too long");
  } else if (errorCode_ == 0) {
    SetError(1, "Generic Error");
  }
  errorLine_ = scanner.TokenLine();
  if (scanner.Kind() != zavo::kTokenError && scanner.Text() != nullptr) errorToken_ = scanner.Text();
  return 0;
}

int CG_GraphicScene::ReadSection(ScannerMemo& s) {
  viewSection_ = 0;
  for (;;) {
    if (interface_->UserBreak() || zavo::BreakRequested()) return 0;
    if (Is(s, ".")) {
      s.Next();
      return 1;
    }
    if (!Expect(s, '{')) return 0;
    s.Next();
    interface_->Status(s.Text());
    int ok = 0;
    if (Is(s, "vrc")) {
      ok = ReadViewSection(s);
    } else if (Is(s, "param")) {
      ok = ReadParamSection(s);
    } else if (Is(s, "texture")) {
      s.Next();
      ok = ReadTexture(s);
    } else if (Is(s, "material")) {
      ok = ReadMaterialSection(s);
    } else if (Is(s, "object")) {
      ok = ReadObjectSection(s);
    } else if (Is(s, "lamp")) {
      ok = ReadLampSection(s);
    } else {
      SetError(3, "Unknown section");
      return 0;
    }
    if (!ok) return 0;
  }
}

int CG_GraphicScene::ReadViewSection(ScannerMemo& s) {
  s.Next();
  CG_ViewReference view;
  if (!view.Read(s)) return 0;
  viewReference_ = view;

  std::string cameraName = "camera";
  if (FindObject(cameraName.c_str()) != nullptr) {
    for (int i = 1; i <= kLastCameraNumber; ++i) {
      cameraName = "camera_" + std::to_string(i);
      if (FindObject(cameraName.c_str()) == nullptr) break;
    }
  }
  CG_GraphicObjectCommData data;
  data.name = cameraName.c_str();
  std::unique_ptr<CG_GraphicObject> camera = registry_->NewCamera(data, view);
  if (!camera) return 0;
  CG_GraphicObject* added = camera.get();
  // Only when every candidate name is taken does the camera not go in.
  if (!AddObject(std::move(camera))) return 0;
  currentCamera_ = added;
  param_.CameraInUse = cameraName.c_str();
  viewSection_ = 1;
  return 1;
}

int CG_GraphicScene::ReadParamSection(ScannerMemo& s) {
  s.Next();
  GParam read = param_;
  if (!read.Read(s)) return 0;
  param_ = read;
  return 1;
}

int CG_GraphicScene::ReadMaterialSection(ScannerMemo& s) {
  s.Next();
  std::unique_ptr<CG_NamedMaterial> material = ReadMaterial(s);
  if (!material) return 0;
  materials_.AddIfNew(material.release());
  if (!Expect(s, '}')) return 0;
  s.Next();
  return 1;
}

int CG_GraphicScene::ReadObjectSection(ScannerMemo& s) {
  s.Next();
  CG_GraphicObjectCommData data;
  if (!ReadObjectHeader(s, data)) return 0;
  std::unique_ptr<CG_GraphicObject> object = ReadModel(s, data);
  if (!object) return 0;
  if (!Expect(s, '}')) return 0;
  s.Next();
  CG_GraphicObject* added = object.get();
  // A name already in the scene keeps the first object; reading goes on.
  if (AddObject(std::move(object)) && param_.CameraInUse.Text() != nullptr &&
      param_.CameraInUse == added->name) {
    currentCamera_ = added;
  }
  return 1;
}

int CG_GraphicScene::ReadLampSection(ScannerMemo& s) {
  s.Next();
  charString lampName;
  if (!ReadLampHeader(s, lampName)) return 0;
  std::unique_ptr<CG_LightSource> lamp = ReadLampModel(s, lampName.Text());
  if (!lamp) return 0;
  if (!Expect(s, '}')) return 0;
  // The conversion runs while the scanner still stands on the section's "}":
  // a failure inside it is reported at the line of that brace.
  const int converted = AddLampAsObject(*lamp);
  lamp.reset();
  if (!converted) return 0;
  s.Next();
  return 1;
}

int CG_GraphicScene::AddLampAsObject(const CG_LightSource& lamp) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  lamp.WriteAsObject(text);
  text << "\n.\n";
  std::istringstream in(text.str());
  CGScanner s(in);
  s.Next();  // "{"
  s.Next();  // "object"
  s.Next();  // the first header key
  CG_GraphicObjectCommData data;
  if (!ReadObjectHeader(s, data)) return 0;
  std::unique_ptr<CG_GraphicObject> object = ReadModel(s, data);
  if (!object) return 0;
  if (!Expect(s, '}')) return 0;
  s.Next();
  AddObject(std::move(object));
  return 1;
}

int CG_GraphicScene::ReadObjectHeader(ScannerMemo& s, CG_GraphicObjectCommData& data) {
  while (s.Kind() == zavo::kTokenIdentifier) {
    if (Is(s, "name") || Is(s, "IDname")) {
      const bool isName = Is(s, "name");
      s.Next();
      charString value = ReadHeaderName(s);
      if (!Is(s, ";")) return 0;
      s.Next();
      if (isName) {
        interface_->Status(Concat("object ", value.Text()).c_str());
        data.name = std::move(value);
      } else {
        data.IDname = std::move(value);
      }
    } else if (Is(s, "material")) {
      s.Next();
      CG_NamedMaterial* material = ReadMaterialRef(s);
      if (material == nullptr) return 0;
      data.material = material;
    } else if (Is(s, "mapping")) {
      s.Next();
      if (!Is(s, "{")) return 0;
      s.Next();
      if (!Is(s, "mapping")) return 0;
      s.Next();
      std::unique_ptr<CG_MappingMetod> mapping = ReadMapping(s);
      if (!mapping) return 0;
      data.mapping = std::move(mapping);
    } else if (Is(s, "texture") || Is(s, "bump")) {
      const bool isTexture = Is(s, "texture");
      s.Next();
      CG_Texture* texture = textures_.Find(s.Text());
      if (texture == nullptr) return 0;
      s.Next();
      if (!Is(s, ";")) return 0;
      s.Next();
      (isTexture ? data.texture : data.bump) = texture;
    } else if (Is(s, "toll")) {
      s.Next();
      double value = 0;
      if (!zavo::TokenToDouble(s, value)) return 0;
      s.Next();
      if (!Is(s, ";")) return 0;
      s.Next();
      data.toll = value;
    } else {
      return Is(s, "model") ? 1 : 0;
    }
  }
  return 0;
}

std::unique_ptr<CG_GraphicObject> CG_GraphicScene::ReadModel(ScannerMemo& s,
                                                             CG_GraphicObjectCommData& data) {
  if (!Is(s, "model")) return nullptr;
  s.Next();
  if (!Is(s, "{")) return nullptr;
  s.Next();
  CG_GraphicObjectModule* module = FindModule(registry_->modelModules, s.Text());
  if (module == nullptr) return nullptr;
  // Modules of compound objects call back here for their parts: bound the
  // nesting so that no text can exhaust the stack.
  if (modelDepth_ >= kMaxModelDepth) {
    SetError(1, "Objects nested too deeply");
    return nullptr;
  }
  struct Nesting {
    explicit Nesting(int& d) : depth(d) { ++depth; }
    ~Nesting() { --depth; }
    int& depth;
  } nesting(modelDepth_);
  s.Next();
  std::unique_ptr<CG_GraphicObject> object = module->Read(*this, s, data);
  if (object) {
    tessellationVertices_ += object->TessellationVertices();
    if (tessellationVertices_ > zavo::kMaxSceneTessellationVertices) {
      SetError(5, ("Tessellation too large: " + std::to_string(tessellationVertices_) + " vertices, the limit is " +
                   std::to_string(zavo::kMaxSceneTessellationVertices))
                      .c_str());
      return nullptr;
    }
  }
  return object;
}

int CG_GraphicScene::ReadLampHeader(ScannerMemo& s, charString& lampName) {
  while (s.Kind() == zavo::kTokenIdentifier) {
    if (!Is(s, "name")) return Is(s, "model") ? 1 : 0;
    s.Next();
    charString value = ReadHeaderName(s);
    if (!Is(s, ";")) return 0;
    s.Next();
    interface_->Status(Concat("lamp ", value.Text()).c_str());
    lampName = std::move(value);
  }
  return 0;
}

std::unique_ptr<CG_LightSource> CG_GraphicScene::ReadLampModel(ScannerMemo& s, const char* lampName) {
  if (!Is(s, "model")) return nullptr;
  s.Next();
  if (!Is(s, "{")) return nullptr;
  s.Next();
  CG_LightSourceModule* module = FindLampModule(registry_->lampModules, s.Text());
  if (module == nullptr) return nullptr;
  s.Next();
  return module->Read(*this, s, lampName);
}

std::unique_ptr<CG_NamedMaterial> CG_GraphicScene::ReadMaterial(ScannerMemo& s) {
  if (!ExpectWord(s, "name")) return nullptr;
  s.Next();
  charString materialName(s.Text());
  s.Next();
  if (!Expect(s, ';')) return nullptr;
  s.Next();
  if (!ExpectWord(s, "model")) return nullptr;
  s.Next();
  if (!Expect(s, '{')) return nullptr;
  s.Next();
  CG_MaterialModule* module = FindByKeyword(registry_->materialModules, s.Text());
  if (module == nullptr) return nullptr;
  s.Next();
  std::unique_ptr<CG_Material> model(module->Read(s));
  if (!model) return nullptr;
  auto named = std::make_unique<CG_NamedMaterial>(materialName.Text(), nullptr);
  named->model = model.release();
  return named;
}

int CG_GraphicScene::ReadTexture(ScannerMemo& s) {
  int count = 0;
  while (!Is(s, "}")) {
    if (!ExpectWord(s, "name")) return 0;
    s.Next();
    const charString file = FindTextureFile(s.Text(), "bmp");
    if (file.Text() == nullptr) {
      SetError(5, ("file \"" + std::string(s.Text()) + ".bmp\" not found in texture path").c_str());
      return 0;
    }
    textures_.Append(new CG_Texture(s.Text(), file.Text()));
    ++count;
    s.Next();
    if (!Expect(s, ';')) return 0;
    s.Next();
  }
  s.Next();
  return count > 0 ? 1 : 0;
}

std::unique_ptr<CG_MappingMetod> CG_GraphicScene::ReadMapping(ScannerMemo& s) {
  if (!ExpectWord(s, "model")) return nullptr;
  s.Next();
  if (!Expect(s, '{')) return nullptr;
  s.Next();
  CG_MappingModule* module = FindByKeyword(registry_->mappingModules, s.Text());
  if (module == nullptr) return nullptr;
  s.Next();
  std::unique_ptr<CG_MappingMetod> mapping(module->Read(s));
  if (!mapping) return nullptr;
  // The "}" that closes "mapping {".
  if (!Expect(s, '}')) return nullptr;
  s.Next();
  return mapping;
}

CG_NamedMaterial* CG_GraphicScene::ReadMaterialRef(ScannerMemo& s) {
  CG_NamedMaterial* material = materials_.Find(s.Text());
  if (material == nullptr) return nullptr;
  s.Next();
  if (!Expect(s, ';')) return nullptr;
  s.Next();
  return material;
}

int CG_GraphicScene::Expect(ScannerMemo& s, char c) {
  if (c != '\0' && s.Text()[0] == c) return 1;
  SetError(2, (std::string("Caracter '") + c + "' not found").c_str());
  return 0;
}

int CG_GraphicScene::ExpectWord(ScannerMemo& s, const char* word) {
  if (Is(s, word)) return 1;
  SetError(3, Concat("Word \"", word).append("\" not found").c_str());
  return 0;
}
