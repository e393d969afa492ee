#pragma once

// The pbrep block of a mesh file read without the scanner when the text is
// in the plainest layout the mesh writers use: "{ pbrep vertices N", the
// coordinates, "faces M", each face "{ C" with its contours "{ n" and n
// vertex numbers (a "*" before a number marking a hidden edge) "}", then
// "}", and the closing "}"; every token ended by white space. Faces with
// normals or a plane of their own, and edge lists, are left to the scanner.

#include <string_view>

class BRepModel3;

namespace zavo {

// 1 with the mesh read as BRepModel3::Read reads the same text (what
// follows the block is not looked at); 0 when the text is not in that
// layout, the mesh then in no particular state, to be read by the scanner.
int ReadPlainPbrep(std::string_view text, BRepModel3& mesh);

}  // namespace zavo
