// Request 22: the "Param" dialog over every render parameter of the scene.
// Each control is made from its field's current value and registers how its
// value goes back into the field on OK; controls that exist only in test mode
// are neither made nor written back outside it.

#include <functional>
#include <initializer_list>
#include <vector>

#include "editor/dialog_fields.h"
#include "editor/graphic_editor.h"

namespace {

constexpr std::initializer_list<const char*> kOptimiz = {"auto", "hier", "fasthier", "median"};

class ParamForm {
public:
  explicit ParamForm(bool test) : test_(test) {}

  // A list box with the fixed entries; its selection, when there is one,
  // replaces the text.
  ListBox_obj& Choice(gcg_list& controls, const char* label, std::initializer_list<const char*> entries,
                      charString& field) {
    ListBox_obj& list = zavo::AddListBox(controls, label, entries, field.Text());
    writeBack_.push_back([&list, &field] {
      if (zavo::HasText(list.selected)) field = list.selected;
    });
    return list;
  }
  // Edit fields: a text replaces the value (reals by their number prefix,
  // integers truncated toward zero); an empty text keeps it.
  void Real(gcg_list& controls, const char* label, double& field, bool testOnly = false) {
    if (testOnly && !test_) return;
    Edit_obj& edit = zavo::AddRealEdit(controls, label, field);
    writeBack_.push_back([&edit, &field] {
      if (zavo::HasText(edit.text)) field = zavo::TextToReal(edit.text);
    });
  }
  void Int(gcg_list& controls, const char* label, int& field, bool testOnly = false) {
    if (testOnly && !test_) return;
    Edit_obj& edit = zavo::AddIntEdit(controls, label, field);
    writeBack_.push_back([&edit, &field] {
      if (zavo::HasText(edit.text)) field = zavo::TextToInt(edit.text);
    });
  }
  void Flag(gcg_list& controls, const char* label, int& field) {
    Check_obj& check = zavo::AddControl<Check_obj>(controls, label, field);
    writeBack_.push_back([&check, &field] { field = check.state != 0 ? 1 : 0; });
  }
  void Colour(gcg_list& controls, const char* label, Point3D& field) {
    Color_obj& colour = zavo::AddControl<Color_obj>(controls, label, field.x, field.y, field.z);
    writeBack_.push_back([&colour, &field] { field = Point3D{colour.r, colour.g, colour.b}; });
  }
  // A group's list; null outside test mode for a test-only group.
  gcg_list* Group(gcg_list& controls, const char* label, bool testOnly = false) {
    if (testOnly && !test_) return nullptr;
    return &zavo::AddControl<LogicalSet_obj>(controls, label).children;
  }

  void WriteBack() const {
    for (const auto& write : writeBack_) write();
  }

private:
  bool test_;
  std::vector<std::function<void()>> writeBack_;
};

void BuildRaytracingGroup(ParamForm& form, gcg_list& group, GParam& p) {
  form.Choice(group, "shade", {"noshadowphong", "phong"}, p.shade);
  form.Int(group, "mode", p.mode);
  form.Flag(group, "buildhier", p.buildhier);
  form.Int(group, "anti_alias", p.anti_alias);
  form.Real(group, "anti_al_toll", p.anti_al_toll);
  form.Colour(group, "backcolor", p.backcolor);
  form.Colour(group, "AmbientColor", p.ambientcolor);
  form.Real(group, "toll", p.toll);
  form.Real(group, "infltoll", p.infltoll);
  form.Real(group, "ambient_ni", p.ambient_ni);

  gcg_list& optimiz = *form.Group(group, "Optimiz");
  form.Choice(optimiz, "_brep_optimiz", kOptimiz, p._brep_optimiz);
  form.Int(optimiz, "_brep_grid_dim", p._brep_grid_dim);
  form.Int(optimiz, "_brep_hsort", p._brep_hsort);
  form.Choice(optimiz, "_general_optimiz", kOptimiz, p._general_optimiz);
  form.Int(optimiz, "_general_grid_dim", p._general_grid_dim);
  form.Int(optimiz, "_general_hsort", p._general_hsort);
  form.Real(optimiz, "_general_costr", p._general_costr);
  form.Int(optimiz, "_csg_convert", p._csg_convert);

  gcg_list& extra = *form.Group(group, "New");
  form.Int(extra, "jitterfreq", p.jitterfreq);
  form.Real(extra, "jitterrange", p.jitterrange);
  form.Int(extra, "motionblur", p.motionblur, true);
  form.Real(extra, "motionblurq", p.motionblurq, true);
  form.Int(extra, "mpeg", p.mpeg, true);
  form.Flag(extra, "UseDistribuiteTS", p.UseDistribuiteTS);
  form.Int(extra, "AngleFreq", p.AngleFreq);

  gcg_list& attenuation = *form.Group(extra, "Atmoferic attenuation");
  form.Flag(attenuation, "UseAA", p.UseAA);
  form.Real(attenuation, "AAsb", p.AAsb);
  form.Real(attenuation, "AAsf", p.AAsf);
  form.Real(attenuation, "AAzb", p.AAzb);
  form.Real(attenuation, "AAzf", p.AAzf);

  if (gcg_list* depthOfField = form.Group(extra, "Depth of Field", true)) {
    form.Int(*depthOfField, "UseDF", p.UseDF);
    form.Real(*depthOfField, "DFSmax", p.DFSmax);
    form.Real(*depthOfField, "DFf1", p.DFf1);
    form.Real(*depthOfField, "DFf2", p.DFf2);
    form.Real(*depthOfField, "DFb1", p.DFb1);
    form.Real(*depthOfField, "DFb2", p.DFb2);
  }
}

}  // namespace

int CG_GraphicEditor::RenderParamDialog() {
  GParam& p = scene.GetParam();
  const bool test = options.Test != 0;
  ParamForm form(test);
  gcg_list controls;
  ListBox_obj& render =
      form.Choice(controls, "render", {"raytracing", "depth", "vrml", "dxf", "t_analysis", "preview", "tgl"}, p.render);
  if (!test) render.entries.Resize(6);  // "tgl" only in test mode
  BuildRaytracingGroup(form, *form.Group(controls, "Raytracing"), p);
  gcg_list& depth = *form.Group(controls, "Depth");
  form.Int(depth, "depthmax", p.depthmax);
  form.Int(depth, "depthmin", p.depthmin);
  form.Int(depth, "depthback", p.depthback);
  form.Int(controls, "dimx", p.dimx);
  form.Int(controls, "dimy", p.dimy);
  form.Flag(controls, "modifydef", p.modifydef);

  if (ShowDialog("Param", controls) == 0) return 0;
  form.WriteBack();
  // The parameters travel in the scene file: New must not drop them unasked.
  SetModified();
  return 1;
}
