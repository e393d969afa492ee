#pragma once

// The scene: its objects, lamps, named materials and textures, its camera view,
// its render parameters, the registry it reads with, its search paths, its
// output image and the state that the reader and the renderers keep between
// calls. The class is one; its reading and writing and its renderers are
// defined in further files of this layer and of the renderer layer.
//
// Objects refer to the scene's materials and textures by pointer, and trace
// entries refer to its objects: whatever empties a list first drops what refers
// to its items (trace data before objects and lamps, those before textures and
// materials).

#include <ctime>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/char_string.h"
#include "foundation/dbl_list.h"
#include "foundation/fragmented_seq.h"
#include "foundation/list.h"
#include "geometry/bitmap_manager.h"
#include "geometry/point3d.h"
#include "geometry/ray.h"
#include "scene/graphic_object.h"
#include "scene/light_source.h"
#include "scene/material.h"
#include "scene/ray_hierarchy.h"
#include "scene/registry.h"
#include "scene/render_param.h"
#include "scene/system_interface.h"
#include "scene/texture.h"
#include "scene/trace_data.h"
#include "scene/view_reference.h"

class ScannerMemo;
namespace zavo {
class DepthRange;
}

namespace zavo {

// One error recorded while a text was read: its code, message and the line of
// the token in view when it was recorded (0 when no text was being read).
struct RecordedError {
  int code = 0;
  std::string message;
  int line = 0;
};

}  // namespace zavo

class CG_GraphicScene {
public:
  // Empty lists, default view reference and render parameters, the scene's own
  // null interface, no output image, all texts null, error code 0, no current
  // camera and no shading method. The registry must outlive the scene.
  explicit CG_GraphicScene(CG_ModelRegistry& registry);
  // Drops the trace data, then objects and lamps, then textures and materials.
  ~CG_GraphicScene();
  CG_GraphicScene(const CG_GraphicScene&) = delete;
  CG_GraphicScene& operator=(const CG_GraphicScene&) = delete;

  // Empties objects and lamps, resets the render parameters (the camera-in-use
  // name becomes null) and the view reference, empties textures and then
  // materials, sets the view-section flag to 0 and the current camera to null.
  // Name, paths, error record, output image, shading method and registry stay.
  void Clear();

  // ---- Objects; names are unique in the list (two null names are equal) ----

  // Appends the object and answers 1; when an object of its name is in the
  // list already, destroys the new one and answers 0 (null also gives 0).
  int AddObject(std::unique_ptr<CG_GraphicObject> object);
  // Unlinks and destroys the object, which must be in the list.
  void RemoveObject(CG_GraphicObject* object);
  // Unlinks the object, which must be in the list, and hands it over.
  [[nodiscard]] std::unique_ptr<CG_GraphicObject> DetachObject(CG_GraphicObject* object);
  // The first object of that name, or null.
  CG_GraphicObject* FindObject(const char* name) const;
  // A walk over the objects in list order: the cursor starts null; NextObject
  // moves it to the first object, then to the following one, and answers
  // whether it points at an object (0 at the end).
  void ResetObjectIteration(CG_GraphicObject*& cursor) const { cursor = nullptr; }
  int NextObject(CG_GraphicObject*& cursor) const;
  const DblList<CG_GraphicObject>& GetObjects() const { return objects_; }

  // ---- Lamps of the lamp list, the same way ----

  int AddLight(std::unique_ptr<CG_LightSource> lamp);
  void RemoveLight(CG_LightSource* lamp);
  [[nodiscard]] std::unique_ptr<CG_LightSource> DetachLight(CG_LightSource* lamp);
  CG_LightSource* FindLight(const char* name) const;
  void ResetLightIteration(CG_LightSource*& cursor) const { cursor = nullptr; }
  int NextLight(CG_LightSource*& cursor) const;
  const DblList<CG_LightSource>& GetLights() const { return lamps_; }

  // ---- Named materials and textures (the lists own them) ----

  DblList<CG_NamedMaterial>& GetMaterials() { return materials_; }
  const DblList<CG_NamedMaterial>& GetMaterials() const { return materials_; }
  DblList<CG_Texture>& GetTextures() { return textures_; }
  const DblList<CG_Texture>& GetTextures() const { return textures_; }

  // ---- Names and settings ----

