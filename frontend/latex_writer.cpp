#include "latex_writer.h"

#include <string_view>

#include "formula_layout.h"
#include "formula_terms.h"

namespace symcalc::gui {
namespace {

// amsmath's matrix environments stop at ten columns; wider arrays take the
// array environment, which has no such limit, between the same brackets.
constexpr int kMatrixColumns = 10;

constexpr int kInfinity = 1;
constexpr int kMinusInfinity = 2;
constexpr int kPi = 3;

// The names LaTeX itself typesets as upright function names.
bool IsLatexFunction(std::string_view name) {
  for (std::string_view known : {"sin", "cos", "tan", "sinh", "cosh", "tanh", "exp", "log", "det"})
    if (name == known) return true;
  return false;
}

// Characters that LaTeX reads as commands in text mode are written as the
// commands that print them.
void AppendEscapedText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool doubled = i + 1 < text.size() && text[i + 1] == c;
    switch (c) {
      case '\\':
        out += "\\textbackslash{}";
        break;
      case '{':
      case '}':
      case '#':
      case '$':
      case '%':
      case '&':
      case '_':
        out += '\\';
        out += c;
        break;
      case '^':
        out += "\\textasciicircum{}";
        break;
      case '~':
        out += "\\textasciitilde{}";
        break;
      case '<':
        out += "\\textless{}";
        break;
      case '>':
        out += "\\textgreater{}";
        break;
      case '|':
        out += "\\textbar{}";
        break;
      case '\t':
      case '\n':
      case '\r':
        out += ' ';
        break;
      case '-':
      case '\'':
        // "--" and "''" would be set as a dash and a closing quote.
        out += c;
        if (doubled) out += "{}";
        break;
      default:
        out += c;
        break;
    }
  }
}

bool IsPlainName(std::string_view name) {
  for (const char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return !name.empty();
}

class LatexWriter {
 public:
  std::string Write(const Value* value) {
    Put(Term::Of(value));
    return std::move(out_);
  }

 private:
  void Put(Term term);
  void PutText(std::string_view text) {
    out_ += "\\text{";
    AppendEscapedText(out_, text);
    out_ += '}';
  }
  void PutName(std::string_view name);
  void PutComplex(const Value* v);
  void PutError(const Value* v);
  void PutSet(const Value* v);
  void PutArray(const Value* v);
  void PutFunction(const Value* v);
  void PutOperator(Term node);
  void PutFraction(const Fraction& f);
  void PutParenthesised(Term term) {
    out_ += "\\left(";
    Put(term);
    out_ += "\\right)";
  }

  FractionRegrouper fractions_;
  std::string out_;
};

void LatexWriter::Put(Term term) {
  if (!term.value && !term.piece) return;
  // A value whose parts are shared can be written far longer than it is big
  // (a determinant's text can run to billions of characters): Esc stops the
  // writing here, and the caller drops the text.
  if (CancelPending()) return;
  if (term.piece) return PutOperator(term);
  const Value* v = term.value;
  switch (TypeOf(v)) {
    case ValueType::Qword:
    case ValueType::Double:
      out_ += NumberText(v);
      return;
    case ValueType::Complex:
      return PutComplex(v);
    case ValueType::Error:
      return PutError(v);
    case ValueType::Set:
      return PutSet(v);
    case ValueType::Array:
      return PutArray(v);
    case ValueType::Function:
      return PutFunction(v);
    case ValueType::Boolean:
      out_ += RawBoolean(v) ? "\\mathrm{true}" : "\\mathrm{false}";
      return;
    case ValueType::Symbol:
      return PutText("'" + std::string(TextValueOf(v)) + "'");
    case ValueType::String:
      return PutText("\"" + std::string(TextValueOf(v)) + "\"");
    case ValueType::Variable:
      return PutName(TextValueOf(v));
    case ValueType::MathSymbol:
      switch (RawMathSymbol(v)) {
        case kInfinity:
          out_ += "\\infty";
          return;
        case kMinusInfinity:
          out_ += "-\\infty";
          return;
        case kPi:
          out_ += "\\pi";
          return;
        default:
          out_ += "\\mathrm{undefined}";
          return;
      }
    default:
      break;
  }
  if (const Fraction* f = fractions_.Of(v)) return PutFraction(*f);
  if (Precedence(term) > 0) PutOperator(term);
}

// One letter is a math variable as it stands; a longer name stays one word.
void LatexWriter::PutName(std::string_view name) {
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
    out_ += name;
  } else if (IsPlainName(name)) {
    out_ += "\\mathit{";
    AppendEscapedText(out_, name);
    out_ += '}';
  } else {
    PutText(name);
  }
}

