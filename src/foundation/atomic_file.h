#pragma once

// Files that a user keeps are replaced whole or not at all: the new content goes
// to a temporary file in the target's directory, which is then renamed over the
// target. A failed write leaves the old file as it was and no temporary file;
// a temporary file left by a run that was killed while writing the same target
// is removed by the next write of that target.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <system_error>

namespace zavo {

// Opens a fresh temporary file beside target for binary writing and calls write
// with it. When write returns true and every byte reached the file, renames it
// to target and returns true. Otherwise (write returned false, the stream
// failed, the directory does not exist or is not writable, target is a
// directory, a write, flush, close or rename fails, the user broke the run)
// removes the temporary file and returns false; none of these throws. An
// exception thrown by write removes the temporary file and goes on to the
// caller. The new file gets the permissions of a plain newly created file
// (0666 less the umask).
bool WriteFileAtomically(const std::filesystem::path& target,
                         const std::function<bool(std::ostream&)>& write);

// Whether WriteFileAtomically could write target: creates the temporary file it
// would use and removes it again. False, with the reason in error, when the
// temporary file cannot be made or target is a directory.
bool CanWriteFileAtomically(const std::filesystem::path& target, std::error_code& error);

}  // namespace zavo