  const char* GetName() const { return name_.Text(); }
  void SetName(const char* text) { name_ = text; }
  // A free IDname: the first of "A" .. "Z", "ZA" .. "ZZ", "ZZA" ... that no
  // object contains (ContainsIDname) and for which no directory
  // "<scene name>.qzd/object/<candidate>" exists (no directory test while the
  // scene has no name). An object not in the list yet (a compound object
  // being built, whose parts carry IDnames of their own) may be given: the
  // names it contains are taken as well.
  void UniqueIDname(charString& result, const CG_GraphicObject* pending = nullptr) const;

  // The search paths and the library directory; each setter stores a copy and
  // answers it.
  const char* SetTexturePath(const char* text);
  const char* SetModelPath(const char* text);
  const char* SetLibraryDir(const char* text);
  const char* GetTexturePath() const { return texturePath_.Text(); }
  const char* GetModelPath() const { return modelPath_.Text(); }
  const char* GetLibraryDir() const { return libraryDir_.Text(); }

  // The system interface; null gives the scene's own null interface back.
  void SetInterface(CG_GraphicSystemInterface* systemInterface);
  CG_GraphicSystemInterface& GetInterface() const { return *interface_; }

  CG_ModelRegistry& GetRegistry() const { return *registry_; }

  // The error record of the last read: a code (0 none), a message and a line.
  // SetError replaces code and message.
  void SetError(int code, const char* message);
  int GetErrorCode() const { return errorCode_; }
  const char* GetErrorMessage() const { return errorMessage_.Text(); }
  int GetErrorLine() const { return errorLine_; }
  void SetErrorLine(int line) { errorLine_ = line; }
  // Every error recorded since the outermost read began (Get), in order, each
  // with the line of the token in view at that moment. A read that succeeded
  // may still have recorded some (a bad point taken as far as it went): they
  // are the warnings of that read.
  const std::vector<zavo::RecordedError>& GetRecordedErrors() const { return recordedErrors_; }
  // The text of the token at which the last failed read stopped (cut to the
  // scanner's slot); empty at the end of the text or after a read that succeeded.
  const std::string& GetErrorToken() const { return errorToken_; }

  // ---- Scene texts ----
  //
  // A scene text is a sequence of sections "{ keyword ... }" (vrc, param,
  // texture, material, object, lamp) ended by ".". Reading records failures in
  // the error record (code, message, line): 1 generic, 2 a character missing, 3
  // a word missing or an unknown section, 4 a model file missing (set by model
  // readers), 5 a bad attribute or a missing texture file. A later error
  // replaces an earlier one. Model and lamp readers call the operations below
  // on the scanner they were handed.