// Written as the picture shows it: #c, then both parts in parentheses.
void LatexWriter::PutComplex(const Value* v) {
  out_ += "\\#\\mathrm{c}\\left(";
  Put(Term::Of(LeftOperand(v)));
  out_ += ", ";
  Put(Term::Of(RightOperand(v)));
  out_ += "\\right)";
}

void LatexWriter::PutError(const Value* v) {
  PutText("<Error> " + ErrorMessage(RawErrorCode(v)));
  if (const Value* operand = ErrorOperand(v)) {
    out_ += "\\ ";
    Put(Term::Of(operand));
  }
}

void LatexWriter::PutSet(const Value* v) {
  out_ += "\\left\\{";
  const std::int64_t count = SetCount(v);
  std::int64_t n = 0;
  for (const Value* e = SetFirst(v); e && n < count; e = SetNext(e), ++n) {
    if (n > 0) out_ += ", ";
    Put(Term::Of(e));
  }
  if (n == 0) out_ += "\\,";
  out_ += "\\right\\}";
}

// Square brackets, as the picture draws a matrix; cells centred in columns.
void LatexWriter::PutArray(const Value* v) {
  const int w = ArrayWidth(v);
  const int h = ArrayHeight(v);
  const bool wide = w > kMatrixColumns;
  out_ += wide ? "\\left[\\begin{array}{" + std::string(static_cast<std::size_t>(w), 'c') + "}"
               : std::string("\\begin{bmatrix}");
  for (int r = 0; r < h; ++r) {
    if (r > 0) out_ += " \\\\ ";
    for (int c = 0; c < w; ++c) {
      if (c > 0) out_ += " & ";
      if (const Value* cell = ArrayCell(v, r * w + c)) Put(Term::Of(cell));
    }
  }
  out_ += wide ? "\\end{array}\\right]" : "\\end{bmatrix}";
}

void LatexWriter::PutFunction(const Value* v) {
  const std::string_view name = FunctionEntryName(v);
  if (IsLatexFunction(name)) {
    out_ += '\\';
    out_ += name;
  } else {
    out_ += "\\operatorname{";
    AppendEscapedText(out_, name);
    out_ += '}';
  }
  out_ += "\\left(";
  bool first = true;
  for (int i = 0; i < 4; ++i) {
    const Value* argument = FunctionArgument(v, i);
    if (!argument) continue;
    if (!first) out_ += ", ";
    first = false;
    Put(Term::Of(argument));
  }
  out_ += "\\right)";
}

void LatexWriter::PutOperator(Term node) {
  const OperandShapes shapes = ShapeOperands(node);
  const ValueType type = node.Type();
  switch (shapes.left) {
    case LeftOperandShape::Parenthesised:
      PutParenthesised(node.Left());
      break;
    case LeftOperandShape::MinusSign:
      out_ += '-';
      break;
    case LeftOperandShape::Plain:
      Put(node.Left());
      break;
  }
  switch (type) {
    case ValueType::Times:
      // The picture leaves a small gap between factors and draws no sign.
      if (shapes.left != LeftOperandShape::MinusSign) out_ += "\\,";
      break;
    case ValueType::Power:
      out_ += "^{";
      break;
    case ValueType::And:
      out_ += "\\text{ and }";
      break;
    case ValueType::Or:
      out_ += "\\text{ or }";
      break;
    case ValueType::Xor:
      out_ += "\\text{ xor }";
      break;
    case ValueType::Plus:
      out_ += shapes.right == RightOperandShape::OwnMinus ? " " : " + ";
      break;
    case ValueType::Range:
      out_ += "\\,..\\,";
      break;
    case ValueType::Equal:
      out_ += " = ";
      break;
    case ValueType::Greater:
      out_ += " > ";
      break;
    case ValueType::GreaterEqual:
      out_ += " \\geq ";
      break;
    case ValueType::NotEqual:
      out_ += " \\neq ";
      break;
    default:
      break;
  }
  if (shapes.right == RightOperandShape::Parenthesised)
    PutParenthesised(node.Right());
  else
    Put(node.Right());
  if (type == ValueType::Power) out_ += '}';
}

void LatexWriter::PutFraction(const Fraction& f) {
  if (f.minus) out_ += '-';
  out_ += "\\frac{";
  Put(f.numerator);
  out_ += "}{";
  Put(f.denominator);
  out_ += '}';
}

}  // namespace

std::string LatexOf(const Value* value) { return LatexWriter().Write(value); }

}  // namespace symcalc::gui
