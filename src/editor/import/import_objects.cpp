#include "editor/import/import_objects.h"

#include "editor/graphic_editor.h"

namespace zavo {

void SetImportObjectData(CG_GraphicEditor& editor, const std::string& name, CG_GraphicObjectCommData& data) {
  data.name = name.c_str();
  data.material = editor.scene.GetMaterials().Find("standard");
}

std::unique_ptr<CG_Polyline> MakeImportPolyline(CG_GraphicEditor& editor, const std::string& name,
                                                const std::vector<Point3D>& points, int open) {
  CG_PolylineDescription description;
  description.points.SetSize(static_cast<std::uint32_t>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) description.points[static_cast<std::uint32_t>(i)] = points[i];
  description.open = open;
  description.sysInterface = &editor.scene.GetInterface();
  CG_GraphicObjectCommData data;
  SetImportObjectData(editor, name, data);
  return std::make_unique<CG_Polyline>(data, description);
}

}  // namespace zavo