  // Clear, then Get. 1 on success, 0 on failure.
  int Load(std::istream& in);
  // Reads every section of the text into the scene without clearing it first;
  // what a failed read added stays. Sets the error code to 0 first. On
  // failure: an unset code becomes 1 "Generic Error"; a token too long for the
  // scanner gives 1 "Token too long" instead; the error line is the line on
  // which the token where reading stopped begins; the answer is 0. An exception
  // thrown while reading ends the read the same way. 1 on success.
  int Get(std::istream& in);
  // The section loop, standing on the first token: 1 once "." was reached.
  int ReadSection(ScannerMemo& scanner);
  // Reads the header entries of an object block ("name", "IDname", "material",
  // "mapping", "texture", "bump", "toll", in any order, the last of a kind
  // wins) into the record. 1 when the header ended at "model" (the scanner
  // stays on it), else 0.
  int ReadObjectHeader(ScannerMemo& scanner, CG_GraphicObjectCommData& data);
  // "model" "{" keyword, then the registry's model module of that keyword
  // reads the body through the "}" of "model {". The new object, or null.
  // Modules of compound objects read their parts through ReadObjectHeader and
  // ReadModel; model blocks nested more than 200 deep fail with code 1
  // "Objects nested too deeply". Each object read adds its
  // TessellationVertices to the scene's sum (the objects already in the
  // scene included); beyond kMaxSceneTessellationVertices the read fails
  // with code 5 "Tessellation too large: N vertices, the limit is M".
  std::unique_ptr<CG_GraphicObject> ReadModel(ScannerMemo& scanner, CG_GraphicObjectCommData& data);
  // Reads "name" value ";" entries (any number) up to "model": 1 when it ended
  // at "model" (the scanner stays on it), else 0.
  int ReadLampHeader(ScannerMemo& scanner, charString& lampName);
  // "model" "{" keyword, then the registry's lamp module of that keyword reads
  // the body through the "}" of "model {". The new lamp, or null.
  std::unique_ptr<CG_LightSource> ReadLampModel(ScannerMemo& scanner, const char* lampName);
  // "name" N ";" "model" "{" keyword body: a new named material, or null.
  std::unique_ptr<CG_NamedMaterial> ReadMaterial(ScannerMemo& scanner);
  // The entries "name" T ";" of a texture section up to and including its
  // "}"; each becomes a texture of the list. 1 when at least one was read.
  int ReadTexture(ScannerMemo& scanner);
  // "model" "{" keyword body "}" of a mapping, standing on "model" after
  // "mapping { mapping"; consumes the "}" that closes "mapping {". Null when
  // anything is missing (a mapping read before that is destroyed).
  std::unique_ptr<CG_MappingMetod> ReadMapping(ScannerMemo& scanner);
  // The named material whose name is the token in view, then ";": null when
  // there is none of that name, or (code 2) when ";" is missing.
  CG_NamedMaterial* ReadMaterialRef(ScannerMemo& scanner);
  // 1 when the token in view begins with c; else records code 2 "Caracter 'c'
  // not found" and answers 0. Never advances.
  int Expect(ScannerMemo& scanner, char c);
  // 1 when the token in view is the word; else records code 3 "Word \"w\" not
  // found" and answers 0. Never advances.
  int ExpectWord(ScannerMemo& scanner, const char* word);

  // The file "<name>.<extension>": looked for with the name as written and
  // the extension in any case (relative to the working directory), then so in
  // the model path (the texture path), then by a case-insensitive match of
  // its whole file name in the same two places. "\" in the
  // name or the path separates components as "/" does. The path found without
  // ".<extension>" (callers append it), or null. Only the one directory of the
  // path is searched.
  charString FindModelFile(const char* name, const char* extension) const;
  charString FindTextureFile(const char* name, const char* extension) const;

  // Writes the whole scene: the render parameters, the textures, the named
  // materials, the lamps of the lamp list, the objects, then ".". No "{ vrc"
  // section: cameras are objects. Flushes and answers the stream.
  std::ostream& Write(std::ostream& os) const;

  // ---- View, render parameters, camera ----

  void SetViewReference(const CG_ViewReference& view) { viewReference_ = view; }
  CG_ViewReference& GetViewReference() { return viewReference_; }
  const CG_ViewReference& GetViewReference() const { return viewReference_; }
  GParam& GetParam() { return param_; }
  const GParam& GetParam() const { return param_; }
  // 1 once a "{ vrc" section was read.
  int GetViewSectionFlag() const { return viewSection_; }
  void SetViewSectionFlag(int flag) { viewSection_ = flag != 0; }
  // The camera object renders look through (not owned; null when none).
  CG_GraphicObject* GetCurrentCamera() const { return currentCamera_; }
  void SetCurrentCamera(CG_GraphicObject* camera) { currentCamera_ = camera; }

  // ---- Output image and shading method ----

  // Replaces the output image name and sizes the output image to "dimx" x
  // "dimy" of the render parameters. 0, holding no image, when that size cannot
  // be made.
  int SetOutputImage(const char* name);
  // Forgets the output image name.
  void ClearOutputImage() { outputImageName_ = nullptr; }
  const char* GetOutputImageName() const { return outputImageName_.Text(); }
  BitmapManager& GetOutputImage() { return outputImage_; }
  const BitmapManager& GetOutputImage() const { return outputImage_; }
  // Clamps each channel to [0, 1] (a value that is not at least 0, NaN too,
  // becomes 0), stores trunc(255 c) at (x, y) of the output image, and passes
  // x, y and the clamped colour to the interface's PlotPixel (also for pixels
  // outside the image).
  void PutPixel(int x, int y, double r, double g, double b);
  // The registry's first shading method of that name becomes current: 1; else
  // the current method becomes null: 0.
  int SetShadingMethod(const char* name);
  CG_ShadingMetod* GetShadingMethod() const { return shadingMethod_; }
  // Turns the depth-image file "<base>.img" into "<base>.bmp", the base being
  // the output image name, or the scene name when none is set. The file holds
  // width and height (32-bit little-endian integers), then per row from the
  // top, per column from the left, one colour of three binary doubles; each
  // channel c becomes the low byte of trunc(255 c). Shows "Creating bitmap N%"
  // after each row, then an empty status text; 1. A missing, short or
  // ill-sized file, or a failed write, gives a message and 0, writing nothing.
  int ConvertImgToBmp();

