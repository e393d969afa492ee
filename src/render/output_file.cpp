#include "render/output_file.h"

#include <exception>
#include <locale>
#include <ostream>

#include "foundation/atomic_file.h"
#include "foundation/char_string.h"
#include "scene/scene.h"

namespace zavo {

std::string OutputFileName(const CG_GraphicScene& scene, const char* extension) {
  const char* base = scene.GetOutputImageName();
  if (base == nullptr) base = scene.GetName();
  if (base == nullptr || base[0] == '\0') return {};
  return std::string(base) + extension;
}

int WriteOutputFile(CG_GraphicScene& scene, const char* extension,
                    const std::function<bool(std::ostream&)>& write) {
  const std::string file = OutputFileName(scene, extension);
  if (file.empty()) {
    scene.GetInterface().Message((std::string("Cannot write ") + extension).c_str());
    return 0;
  }
  std::exception_ptr thrown;
  const bool written = WriteFileAtomically(file, [&](std::ostream& os) {
    os.imbue(std::locale::classic());
    try {
      return write(os);
    } catch (...) {
      thrown = std::current_exception();
      return false;
    }
  });
  if (thrown) std::rethrow_exception(thrown);
  if (written) return 1;
  scene.GetInterface().Message(("Cannot write " + file).c_str());
  return 0;
}

const char* NameText(const charString& name) {
  return name.Text() != nullptr ? name.Text() : "";
}

}  // namespace zavo
