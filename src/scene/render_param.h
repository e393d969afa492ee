#pragma once

// The render parameters of a scene: what the render command does, the image
// size, the shading method, anti-aliasing, the acceleration structures, the
// distributed-sampling effects, atmospheric attenuation, the depth-image range
// and the camera to look through. They travel in the scene file as the
// "{ param" section.

#include <iosfwd>

#include "foundation/char_string.h"
#include "geometry/point3d.h"

class ScannerMemo;

// Copies are deep: every number, and fresh copies of the five strings.
class GParam {
public:
  GParam() = default;

  // Reads the section body, standing on the first key after "param", up to
  // and including its "}". 1 when the "}" was reached; 0 at the first bad
  // token (a key it does not know, a value of the wrong kind, a missing ";",
  // an integer value outside the 32-bit range), with the keys read so far
  // stored: callers read into a copy and keep it only on success.
  int Read(ScannerMemo& scanner);
  // Writes the "{ param" section: "render" first, then every entry whose value
  // the reader would not assume anyway, two blanks of indentation, then
  // ";\n}\n\n".
  void Write(std::ostream& os) const;

  friend bool operator==(const GParam&, const GParam&) = default;

  double toll = 0.001;                    // tolerance of the renderers
  int mode = 0;                           // trace depth of a primary ray
  charString render{"raytracing"};        // "raytracing", "preview", "depth", "vrml", "tgl", "dxf", "t_analysis"
  charString shade{"phong"};              // shading method by its registry keyword
  int buildhier = 1;                      // non-zero: global bounding hierarchy
  int anti_alias = 0;                     // 0 one ray a pixel, -1 distributed, else adaptive
  double anti_al_toll = 0.05;             // tolerance of the adaptive anti-aliasing
  int dimx = 100;                         // image width in pixels
  int dimy = 100;                         // image height in pixels
  Point3D ambientcolor{1, 1, 1};          // ambient light colour
  Point3D backcolor{0, 0, 0};             // background colour
  double ambient_ni = 1.0;                // refraction index around the objects
  double infltoll = 0.05;                 // smallest ray weight still traced
  int modifydef = 1;                      // kept for the editor
  int depthmax = 64;                      // depth image: grey of the farthest hit
  int depthmin = 48;                      // depth image: grey of the nearest hit
  int depthback = 64;                     // depth image: grey of a miss
  charString _brep_optimiz{"auto"};       // mesh hierarchies: "auto", "hier", "fasthier", "median"
  int _brep_grid_dim = 30;
  int _brep_hsort = 0;
  charString _general_optimiz{"auto"};    // scene hierarchy: "auto", "hier", "fasthier", "median"
  int _general_grid_dim = 30;
  int _general_hsort = 1;
  double _general_costr = 1.1;
  int _csg_convert = 0;
  int UseDF = 0;                          // depth of field
  double DFSmax = 0.05;
  double DFf1 = 0;
  double DFf2 = 10;
  double DFb1 = 100;
  double DFb2 = 1000;
  double jitterrange = 0.1;               // distributed sampling
  int jitterfreq = 1;
  int motionblur = 0;
  double motionblurq = 0.5;
  int mpeg = 0;                           // animation export
  int AngleFreq = 1000;
  int UseDistribuiteTS = 0;
  int UseAA = 0;                          // atmospheric attenuation
  double AAsb = 0.2;
  double AAsf = 0.8;
  double AAzb = 0;
  double AAzf = 1000;
  charString CameraInUse;                 // name of the camera object; null: none
};