  // ---- Preview and exports (defined by the renderer layer) ----
  //
  // Each writes one file "<base><extension>", the base being the output image
  // name, or the scene name when none is set, through a temporary file in the
  // same directory and a rename. A file that cannot be written shows the
  // message "Cannot write <file>", leaves any older file as it was and makes
  // the operation answer 0.

  // The scan-line preview: what the ray tracer sees (every object but the
  // lamps and cameras) as indexed meshes, cut to what lies in front of the eye
  // and between the planes that are on, flat-shaded by the view direction on
  // the background colour, into the output image and "<base>.bmp"; writes
  // "preview.log" in the working directory. 1 when the image was saved; 0 on
  // a failed material check ("Object <name> not sync"), an image size that
  // cannot be made, a degenerate view ("Degenerate view"), an exception
  // ("Unknown exception in CG_GraphicScene::CreateImage") or a failed save.
  int CreatePreview();
  // "<base>.ana": what every object is or can be turned into, with boxes. 1, or
  // 0 when the file cannot be written or the view is degenerate ("Degenerate
  // view", nothing written; so for the three below).
  int ExportAnalysis();
  // "<base>.wrl", "<base>.dxf", "<base>.tgl": the objects as indexed meshes.
  // 1, or 0 when the file cannot be written.
  int ExportVRML();
  int ExportDXF();
  int ExportTGL();
  // The inverse of the preview's viewing matrix, set by each preview that gets
  // as far as projecting (zero until then).
  const Transformation& GetInverseViewMatrix() const { return inverseViewMatrix_; }
  void SetInverseViewMatrix(const Transformation& matrix) { inverseViewMatrix_ = matrix; }

  // ---- Tracing ----

  // Refills the lamp sequence (the lamp list, then the lamp part of every
  // object that emits light) and the trace list (every object that is neither
  // a light source nor a camera: itself when it is ray-traceable, else the
  // parts of its DeclassToRayTraceable that are neither). Drops the hierarchy
  // first.
  void PrepareTraceData();
  // The shadow search from point toward the lamp's Position: the ray is handed
  // out; every tested entry whose first hit lies nearer than the lamp is
  // appended to hits (emptied first; count is its size), fills the scene's hit
  // record (HitDetails, index 0) and is shown to the stop test. 1 as soon as
  // the stop test accepts a hit, else 0. With "buildhier" 0, or without a
  // hierarchy, the trace list is walked; otherwise the unbounded objects, then
  // the hierarchy from its root, skipping nodes whose volume the ray misses.
  // With opaqueStops the caller's stop test accepts exactly the hits whose
  // material has Kt 0 (in a Phong hit record): a hit on an AlwaysOpaque object
  // then answers 1 at once, without filling the hit record.
  int ShadowIntersections(const Point3D& point, const CG_LightSourceBase& lamp, Ray& ray,
                          zavo::ShadowHitList& hits, long& count, const zavo::ShadowStopTest& stop,
                          bool opaqueStops = false);

  // The global bounding hierarchy (defined by the renderer layer). Build
  // drops any earlier hierarchy, then gathers the trace entries in list order,
  // leaving out lamps and cameras: the entries whose object has a bounding
  // volume enter the tree, the others the unbounded-object list. With no
  // bounded entry the root stays null. A scene with a name first tries its
  // cache "<name>.qz_" ("Loading hierarchy <path>"); when there is none, or it
  // does not fit these entries, it shows "Creating hierarchy", builds by
  // "_general_optimiz" and shows "Saving hierarchy <path>" while it replaces
  // the cache (a cache that cannot be written goes unmentioned). A scene
  // without a name builds and touches no cache. Free drops the tree and
  // empties the unbounded-object list; it does nothing more when called again.
  void BuildGlobalHierarchy();
  void FreeGlobalHierarchy();

