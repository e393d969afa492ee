#pragma once

// Finding files named in scenes and settings, which may have been written on
// another system: "\" separates components as "/" does, and a name whose case
// differs from the file on disk still finds it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zavo {

// Whether the two texts are equal when ASCII letters are compared without
// regard to case.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b);

// The name as a path, every "\" turned into "/".
std::filesystem::path PathFromName(std::string_view name);

// The existing file or directory that the name denotes, with every "\" read as
// "/": the exact path when it exists, else the entry of the same directory
// whose name equals the last component ignoring ASCII case (the first such
// entry in byte order when several match). Nothing when neither exists. Only
// the last component is matched loosely; the directories above it must be
// spelled exactly.
std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& name);

// The side file "<path>.<extension>" of a model found by name (the path
// without its extension, as the model search answers it): the regular file
// as written, else the one ResolvePath finds, so that "CUBE.BRP" serves
// "CUBE" with "brp". Nothing when neither is a regular file.
std::optional<std::filesystem::path> FindSideFile(const std::string& path, const char* extension);

// The name under which to read or replace that side file: the one
// FindSideFile finds, else "<path>.<extension>" as written.
std::filesystem::path SideFileName(const std::string& path, const char* extension);

}  // namespace zavo
