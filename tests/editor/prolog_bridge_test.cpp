// The editor's Prolog system: goals typed into the console, the scene
// predicates, the scene text of a term, the start of the system and its log.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "editor/modules/module_test_support.h"
#include "models/core/transf.h"
#include "object_command_fixture.h"
#include "prolog_fixture.h"

namespace zavo::test {
namespace {

constexpr const char* kBoxes =
    "{ object name k1; model { box xmin 0.6; xmax 5.6; ymin 0.6; ymax 2.6; zmin 0.1; zmax 1.1; } }\n"
    "{ object name k1_; model { box xmin -3.2; xmax -1.7; ymin 0.4; ymax 1.9; zmin 0; zmax 2.3; } }\n"
    ".\n";

class PrologBridge : public PrologConsoleTest {
protected:
  PrologBridge() { Read(kBoxes); }
};

struct GoalCase {
  const char* goal;
  const char* shown;
};

// Wrong arities and argument kinds are told on the console and fail; the
// predicates that do nothing always fail; nothing changes the scene.
TEST_F(PrologBridge, PredicatesRefuseWhatTheyCannotServe) {
  const GoalCase cases[] = {
      {"?-qz_test1(foo(1)).", "%test1 1\nname = foo\nyes\n\n"},
      {"?-qz_test1(bar).", "%test1 1\nname = bar\nyes\n\n"},
      {"?-qz_test1(3).", "%test1 1\nconsult: arg must be a functor.\nno\n\n"},
      // qz_test1 looks at the variable itself, not at what it is bound to.
      {"?-X = foo, qz_test1(X).", "%test1 1\nconsult: arg must be a functor.\nno\n\n"},
      {"?-qz_test1(a, b).", "%test1 2\nconsult: size must be 1.\nno\n\n"},
      {"?-qz_duplicate(k1).", "%qz_duplicate 1\nqz_duplicate: size must be 2.\nno\n\n"},
      {"?-qz_duplicate(2.5, X).", "%qz_duplicate 2\nconsult: arg must be a functor.\nno\n\n"},
      {"?-qz_translate(k1, 1).", "%qz_translate 2\nqz_translate: size must be 4.\nno\n\n"},
      {"?-qz_translate(k1, a, 0, 0).", "%qz_translate 4\nconsult: arg must be a functor.\nno\n\n"},
      {"?-qz_translate(k1(b), 1, 0, 0).", "%qz_translate 4\nconsult: arg must be a functor.\nno\n\n"},
      {"?-qz_translate(k1, 1, Y, 0).", "%qz_translate 4\nno\n\n"},
      {"?-qz_translate(nosuch, 1, 0, 0).", "%qz_translate 4\nno\n\n"},
      {"?-qz_createobject0(a).", "%qz_createfromscheme 1\nqz_createfromscheme: size must be 2.\nno\n\n"},
      {"?-qz_createobject0(7, x).", "%qz_createfromscheme 2\nconsult: arg must be a functor.\nno\n\n"},
      {"?-qz_createobject0(T, x).", "%qz_createfromscheme 2\nno\n\n"},
      {"?-qz_delete.", "no\n\n"},
      {"?-qz_delete(k1).", "no\n\n"},
      {"?-qz_rotate(k1, 0, 0, 1.5).", "no\n\n"},
      {"?-qz_scale(k1, 2, 2, 2).", "no\n\n"},
      {"?-qz_test1(.", "Cannot create the rule\n\n"},
  };
  for (const GoalCase& c : cases) {
    SCOPED_TRACE(c.goal);
    EXPECT_EQ(Type(c.goal), c.shown);
  }
  EXPECT_EQ(ObjectCount(), 3);
  EXPECT_EQ(dynamic_cast<GTransf*>(editor->scene.FindObject("k1")), nullptr);
  EXPECT_EQ(editor->modified, 0);
}

// The header lines go straight to the run's stream; with the quiet flag on
// the answers follow them there and only the messages reach the console; the
// console's stream is the log.
TEST_F(PrologBridge, TheRunsStreamGetsTheHeaderAndAQuietHostsAnswers) {
  editor->prolog.Shell().SetQuiet(1);
  const struct {
    const char* goal;
    const char* answer;  // after the header, on the stream
    const char* shown;   // on the console
  } cases[] = {
      {"?-X = k1.", "X = k1\nyes\n\n", ""},
      {"?-qz_translate(k1, 1).", "no\n\n", "qz_translate: size must be 4.\n"},
      {"?-X = .", "Cannot create the rule\n\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    std::ostringstream stream;
    const std::string before = ConsoleText();
    editor->prolog.RunGoalText(c.goal, stream);
    EXPECT_EQ(stream.str(), GoalHeader(c.goal) + c.answer);
    EXPECT_EQ(ConsoleText().substr(before.size()), c.shown);
    Type(c.goal);
    EXPECT_EQ(ReadFile(dir / "prolog.log"), GoalHeader(c.goal) + c.answer);
  }
}

// The copy's real name is bound, and nothing copied is a failure.
TEST_F(PrologBridge, DuplicateBindsTheCopysNameOrFails) {
  const struct {
    const char* goal;
    const char* shown;
    const char* copy;  // null: nothing is added
  } cases[] = {
      {"?-qz_duplicate(k1, X).", "%qz_duplicate 2\nX = k1__\nyes\n\n", "k1__"},
      {"?-qz_duplicate(k1(a), New).", "%qz_duplicate 2\nNew = k1___\nyes\n\n", "k1___"},
      {"?-N = k1_, qz_duplicate(N, X).", "%qz_duplicate 2\nN = k1_\nX = k1____\nyes\n\n", "k1____"},
      {"?-qz_duplicate(k1, k2).", "%qz_duplicate 2\nno\n\n", nullptr},
      {"?-qz_duplicate(k1, _).", "%qz_duplicate 2\nno\n\n", nullptr},
      {"?-X = taken, qz_duplicate(k1, X).", "%qz_duplicate 2\nno\n\n", nullptr},
      {"?-qz_duplicate(nosuch, X).", "%qz_duplicate 2\nno\n\n", nullptr},
      {"?-qz_duplicate(Name, X).", "%qz_duplicate 2\nno\n\n", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    const long before = ObjectCount();
    EXPECT_EQ(Type(c.goal), c.shown);
    EXPECT_EQ(ObjectCount(), before + (c.copy != nullptr ? 1 : 0));
    if (c.copy != nullptr) {
      EXPECT_NE(Item(c.copy), nullptr);
    }
  }
  EXPECT_EQ(editor->modified, 1);
}

// A move wraps the object about its centre, shows it moved and marks the
// document modified.
TEST_F(PrologBridge, TranslateWrapsTheObjectAndMarksTheDocument) {
  editor->ProjectAllItems();
  editor->RefreshViews();
  const std::vector<unsigned char> topBefore = top.Buffer();
  EXPECT_EQ(Type("?-qz_translate(k1, 1, 0, 0)."), "%qz_translate 4\nyes\n\n");
  auto* wrapper = dynamic_cast<GTransf*>(editor->scene.FindObject("k1"));
  ASSERT_NE(wrapper, nullptr);
  CG_GraphicObject* child = nullptr;
  const std::vector<Step> steps = StepsOf(*wrapper, child);
  const std::vector<Step> expected = {{0, -3.1, -1.6, -0.6}, {0, 3.1, 1.6, 0.6}, {0, 1, 0, 0}};
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(steps[i][k], expected[i][k], 1e-12) << "step " << i;
  }
  EXPECT_EQ(Item("k1")->object, wrapper);
  EXPECT_NE(top.Buffer(), topBefore);
  EXPECT_EQ(driver.Request(76).result, 1);
}

// The camera keeps its own frame, as with the move by dialog.
class PrologCameraMove : public ObjectCommandTest {};

TEST_F(PrologCameraMove, TheCameraIsNotMoved) {
  driver.Request(79);
  fakes.console.handler("?-qz_translate(camera, 0, 0, 1.5).");
  ASSERT_FALSE(fakes.console.lines.empty());
  EXPECT_EQ(fakes.console.lines[fakes.console.lines.size() - 2], "no\n");
  EXPECT_EQ(dynamic_cast<GTransf*>(editor->scene.FindObject("camera")), nullptr);
  EXPECT_EQ(editor->modified, 0);
}

// What the conversion makes of a term, its variables followed to their values.
std::string capturedText;
int CaptureSceneText(PrologSystem& sys, Seq<pObj*>& args) {
  capturedText = QZPrologSystem::SceneText(sys, args[0], sys.LeftPos);
  return 1;
}

TEST_F(PrologBridge, SceneTextOfTerms) {
  editor->prolog.DefinePredicate("scene_text", CaptureSceneText);
  const struct {
    const char* goal;
    const char* text;
  } cases[] = {
      {"?-scene_text(nsection(object, attribute(toll, 0.01))).", "{ object toll 0.01 ;\n} \n.\n"},
      {"?-scene_text(attribute(a, 1)).", "a 1 ;\n\n.\n"},
      {"?-K = xmax, V = 2.5, scene_text(nsection(box, attribute(K, V), attribute(ymax, 3.75))).",
       "{ box xmax 2.5 ;\n ymax 3.75 ;\n} \n.\n"},
      {"?-scene_text(nsection(s, 7, plain, other(1))).", "{ s 7   } \n.\n"},
      {"?-scene_text(attribute(a)).", "\n.\n"},
      {"?-scene_text(nsection).", "\n.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.goal);
    capturedText.clear();
    Type(c.goal);
    EXPECT_EQ(capturedText, c.text);
  }
}

// The text goes through the scene reader from memory: the scene takes the
// section read, and no file is written.
TEST_F(PrologBridge, CreateObjectMergesFromMemory) {
  EXPECT_EQ(Type("?-qz_createobject0(nsection(param, attribute(dimx, 64), attribute(dimy, 48)), x)."),
            "%qz_createfromscheme 2\nyes\n\n");
  EXPECT_EQ(editor->scene.GetDimX(), 64);
  EXPECT_EQ(editor->scene.GetDimY(), 48);
  EXPECT_EQ(editor->modified, 1);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename(), "prolog.log");
  }
  // A text the reader refuses is a failure.
  EXPECT_EQ(Type("?-qz_createobject0(nsection(object, attribute(model, nsection(nosuchmodel))), x)."),
            "%qz_createfromscheme 2\nno\n\n");
}

// Request 80 consults system.pro from the library's prolog folder and runs
// qz_system; nothing is shown. Without the file one message says so and the
// goals still run.
TEST_F(PrologBridge, StartConsultsTheSystemFileQuietly) {
  const std::string kNoSystemFile =
      "Cannot find file 'system.pro'\nPerhaps the variable LibraryDir is not correct.\nPlease change it in "
      "Option|General..\n and restart the program.";
  for (bool present : {true, false}) {
    SCOPED_TRACE(present);
    TempDir library;
    std::filesystem::create_directories(library / "prolog");
    if (present) WriteFile(library / "prolog" / "system.pro", "ready(yes).\nqz_system :- qz_translate(k1, 0, 0, 1.5).\n");
    driver.Request(81, library.path().c_str());
    fakes.system.messages.clear();
    const std::string before = ConsoleText();
    EXPECT_EQ(driver.Request(80).result, 0);
    EXPECT_EQ(ConsoleText(), before);
    const long told = std::count(fakes.system.messages.begin(), fakes.system.messages.end(), kNoSystemFile);
    if (present) {
      EXPECT_EQ(told, 0);
      EXPECT_NE(dynamic_cast<GTransf*>(editor->scene.FindObject("k1")), nullptr);
      EXPECT_EQ(Type("?-ready(X)."), "X = yes\nyes\n\n");
    } else {
      EXPECT_EQ(told, 1);
    }
  }
}

// The host link: library folder, user break, and no editor at all.
TEST_F(PrologBridge, TheHostLinkAsksTheEditor) {
  driver.Request(81, "/opt/zavo lib");
  EXPECT_EQ(editor->prolog.Shell().LibraryDir(), std::filesystem::path("/opt/zavo lib/prolog/"));
  // A search without end stops at the user's break.
  std::istringstream clauses("forever :- forever.\n");
  editor->prolog.Consult(clauses, nullptr);
  fakes.system.breaks = {0, 0, 1};
  EXPECT_EQ(Type("?-forever."), "no\n\n");
  EXPECT_TRUE(fakes.system.breaks.empty());

  QZPrologSystem alone;
  EXPECT_EQ(alone.Shell().Poll(), 0);
  EXPECT_EQ(alone.Shell().LibraryDir(), std::filesystem::path());
  alone.Shell().Output("lost");
}

// The log is one open file: the console's run empties it, and what the
// system logs while the goal runs stays between the goal's own lines.
TEST_F(PrologBridge, TheLogHoldsTheLastConsoleGoalWhole) {
  editor->prolog.Shell().SetQuiet(1);
  Type("?-X = first.");
  const std::string goal = "?-debug, write(k1), nl, undebug.";
  Type(goal);
  const std::string log = ReadFile(dir / "prolog.log");
  ASSERT_EQ(log.rfind(GoalHeader(goal), 0), 0u) << log;
  EXPECT_EQ(log.find("first"), std::string::npos);
  // The trace of the call, then what the call wrote.
  EXPECT_NE(log.find(": write(k1)\nrun predicat\nk1 "), std::string::npos) << log;
  EXPECT_EQ(log.substr(log.size() - 5), "yes\n\n");
}

TEST_F(PrologBridge, DefiningAPredicateFromTextIsAnInternalError) {
  EXPECT_DEATH(editor->prolog.AddStringPredic("p :- q."), "Runtime Error: QZPrologSystem::AddStringPredic not Def.");
}

}  // namespace
}  // namespace zavo::test