  // The renderers' working state. The lamp sequence and the trace list are
  // refilled by PrepareTraceData; the hierarchy, its unbounded-object list and
  // the renderer's hierarchy object are set by the renderer and dropped by
  // PrepareTraceData, by any removal of objects or lamps, by Clear and by the
  // destructor.
  FragmentedSeq<CG_LightSourceBase*, long>& GetLampSequence() { return lampSequence_; }
  List<CG_GraphicObjectQZData>& GetTraceList() { return traceList_; }
  const Point3D& GetEyePoint() const { return eyePoint_; }
  void SetEyePoint(const Point3D& eye) { eyePoint_ = eye; }
  // The hit record of the worker running on this thread.
  zavo::SceneHitRecord& GetHitRecord() {
    const int worker = zavo::TraceWorker();
    return worker == 0 ? hitRecord_ : workers_[static_cast<std::size_t>(worker) - 1]->hitRecord;
  }
  zavo::GlobalHierNode* GetHierarchyRoot() const { return hierarchyRoot_.get(); }
  void SetHierarchyRoot(zavo::GlobalHierarchyPtr root) {
    hierarchyRoot_ = std::move(root);
    LayOutHierarchy();
  }
  // Lays out the current tree for the ray walks (after every change of it).
  void LayOutHierarchy() { rayHierarchy_.Make(hierarchyRoot_.get()); }
  // The layout of the current tree, when it fits it (a null pointer otherwise).
  const zavo::RayHierarchy* GetRayHierarchy() const {
    return rayHierarchy_.Fits(hierarchyRoot_.get()) ? &rayHierarchy_ : nullptr;
  }
  List<GObjectRef>& GetUnboundedObjects() { return unboundedObjects_; }
  zavo::GlobalHierarchyObject* GetGlobalHierarchy() const { return globalHierarchy_.get(); }
  void SetGlobalHierarchy(std::unique_ptr<zavo::GlobalHierarchyObject> hierarchy) {
    globalHierarchy_ = std::move(hierarchy);
  }
  // The renderer's hierarchy object of the worker running on this thread.
  std::unique_ptr<zavo::GlobalHierarchyObject>& WorkerHierarchyObject() {
    const int worker = zavo::TraceWorker();
    return worker == 0 ? globalHierarchy_ : workers_[static_cast<std::size_t>(worker) - 1]->scratch;
  }
  // The number of threads that trace an image; 0 (the default) for one a
  // core.
  void SetThreadCount(int threads) { threadCount_ = threads; }
  int GetThreadCount() const { return threadCount_; }
  // Drops the hierarchy, its unbounded-object list, the renderer's hierarchy
  // object, the trace list and the lamp sequence.
  void ReleaseTraceData();

  // ---- Rendering (defined by the renderer layer) ----
  //
  // Render runs the mode named by the render parameter "render". The exports
  // come first and leave the view alone: "vrml", "tgl" and "dxf" run their
  // exporter and answer 0 whatever it did; "t_analysis" answers
  // ExportAnalysis. For the images it copies the camera in use (when there is
  // one) into the view reference, then answers CreateImage ("raytracing"),
  // CreatePreview ("preview") or CreateDepth ("depth"). A mode it does not
  // know shows "Unknown render mode <text>" and answers 0. RenderSucceeded
  // tells whether the last Render wrote its file, whatever Render answered.
  int Render();
  int RenderSucceeded() const { return renderSucceeded_; }
  // The ray-traced image: prepares the trace data, builds the hierarchy when
  // "buildhier" is set, selects the shading method, checks every traced
  // object's material against it, runs the pixel loop chosen by "anti_alias"
  // and writes the image atomically as "<output image name>.bmp" (the scene
  // name when no output image name is set), then shows the time text. 1 when
  // the image was written; 0, writing nothing, after a message (material
  // check, unknown shading method, degenerate view, failed write, an
  // exception) or a user break.
  int CreateImage();
  // The depth image: the same preparation as CreateImage, then one ray a
  // pixel through its centre; the nearest hit distances go to a raw scratch
  // file without a name (render/depth_file.h), which becomes the grey image
  // "<base>.bmp" (also left in the output image). A file "<base>.img" is
  // never touched; the messages name the raw data "<base>.img".
  // Grey levels run from "depthmin" at the nearest hit to "depthmax" at the
  // farthest; a miss is "depthback". 1 when the image was written; 0, writing
  // no .bmp, after a message (those of CreateImage, "Cannot write <file>",
  // "Unknown exception in CG_GraphicScene::CreateDepth") or a user break
  // (status "User break").
  int CreateDepth();
  // The pixel loop of the depth image: writes a row of records for each image
  // row, widening range by every hit; after each row the row
  // status and the user-break test. 1 when every row was written; 0 after a
  // user break or as soon as the stream fails.
  int RenderDepthRows(std::ostream& raw, zavo::DepthRange& range);
  // Turns the raw data, read from its start, into the output image and saves
  // it as "<base>.bmp",
  // with the status "Creating bitmap N%" after each row (N counts the rows
  // before it) and an empty status at the end. 1; 0 after a message ("Cannot
  // read <img>", "Cannot write <bmp>").
  int SaveDepthBitmap(std::istream& raw, const zavo::DepthRange& range);
  int GetDimX() const { return param_.dimx; }
  int GetDimY() const { return param_.dimy; }
  void SetDimX(int dimx) { param_.dimx = dimx; }
  void SetDimY(int dimy) { param_.dimy = dimy; }

