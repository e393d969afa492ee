#pragma once

// Reading the polyface meshes of a DXF text. The file is a stream of words
// separated by white space, not of lines: the word "POLYLINE" starts a
// polyline wherever it stands, group codes and values are each taken from
// their own word, and every loop ends with the input (a polyline cut short
// keeps what was read).

#include <array>
#include <istream>
#include <string>
#include <vector>

#include "geometry/point3d.h"

namespace zavo {

// The words of a DXF text, one after the other.
class DxfWords {
public:
  explicit DxfWords(std::istream& in) : in_(in) {}
  // The next word; false at the end of the input.
  bool Next(std::string& word);

private:
  std::istream& in_;
};

// The header after "POLYLINE": code 66 (vertices follow), 70 (flags), 40, 41,
// 71 to 75 and the layer (code 8). Only the flags and the layer are used.
struct DxfPolylineHeader {
  int verticesFollow = 0;
  int flags = 0;
  int code40 = 0, code41 = 0;
  int code71 = 0, code72 = 0, code73 = 0, code74 = 0, code75 = 0;
  std::string layer;
};

// One "VERTEX": the point (10, 20, 30), codes 40 to 42, the flags (70), the
// face indices (71 to 74), code 75 and the layer.
struct DxfVertexRecord {
  double x = 0, y = 0, z = 0;
  double code40 = 0, code41 = 0, code42 = 0;
  int flags = 0;
  int index71 = 0, index72 = 0, index73 = 0, index74 = 0;
  int code75 = 0;
  std::string layer;
};

// Four DXF vertex numbers (from 1; a negative number marks a hidden edge; a
// fourth number 0 makes a triangle).
using Facce = std::array<int, 4>;

// The vertices and faces of one polyline, in the order of their records.
struct DxfPolyline {
  std::vector<Point3D> vertices;
  std::vector<Facce> faces;
};

// A header flag bit: the polyline is a polyface mesh.
inline constexpr int kDxfPolyface = 64;

// The integer of a word as the DXF reader takes codes and integer fields:
// optional sign and the decimal digits that follow ("70.9" gives 70, a word
// without digits 0); saturates at the range of int.
int DxfInteger(const std::string& word);

// Reads header codes until a code that is none of 8, 40, 41, 66, 70 to 75
// (its value stays unread) or the end of the input. Answers 1.
int ReadDxfPolylineHeader(DxfWords& words, DxfPolylineHeader& header);
// Reads the codes of one vertex until another code (the word after it stays
// for ReadDxfVertices) or the end of the input. Answers 1.
int ReadDxfVertex(DxfWords& words, DxfVertexRecord& record);
// Reads the vertices of one polyline up to "SEQEND" (other words are skipped)
// or the end of the input: a record with bit 64 of its flags is a point, any
// other a face of the indices 71 to 74. Answers 1.
int ReadDxfVertices(DxfWords& words, DxfPolyline& polyline);

}  // namespace zavo
