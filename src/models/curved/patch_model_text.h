#pragma once

// The reader side of the patch models and the spline surface: the "word
// value;" loop of their bodies, the scene errors of a model file that does not
// load, the patch list of a patch text, and the reader of a patch model's body.

#include <functional>
#include <memory>
#include <string>

#include "foundation/char_string.h"
#include "foundation/list.h"
#include "foundation/scanner.h"
#include "models/core/model_object.h"
#include "models/curved/patch_model.h"
#include "models/curved/patch_model_object.h"
#include "scene/scene.h"

namespace zavo {

// What one entry of a model body was.
enum class BodyEntry {
  kBad,      // the body does not read: stop
  kSetting,  // a value that a ";" follows
  kWhole,    // read whole, the scanner already past it
};

// Reads entries up to and including the closing "}": a word, then entry(word)
// with the scanner on the token after the word. After a kSetting the scanner
// moves past the value and must stand on ";". False at the first token that
// does not fit (a token that is no word, a kBad, a missing ";").
bool ReadModelBody(ScannerMemo& scanner,
                   const std::function<BodyEntry(const std::string& word, ScannerMemo& scanner)>& entry);

// For a load that failed, sets the scene's error: code 4 "file \"<name>.<ext>\"
// not found in model path", or code 5 BadModelText(texts, path). Whether the
// load succeeded.
bool ReportModelLoad(CG_GraphicScene& scene, ModelLoad load, const ModelFileTexts& texts,
                     const std::string& name, const std::string& path);

// A patch list, the scanner standing on its "{": "{", the keyword, then per
// patch "{ patch", what readBody(scanner, patch) reads, and "}"; then "}".
// Each whole patch is appended to the list as it is read. 1 with the scanner
// on the token after the closing "}", or 0 at the first token that does not
// fit.
template <class Patch, class ReadBody>
int ReadPatchList(ScannerMemo& s, const char* keyword, List<Patch>& patches, ReadBody readBody) {
  if (!TokenIs(s, "{")) return 0;
  s.Next();
  if (!TokenIs(s, keyword)) return 0;
  s.Next();
  for (;;) {
    if (TokenIs(s, "}")) {
      s.Next();
      return 1;
    }
    if (!TokenIs(s, "{")) return 0;
    s.Next();
    if (!TokenIs(s, "patch")) return 0;
    s.Next();
    auto patch = std::make_unique<Patch>();
    if (!readBody(s, *patch)) return 0;
    if (!TokenIs(s, "}")) return 0;
    s.Next();
    patches.Append(patch.release());
  }
}

// The reader of a patch model's body (patch_model_object.h).
template <class Model>
std::unique_ptr<CG_GraphicObject> PatchModelModule<Model>::Read(CG_GraphicScene& scene, ScannerMemo& s,
                                                                CG_GraphicObjectCommData& data) {
  const ModelFileTexts& texts = Model::Traits::kFile;
  typename Model::Description d;
  bool haveName = false;
  const bool read = ReadModelBody(s, [&](const std::string& word, ScannerMemo& s) {
    if (word == "model") {
      if (!Model::ReadPatches(s, d.patches)) return BodyEntry::kBad;
      d.embedded = 1;
      return BodyEntry::kWhole;
    }
    if (word == "name") {
      const std::string name = s.Text();
      const charString found = scene.FindModelFile(name.c_str(), texts.extension);
      if (found.Text() == nullptr) {
        ReportModelLoad(scene, ModelLoad::kNotFound, texts, name, "");
        return BodyEntry::kBad;
      }
      d.modelPath = found;
      d.modelName = name.c_str();
      haveName = true;
      return BodyEntry::kSetting;
    }
    if (word == "div") return LeadingInteger(s.Text(), d.div) ? BodyEntry::kSetting : BodyEntry::kBad;
    if (word == "cache") return LeadingInteger(s.Text(), d.cache) ? BodyEntry::kSetting : BodyEntry::kBad;
    return BodyEntry::kBad;
  });
  if (!read || (!d.embedded && !haveName)) return nullptr;
  d.hierKind = scene.GetParam()._brep_optimiz;
  d.gridDim = scene.GetParam()._brep_grid_dim;
  d.progress = &scene.GetInterface();
  auto object = std::make_unique<Model>(data, d);
  if (!ReportModelLoad(scene, object->LoadResult(), texts, TextOf(d.modelName), TextOf(d.modelPath))) {
    return nullptr;
  }
  return object;
}

}  // namespace zavo