  // The centre of projection of the view reference.
  Point3D EyePoint() const;
  // The view-plane point of the image position (x, y): pixel units, origin at
  // the top-left corner, y downwards; pixel centres at +0.5.
  Point3D PixelRay(double x, double y) const;
  // The trace entry of the ray's nearest hit, or null. Every entry it tested
  // keeps this ray's hits in its record until the next search.
  CG_GraphicObjectQZData* FirstIntersection(const Ray& ray);
  // The colour seen along the ray, with depth levels of reflection and
  // refraction left and the weight of the ray.
  Point3D Trace(const Ray& ray, int depth, double weight);
  Point3D TraceReflected(const Point3D& P, const Point3D& N, const Point3D& V, int depth,
                         double weight, double spread);
  // Sets tir to 1 under total internal reflection (the colour is then black).
  Point3D TraceRefracted(const Point3D& P, const Point3D& N, const Point3D& V, int& tir, int depth,
                         double ni, double weight, double spread);

  // The pixel loops: 1 when every row was done, 0 after a user break.
  int RenderSimple();
  int RenderAdaptive();
  int RenderDistributed();
  // The colour of the pixel area (x0..x1, y0..y1) from its four corner
  // colours, refined down to level further steps where a corner differs from
  // their mean by more than "anti_al_toll".
  Point3D SubdividePixel(const Point3D& c00, const Point3D& c10, const Point3D& c01,
                         const Point3D& c11, double x0, double x1, double y0, double y1, int level);

  // The status text after image row "row", with the time still needed.
  void ReportLine(int row);
  // Appends the start, end and total time of the last image.
  std::ostream& ReportTimes(std::ostream& os) const;
  // The clock the renderers read (whole seconds); null restores the system's.
  void SetClock(std::function<std::time_t()> clock);
  std::time_t Now() const;
  std::time_t GetStartTime() const { return startTime_; }
  std::time_t GetEndTime() const { return endTime_; }
  void SetStartTime(std::time_t t) { startTime_ = t; }
  void SetEndTime(std::time_t t) { endTime_ = t; }
  int GetRemainingTime() const { return remainingTime_; }
  // The working material that every traced hit fills (null outside a render).
  CG_Material* GetHitMaterial() const { return hitMaterial_.get(); }
  // The threads that trace this render's pixels: one when the image depends
  // on the order of the random draws (distributed sampling, spread rays) or
  // when a lamp computes its own light (area lamps keep their sampling state
  // in the lamp); else the thread count, at most one a row.
  int TraceThreads();

private:
  // The sections after their keyword; each consumes its closing "}".
  int ReadViewSection(ScannerMemo& scanner);
  int ReadParamSection(ScannerMemo& scanner);
  int ReadMaterialSection(ScannerMemo& scanner);
  int ReadObjectSection(ScannerMemo& scanner);
  int ReadLampSection(ScannerMemo& scanner);
  // Reads the lamp's object form back as an object of the list.
  int AddLampAsObject(const CG_LightSource& lamp);

