// Requests 51 and 52: a texture chosen among the BMP files of the working and
// texture directories joins the scene; a texture leaves it unless objects use
// it.

#include <cctype>
#include <string>

#include "editor/graphic_editor.h"
#include "editor/scene_references.h"
#include "editor/text_routines.h"
#include "foundation/path_resolver.h"
#include "scene/texture.h"

namespace {

// Longest base name the texture list offers.
constexpr std::size_t kMaxTextureBaseName = 199;

// The texture name a file name offers: the text between the last "/", "\" or
// ":" and a final ".bmp" in any letter case. Empty for other files, and for
// a base that is empty or longer than the list takes.
std::string TextureBaseName(const std::string& file) {
  static const char kExtension[] = ".bmp";
  constexpr std::size_t kLength = sizeof(kExtension) - 1;
  if (file.size() < kLength) return {};
  for (std::size_t i = 0; i < kLength; ++i) {
    const unsigned char c = static_cast<unsigned char>(file[file.size() - kLength + i]);
    if (std::tolower(c) != kExtension[i]) return {};
  }
  const std::string head = file.substr(0, file.size() - kLength);
  const std::size_t separator = head.find_last_of("/\\:");
  const std::string base = separator == std::string::npos ? head : head.substr(separator + 1);
  return base.size() <= kMaxTextureBaseName ? base : std::string();
}

// Appends the texture names the folder's BMP files offer, in listing order.
void AppendTextureNames(const std::filesystem::path& folder, Seq<charString>& names) {
  Seq<charString> files;
  zavo::LoadDirectoryList(folder, files);
  for (std::uint32_t i = 0; i < files.Count(); ++i) {
    const std::string base = TextureBaseName(files[i].Text() != nullptr ? files[i].Text() : "");
    if (!base.empty()) zavo::AppendText(names, base.c_str());
  }
}

}  // namespace

int CG_GraphicEditor::SelectTexture() {
  Seq<charString> names;
  AppendTextureNames(".", names);
  if (const char* texturePath = scene.GetTexturePath(); texturePath != nullptr && *texturePath != '\0') {
    AppendTextureNames(zavo::PathFromName(texturePath), names);
  }
  const charString chosen = ChooseFromList("Select a texture", names);
  if (chosen.Text() == nullptr) {
    CommandCancelled();
    return 0;
  }
  const charString file = scene.FindTextureFile(chosen.Text(), "bmp");
  CG_Texture* texture = nullptr;
  try {
    texture = new CG_Texture(chosen.Text(), file.Text());
  } catch (const xQZTexture&) {
    // A texture without its image would make the saved scene unreadable.
    Message(("Cannot read " + std::string(chosen.Text()) + ".bmp").c_str());
    CommandCancelled();
    return 0;
  }
  scene.GetTextures().Append(texture);
  SetModified();
  return 1;
}

int CG_GraphicEditor::DeleteTexture() {
  if (NotifyChange() == 0) return 0;
  DblList<CG_Texture>& textures = scene.GetTextures();
  Seq<charString> names;
  for (const CG_Texture& texture : textures) zavo::AppendText(names, texture.name.Text());

  const charString chosen = ChooseFromList("Select a texture to delete", names);
  if (chosen.Text() == nullptr) {
    Message("no selection");
  } else if (CG_Texture* texture = textures.Find(chosen.Text()); texture != nullptr) {
    bool remove = false;
    switch (zavo::TextureUse(scene, texture)) {
      case zavo::RecordUse::kFree: remove = true; break;
      case zavo::RecordUse::kUsed: Message("You cannot delete that texture.\nSome objects are using it."); break;
      case zavo::RecordUse::kMaybeUsed:
        remove = Ask("Texture can be used by one or more objects.\nDelete it ?", "Warning") == 1;
        break;
    }
    if (remove) {
      // Objects that could not tell let go of it; the record itself stays
      // alive until the scene is cleared.
      zavo::ReleaseRecord(scene, nullptr, texture);
      retiredTextures.Append(textures.Remove(texture));
    }
  }
  SetModified();
  return 1;
}
