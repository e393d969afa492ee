#pragma once
// A document with the goals typed into its Prolog console and what the
// console shows since; PrologConsoleTest opens the console (request 79) first.

#include <string>

#include "document_fixture.h"

namespace zavo::test {

class PrologDocumentTest : public DocumentTest {
protected:
  // Everything the console has shown, as one text.
  std::string ConsoleText() const {
    std::string all;
    for (const std::string& line : fakes.console.lines) all += line;
    return all;
  }
  // The line typed into the console; what the console showed for it.
  std::string Type(const std::string& goal) {
    const std::string before = ConsoleText();
    fakes.console.handler(goal.c_str());
    return ConsoleText().substr(before.size());
  }
  long ObjectCount() const { return Count(editor->scene.GetObjects()); }
};

class PrologConsoleTest : public PrologDocumentTest {
protected:
  PrologConsoleTest() { driver.Request(79); }
};

// The five lines every goal run begins with.
inline std::string GoalHeader(const std::string& goal) {
  return "Scrivi regola di partenza\n?- expr.  <==>  goal :- expr. \n--> " + goal + "\n\n" + goal + "\n";
}

}  // namespace zavo::test
