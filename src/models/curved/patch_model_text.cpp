#include "models/curved/patch_model_text.h"

namespace zavo {

bool ReadModelBody(ScannerMemo& s,
                   const std::function<BodyEntry(const std::string& word, ScannerMemo& s)>& entry) {
  while (!TokenIs(s, "}")) {
    if (s.Kind() != kTokenIdentifier) return false;
    const std::string word = s.Text();
    s.Next();
    const BodyEntry read = entry(word, s);
    if (read == BodyEntry::kBad) return false;
    if (read == BodyEntry::kWhole) continue;
    s.Next();
    if (!TokenIs(s, ";")) return false;
    s.Next();
  }
  s.Next();
  return true;
}

bool ReportModelLoad(CG_GraphicScene& scene, ModelLoad load, const ModelFileTexts& texts,
                     const std::string& name, const std::string& path) {
  switch (load) {
    case ModelLoad::kLoaded:
      return true;
    case ModelLoad::kNotFound:
      scene.SetError(4, ("file \"" + name + "." + texts.extension + "\" not found in model path").c_str());
      return false;
    case ModelLoad::kBadContent:
      scene.SetError(5, BadModelText(texts, path).c_str());
      return false;
  }
  return false;
}

}  // namespace zavo
