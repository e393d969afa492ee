#pragma once

#include <filesystem>

// Creates the directory base/name (the base itself when name is null or empty)
// and returns its path. An existing directory is no failure. When exists is
// given it tells whether the directory is there afterwards, so that a caller
// never writes into a directory that could not be made.
std::filesystem::path MakeDirectoryPath(const std::filesystem::path& base, const char* name,
                                        bool* exists = nullptr);