  void ReleaseHierarchy();
  // The renderer's helpers.
  int CreateImageSteps();
  int CreateDepthSteps(const std::string& rawFile);
  // The preparation shared by the traced images. PrepareTracing checks the
  // view ("Degenerate view"), sizes the output image by "dimx" x "dimy",
  // refills the trace data and builds the hierarchy when "buildhier" is set;
  // BeginTracing sets the start time, the shading method and its two working
  // materials, checks every traced object's material, and sets the eye point. Each answers 1, or
  // 0 after its messages. EndTracing drops the hierarchy and the working
  // materials, whatever happened before.
  int PrepareTracing();
  int BeginTracing();
  void EndTracing();
  Point3D SampleAt(double x, double y);
  // Gives workers 1 .. count-1 their state and records; Release drops them.
  void PrepareWorkers(int count);
  void ReleaseWorkers();
  // The working material of the worker running on this thread.
  std::unique_ptr<CG_Material>& WorkerHitMaterial() {
    const int worker = zavo::TraceWorker();
    return worker == 0 ? hitMaterial_ : workers_[static_cast<std::size_t>(worker) - 1]->hitMaterial;
  }
  Point3D SpreadSamples(const Point3D& P, const Point3D& N, const Point3D& V, const Point3D& D,
                        int depth, double weight, double spread);
  Point3D Background() const;
  // Tests one trace entry in the shadow search; 1 when the stop test accepted.
  int ShadowTest(CG_GraphicObjectQZData& entry, const Ray& ray, double distance,
                 zavo::ShadowHitList& hits, long& count, const zavo::ShadowStopTest& stop,
                 bool opaqueStops);

  charString name_;
  unsigned char viewSection_ = 0;
  CG_GraphicObject* currentCamera_ = nullptr;
  FragmentedSeq<CG_LightSourceBase*, long> lampSequence_;
  std::unique_ptr<zavo::GlobalHierarchyObject> globalHierarchy_;
  List<CG_GraphicObjectQZData> traceList_;
  Point3D eyePoint_;
  zavo::SceneHitRecord hitRecord_;
  DblList<CG_GraphicObject> objects_;
  DblList<CG_LightSource> lamps_;
  CG_ViewReference viewReference_;
  zavo::GlobalHierarchyPtr hierarchyRoot_;
  zavo::RayHierarchy rayHierarchy_;
  List<GObjectRef> unboundedObjects_;
  GParam param_;
  CG_GraphicSystemInterface* interface_;
  CG_NullGraphicSystemInterface nullInterface_;
  CG_ShadingMetod* shadingMethod_ = nullptr;
  charString outputImageName_;
  std::unique_ptr<CG_Material> hitMaterial_;
  std::function<std::time_t()> clock_;
  std::time_t startTime_ = 0;
  std::time_t endTime_ = 0;
  int remainingTime_ = 0;
  int renderSucceeded_ = 0;
  std::vector<std::unique_ptr<zavo::TraceWorkerState>> workers_;
  // The trace entries' record slots of workers 1, 2, ... (see PrepareWorkers).
  std::vector<std::unique_ptr<CG_GraphicObjectIntrInfo>> workerRecordSlots_;
  int threadCount_ = 0;
  BitmapManager outputImage_;
  Transformation inverseViewMatrix_;
  charString errorMessage_;
  DblList<CG_Texture> textures_;
  DblList<CG_NamedMaterial> materials_;
  int errorCode_ = 0;
  int errorLine_ = 0;
  std::vector<zavo::RecordedError> recordedErrors_;
  const ScannerMemo* readingScanner_ = nullptr;  // the scanner of the read in progress
  std::string errorToken_;
  int modelDepth_ = 0;  // model blocks being read inside each other
  std::int64_t tessellationVertices_ = 0;  // of the objects held and read so far
  // While a text is read, the objects by name, so that each new object's name
  // is checked at once rather than against the whole list. Names are not
  // changed by anything else while a text is read; the index is dropped after.
  std::unordered_map<std::string, CG_GraphicObject*> readingIndex_;
  bool reading_ = false;
  charString texturePath_;
  charString modelPath_;
  charString libraryDir_;
  CG_ModelRegistry* registry_;
};
