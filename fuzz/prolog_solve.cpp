// Consults arbitrary bytes into a Prolog system with small stacks, then runs
// the head of each stored clause as a query. The host stops every search
// after a fixed number of steps, and the library directory holds no files.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "interp/prolog/parser.h"
#include "interp/prolog/prolog_system.h"

namespace {

constexpr int kSteps = 2000;       // steps of one search
constexpr int kDebugStepCost = 100;  // a traced step dumps the stacks
constexpr int kQueries = 16;       // clause heads run per input

class FuzzHost : public PrologInterface {
public:
  explicit FuzzHost(const PrologSystem& sys) : sys_(sys) {}
  int Poll() override {
    spent += sys_.debug ? kDebugStepCost : 1;
    return spent > kSteps ? 1 : 0;
  }
  int IsQuiet() override { return 1; }
  void Output(const std::string&) override {}
  std::filesystem::path LibraryDir() override { return "/nonexistent/zavo-fuzz-library"; }

  int spent = 0;

private:
  const PrologSystem& sys_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PrologSystem sys(1, 1);
  sys.limits.steps = 2000;
  FuzzHost host(sys);
  std::ostream nowhere(nullptr);
  sys.host = &host;
  sys.log = &nowhere;
  sys.out = &nowhere;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  sys.Consult(in, "fuzz");

  // The heads as goal texts, written with their own variable names.
  std::vector<std::string> goals;
  for (const Rule* r = sys.rules.First(); r != nullptr && goals.size() < kQueries;
       r = sys.rules.Next(r)) {
    if (r->head == nullptr) continue;
    std::ostringstream text;
    ListofNames* previous = sys.names;
    sys.names = const_cast<ListofNames*>(&r->names);
    sys.ViewMode = 0;
    r->head->Out(sys, text);
    sys.names = previous;
    goals.push_back("?- " + text.str() + " .");
  }
  for (const std::string& goal : goals) {
    std::istringstream g(goal);
    pParser p(g, zavo::kPrologFileScannerConfig);
    std::unique_ptr<Rule> query(sys.ReadClause(p));
    if (query == nullptr) continue;
    host.spent = 0;
    sys.Solve(query.get());
    sys.Answer();
    // A break leaves frames that still refer to the query.
    sys.Solve(nullptr);
  }
  sys.host = nullptr;
  return 0;
}
