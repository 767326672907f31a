#pragma once
// Which plural form of a translation a count takes: the "Plural-Forms" line
// of a catalogue's header, "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : ...);".
// The expression is a small C expression in n. It is parsed into a tree by
// its own grammar, never run as code, and both its length and its nesting
// are bounded, so a damaged header can only be refused.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vx {

class PluralRule {
 public:
  // "nplurals=N; plural=EXPR;" (the text after "Plural-Forms:"); nullopt when
  // it is not one.
  static std::optional<PluralRule> Parse(std::string_view forms);
  // English and every catalogue that names no rule: one form for 1, the
  // other for every other count.
  static PluralRule Default();

  int Forms() const { return forms_; }
  // The form for the count n, always below Forms(): a rule that names a form
  // beyond its own count gives the first form, and a division by zero in it
  // counts as 0.
  int FormFor(std::uint64_t n) const;

 private:
  enum class Op : std::uint8_t {
    Number, N, Not, Mul, Div, Mod, Add, Sub, Less, Greater, LessEq, GreaterEq, Equal, NotEqual, And, Or, Choose
  };
  struct Node {
    Op op;
    std::uint64_t value = 0;  // Number
    int a = -1, b = -1, c = -1;  // operands, indices into nodes_
  };
  class Parser;

  std::uint64_t Evaluate(int node, std::uint64_t n) const;

  int forms_ = 2;
  std::vector<Node> nodes_;
  int root_ = -1;
};

}  // namespace vx
