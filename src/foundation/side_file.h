#pragma once

// Files that a run makes for itself beside the user's files: diagnostic logs
// and scratch data. Neither may ever write through a name that belongs to
// someone else.

#include <filesystem>
#include <string_view>

namespace zavo {

// Replaces the content of the log file with text. The log is written only
// when the name is free or holds a plain file of its own (one link): a
// symbolic link, a directory, a device or a pipe there is left alone, and so
// is the file a link points to. A log is a diagnostic: false (nothing
// written) is no failure of the caller.
bool WriteLogFile(const std::filesystem::path& file, std::string_view text);

// A new, empty file open for reading and writing in dir that has no name at
// all (it vanishes when closed, also when the run is killed): the descriptor,
// or -1. Where the file system cannot make nameless files, a fresh file is
// created exclusively and its name removed at once.
int OpenScratchFile(const std::filesystem::path& dir);

}  // namespace zavo
