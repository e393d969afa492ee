#pragma once

// The host link of a Prolog system: implemented by the embedding program (the
// editor's Prolog window, a test host) and installed in `PrologSystem::host`.

#include <filesystem>
#include <string>

class PrologInterface {
public:
  virtual ~PrologInterface() = default;

  // Nonzero when the user asked to stop the running search.
  virtual int Poll() = 0;
  // Nonzero when output is to stay on the stream it was written to.
  virtual int IsQuiet() = 0;
  // Shows a text in the host's Prolog window; the text arrives whole.
  virtual void Output(const std::string& text) = 0;
  // The directory that consult and reconsult read their files from.
  virtual std::filesystem::path LibraryDir() = 0;
  // Sets the flag that IsQuiet answers; a host without one ignores it.
  virtual void SetQuiet(int) {}
};
