#include "editor/import/text_to_3d.h"

#include <algorithm>
#include <fstream>
#include <locale>
#include <memory>
#include <string>

#include "editor/dialog_controls.h"
#include "editor/graphic_editor.h"
#include "editor/import/glyph_font.h"
#include "editor/import/import_objects.h"
#include "editor/import/text_curves.h"
#include "editor/import/utf8_decode.h"
#include "editor/text_tool_shell.h"
#include "models/curved/nurbs_curve.h"

namespace zavo {

namespace {

std::string NewObjectName(CG_GraphicEditor& editor) {
  charString name;
  editor.MakeUniqueName("obj", 0, name);
  return name.Text() != nullptr ? name.Text() : "";
}

std::unique_ptr<CG_NURBSCurve> MakeTextCurve(CG_GraphicEditor& editor, const ContourCurve& contour) {
  const auto n = static_cast<std::uint32_t>(contour.points.size());
  CG_NURBSCurveDescription description;
  description.controls.SetSize(n);
  description.weights.SetSize(n);
  description.knots.SetSize(static_cast<std::uint32_t>(contour.knots.size()));
  for (std::uint32_t i = 0; i < n; ++i) {
    description.controls[i] = contour.points[i];
    description.weights[i] = 1.0;
  }
  for (std::uint32_t i = 0; i < description.knots.Count(); ++i) description.knots[i] = contour.knots[i];
  description.order = 3;
  description.div = 5;
  description.open = 0;
  CG_GraphicObjectCommData data;
  SetImportObjectData(editor, NewObjectName(editor), data);
  return std::make_unique<CG_NURBSCurve>(data, description);
}

// The open polyline of the curve's vertices at div quality; the curve goes.
std::unique_ptr<CG_GraphicObject> SampledPolyline(CG_GraphicEditor& editor, CG_NURBSCurve& curve, int quality) {
  CG_NURBSCurveDescription description;
  curve.GetDescription(description);
  description.div = std::max(1, quality);
  curve.SetDescription(description);
  std::vector<Point3D> points(static_cast<std::size_t>(std::max(0, curve.VertexCount())));
  for (std::size_t i = 0; i < points.size(); ++i) curve.Vertex(static_cast<int>(i), points[i]);
  return MakeImportPolyline(editor, NewObjectName(editor), points, 1);
}

std::unique_ptr<CG_GraphicObject> ContourObject(CG_GraphicEditor& editor, const ContourCurve& contour,
                                                int convertText, int textQuality) {
  if (contour.onlyPolyline) return MakeImportPolyline(editor, NewObjectName(editor), contour.points, 0);
  std::unique_ptr<CG_NURBSCurve> curve = MakeTextCurve(editor, contour);
  if (convertText == 0) return curve;
  return SampledPolyline(editor, *curve, textQuality);
}

}  // namespace

int AddTextCurves(CG_GraphicEditor& editor, GlyphFont& font, std::u32string_view text, int convertText,
                  int textQuality) {
  int added = 0;
  int penX = 0;
  for (const char32_t code : text) {
    GlyphOutline outline;
    if (!font.Glyph(code, outline)) continue;
    // The log keeps the last character only.
    std::ofstream log("text.log", std::ios::trunc);
    log.imbue(std::locale::classic());
    for (const GlyphContour& contour : outline.contours) {
      const ContourCurve curve = BuildContourCurve(contour, penX, log);
      added += editor.AddObjectToEditor(ContourObject(editor, curve, convertText, textQuality));
    }
    penX += outline.advance;
  }
  if (added > 0) editor.SetModified();
  return added;
}

int TextTo3D(CG_GraphicEditor& editor) {
  TextToolShell* shell = editor.textToolShell;
  if (shell == nullptr) return 0;
  TextFont font;
  if (shell->ChooseFont(font) < 0) shell->StopBox("Error in font dialog box!", "man");
  std::unique_ptr<GlyphFont> glyphs = OpenGlyphFont(font);
  if (glyphs == nullptr || !glyphs->HasQuadraticOutlines()) {
    editor.Message(("The font " + font.face + " has no TrueType outlines.").c_str());
    return 0;
  }
  gcg_list controls;
  auto* field = new Edit_obj("Text", "");
  controls.Append(field);
  if (editor.ShowDialog("Enter text", controls) == 0) return 0;
  const char* typed = field->text.Text();
  if (typed == nullptr || *typed == '\0') return 0;
  return AddTextCurves(editor, *glyphs, DecodeUtf8(typed), shell->ConvertText(), shell->TextQuality()) > 0 ? 1 : 0;
}

}  // namespace zavo
