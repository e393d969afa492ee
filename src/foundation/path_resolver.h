#pragma once

// Finding files named in scenes and settings, which may have been written on
// another system: "\" separates components as "/" does, and a name whose case
// differs from the file on disk still finds it.

#include <filesystem>
#include <optional>
#include <string_view>

namespace zavo {

// The name as a path, every "\" turned into "/".
std::filesystem::path PathFromName(std::string_view name);

// The existing file or directory that the name denotes, with every "\" read as
// "/": the exact path when it exists, else the entry of the same directory
// whose name equals the last component ignoring ASCII case (the first such
// entry in byte order when several match). Nothing when neither exists. Only
// the last component is matched loosely; the directories above it must be
// spelled exactly.
std::optional<std::filesystem::path> ResolvePath(const std::filesystem::path& name);

}  // namespace zavo
