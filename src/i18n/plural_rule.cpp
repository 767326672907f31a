#include "i18n/plural_rule.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace vx {

namespace {

// Far beyond the longest rule of any language (Arabic's is under 100
// characters), and small enough that nothing can grow deep.
constexpr std::size_t kMaxExpressionLength = 400;
constexpr int kMaxDepth = 40;
constexpr int kMaxForms = 10;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

}  // namespace

// Recursive descent over C's precedence: ?: below ||, &&, == !=, < > <= >=,
// + -, * / %, and unary !. Every node records how deep it is; a rule deeper
// than kMaxDepth is refused, so evaluating one cannot exhaust the stack.
class PluralRule::Parser {
 public:
  Parser(std::string_view text, std::vector<Node>& nodes) : text_(text), nodes_(nodes) {}

  // The whole text as one expression, or -1.
  int ParseAll() {
    const int root = Conditional();
    Skip();
    return failed_ || pos_ != text_.size() ? -1 : root;
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Take(std::string_view token) {
    Skip();
    if (text_.substr(pos_, token.size()) != token) return false;
    pos_ += token.size();
    return true;
  }
  // A comparison operator that is not the start of a longer one ("<" of "<=").
  bool TakeAlone(std::string_view token, char notFollowedBy) {
    Skip();
    if (text_.substr(pos_, token.size()) != token) return false;
    if (pos_ + token.size() < text_.size() && text_[pos_ + token.size()] == notFollowedBy) return false;
    pos_ += token.size();
    return true;
  }

  int Add(Op op, int a = -1, int b = -1, int c = -1, std::uint64_t value = 0) {
    if (failed_) return -1;
    int depth = 0;
    for (int operand : {a, b, c})
      if (operand >= 0) depth = std::max(depth, depths_[static_cast<std::size_t>(operand)]);
    if (depth + 1 > kMaxDepth) return Fail();
    nodes_.push_back({op, value, a, b, c});
    depths_.push_back(depth + 1);
    return static_cast<int>(nodes_.size()) - 1;
  }
  int Fail() {
    failed_ = true;
    return -1;
  }

  int Conditional() {
    if (++nesting_ > kMaxDepth) return Fail();
    int condition = Or();
    if (!failed_ && Take("?")) {
      const int then = Conditional();
      if (failed_ || !Take(":")) return Fail();
      const int otherwise = Conditional();
      condition = Add(Op::Choose, condition, then, otherwise);
    }
    --nesting_;
    return failed_ ? -1 : condition;
  }
  int Or() {
    int left = And();
    while (!failed_ && Take("||")) left = Add(Op::Or, left, And());
    return left;
  }
  int And() {
    int left = Equality();
    while (!failed_ && Take("&&")) left = Add(Op::And, left, Equality());
    return left;
  }
  int Equality() {
    int left = Relation();
    while (!failed_) {
      if (Take("==")) left = Add(Op::Equal, left, Relation());
      else if (Take("!=")) left = Add(Op::NotEqual, left, Relation());
      else break;
    }
    return left;
  }
  int Relation() {
    int left = Sum();
    while (!failed_) {
      if (Take("<=")) left = Add(Op::LessEq, left, Sum());
      else if (Take(">=")) left = Add(Op::GreaterEq, left, Sum());
      else if (TakeAlone("<", '=')) left = Add(Op::Less, left, Sum());
      else if (TakeAlone(">", '=')) left = Add(Op::Greater, left, Sum());
      else break;
    }
    return left;
  }
  int Sum() {
    int left = Product();
    while (!failed_) {
      if (Take("+")) left = Add(Op::Add, left, Product());
      else if (Take("-")) left = Add(Op::Sub, left, Product());
      else break;
    }
    return left;
  }
  int Product() {
    int left = Unary();
    while (!failed_) {
      if (Take("*")) left = Add(Op::Mul, left, Unary());
      else if (Take("/")) left = Add(Op::Div, left, Unary());
      else if (Take("%")) left = Add(Op::Mod, left, Unary());
      else break;
    }
    return left;
  }
  int Unary() {
    if (TakeAlone("!", '=')) {
      if (++nesting_ > kMaxDepth) return Fail();
      const int operand = Unary();
      --nesting_;
      return Add(Op::Not, operand);
    }
    return Primary();
  }
  int Primary() {
    Skip();
    if (pos_ >= text_.size()) return Fail();
    const char c = text_[pos_];
    if (c == 'n') {
      ++pos_;
      return Add(Op::N);
    }
    if (c >= '0' && c <= '9') {
      std::uint64_t value = 0;
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
        if (value > 999999999u) return Fail();
        value = value * 10 + static_cast<std::uint64_t>(text_[pos_++] - '0');
      }
      return Add(Op::Number, -1, -1, -1, value);
    }
    if (Take("(")) {
      const int inner = Conditional();
      if (failed_ || !Take(")")) return Fail();
      return inner;
    }
    return Fail();
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<Node>& nodes_;
  std::vector<int> depths_;
  int nesting_ = 0;
  bool failed_ = false;
};

std::optional<PluralRule> PluralRule::Parse(std::string_view forms) {
  std::optional<int> count;
  std::optional<std::string_view> expression;
  while (!forms.empty()) {
    const std::size_t end = forms.find(';');
    const std::string_view part = Trim(forms.substr(0, end));
    forms = end == std::string_view::npos ? std::string_view() : forms.substr(end + 1);
    if (part.empty()) continue;
    const std::size_t equals = part.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = Trim(part.substr(0, equals));
    const std::string_view value = Trim(part.substr(equals + 1));
    if (key == "nplurals") {
      if (value.empty() || value.size() > 2 || value.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
      count = std::stoi(std::string(value));
    } else if (key == "plural") {
      expression = value;
    } else {
      return std::nullopt;
    }
  }
  if (!count || *count < 1 || *count > kMaxForms || !expression) return std::nullopt;
  if (expression->size() > kMaxExpressionLength) return std::nullopt;

  PluralRule rule;
  rule.forms_ = *count;
  rule.root_ = Parser(*expression, rule.nodes_).ParseAll();
  if (rule.root_ < 0) return std::nullopt;
  return rule;
}

PluralRule PluralRule::Default() { return *Parse("nplurals=2; plural=n != 1;"); }

int PluralRule::FormFor(std::uint64_t n) const {
  const std::uint64_t form = Evaluate(root_, n);
  return form < static_cast<std::uint64_t>(forms_) ? static_cast<int>(form) : 0;
}

std::uint64_t PluralRule::Evaluate(int index, std::uint64_t n) const {
  const Node& node = nodes_[static_cast<std::size_t>(index)];
  auto at = [&](int operand) { return Evaluate(operand, n); };
  switch (node.op) {
    case Op::Number: return node.value;
    case Op::N: return n;
    case Op::Not: return at(node.a) == 0;
    case Op::Mul: return at(node.a) * at(node.b);
    case Op::Div: {
      const std::uint64_t divisor = at(node.b);
      return divisor == 0 ? 0 : at(node.a) / divisor;
    }
    case Op::Mod: {
      const std::uint64_t divisor = at(node.b);
      return divisor == 0 ? 0 : at(node.a) % divisor;
    }
    case Op::Add: return at(node.a) + at(node.b);
    case Op::Sub: return at(node.a) - at(node.b);
    case Op::Less: return at(node.a) < at(node.b);
    case Op::Greater: return at(node.a) > at(node.b);
    case Op::LessEq: return at(node.a) <= at(node.b);
    case Op::GreaterEq: return at(node.a) >= at(node.b);
    case Op::Equal: return at(node.a) == at(node.b);
    case Op::NotEqual: return at(node.a) != at(node.b);
    case Op::And: return at(node.a) != 0 && at(node.b) != 0;
    case Op::Or: return at(node.a) != 0 || at(node.b) != 0;
    case Op::Choose: return at(node.a) != 0 ? at(node.b) : at(node.c);
  }
  return 0;
}

}  // namespace vx
