#include "eval_fixture.h"

namespace zavo::test {

std::string Tree(const EvalObj& node) {
  std::ostringstream out;
  switch (node.Kind()) {
    case kRealKind:
      WriteEvalNumber(out, static_cast<const RealNum&>(node).Value());
      return out.str();
    case kComplexKind: {
      const auto& z = static_cast<const ComplexNum&>(node);
      out << "[c ";
      WriteEvalNumber(out, z.Re());
      out << ',';
      WriteEvalNumber(out, z.Im());
      out << ']';
      return out.str();
    }
    case kVarKind:
      return static_cast<const ::Var&>(node).Variable()->Name();
    case kParamKind:
      return "$" + std::to_string(static_cast<const Param&>(node).Index());
    case kFunKind:
    case kVectorKind: {
      const auto& seq = static_cast<const EvalSeq&>(node);
      if (node.Kind() == kFunKind) {
        out << static_cast<const Fun&>(node).Function()->Name() << '(';
      } else {
        out << "[v ";
      }
      for (unsigned i = 0; i < seq.Count(); ++i) {
        if (i > 0) out << ',';
        out << Tree(*seq.Item(i));
      }
      out << (node.Kind() == kFunKind ? ")" : "]");
      return out.str();
    }
  }
  return "<unknown>";
}

EvalTest::EvalTest() {
  for (const char* name : {"a", "b", "c", "u", "v", "w", "x", "y", "z"}) {
    system_.SetConstant(system_.DefineVariable(name), 0.0);
  }
}

std::string EvalTest::Printed(DVar* handle) {
  std::ostringstream out;
  if (!system_.Print(handle, out)) return "<none>";
  return out.str();
}

std::string EvalTest::Parsed(const std::string& text) {
  DVar* h = system_.DefineVariable("parsed");
  if (!system_.Compile(h, text.c_str())) return "<refused>";
  return Tree(*h->Value());
}

std::string EvalTest::Evaluated(const std::string& text) {
  DVar* h = system_.DefineVariable("expression");
  DVar* r = system_.DefineVariable("result");
  if (!system_.Compile(h, text.c_str())) return "<refused>";
  if (!system_.Evaluate(h, r)) return "<failed>";
  return Printed(r);
}

std::string EvalTest::EvaluatedReal(const std::string& text) {
  DVar* h = system_.DefineVariable("expression");
  if (!system_.Compile(h, text.c_str())) return "<refused>";
  double value = 0.0;
  if (!system_.EvaluateReal(h, value)) return "<failed>";
  std::ostringstream out;
  WriteEvalNumber(out, value);
  return out.str();
}

}  // namespace zavo::test
