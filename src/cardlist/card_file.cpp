#include "cardlist/card_file.h"

#include <cstdint>
#include <utility>

#include "formats/item_reader.h"
#include "i18n/ascii_case.h"
#include "platform/text_file.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {
namespace {

constexpr std::int64_t kCardNumberLimit = std::int64_t{1} << 53;
// The faults below follow "the value "…"": each says what is wrong with it.
constexpr LazyText kFcRangeProblem = TrLater("is outside the facility code range -2147483648 to 2147483647");

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

enum class WholeNumber { Ok, NotANumber, TooLarge };

// Optional sign, then decimal digits only. Stops accumulating once the
// magnitude passes `limit`, so a thousand digits cannot overflow.
WholeNumber ParseSigned(std::string_view text, std::int64_t limit, std::int64_t& out) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return WholeNumber::NotANumber;
  std::int64_t magnitude = 0;
  bool tooLarge = false;
  for (char c : text) {
    if (c < '0' || c > '9') return WholeNumber::NotANumber;
    if (!tooLarge) {
      magnitude = magnitude * 10 + (c - '0');
      if (magnitude > limit) tooLarge = true;
    }
  }
  if (tooLarge) return WholeNumber::TooLarge;
  out = negative ? -magnitude : magnitude;
  return WholeNumber::Ok;
}

// The first line of a file that carries printed numbers.
bool IsPrintedHeader(std::string_view text) {
  const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  constexpr std::string_view kNames[] = {"fc", "cn", "printed"};
  std::size_t start = 0;
  for (std::size_t at = 0; at < std::size(kNames); ++at) {
    const std::size_t comma = line.find(',', start);
    if ((comma == std::string_view::npos) != (at + 1 == std::size(kNames))) return false;
    const std::string_view name = TrimBlanks(line.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (!EqualsIgnoringAsciiCase(name, kNames[at])) return false;
    start = comma + 1;
  }
  return true;
}

class CardTextParser {
 public:
  explicit CardTextParser(const std::string& fileName) : fileName_(fileName) {}

  CardFileResult Parse(std::string_view text) {
    ItemReader reader(text);
    const bool printed = IsPrintedHeader(text);
    Item last;
    bool any = false;
    while (!reader.AtEnd()) {
      const Item item = reader.Next();
      if (item.blankLine || (printed && item.line == 1)) continue;
      if (!(printed ? TakeOfThree(item) : Take(item))) return Finish();
      last = item;
      any = true;
    }
    if (any && last.endedByComma) {
      Fail(last.line, "", Tr("the file ends with a comma, so its last value is empty"));
    } else if (pendingFc_) {
      Fail(pendingLine_, pendingText_,
           Tr("has no card number: the file holds an odd number of values (each facility code needs a card "
              "number)"));
    }
    return Finish();
  }

 private:
  bool Take(const Item& item) {
    if (item.unclosedQuote) {
      return Fail(item.line, std::string(item.text), Tr("opens a double quote that is never closed"));
    }
    const std::string_view value = TrimBlanks(item.text);
    if (value.empty()) return Fail(item.line, "", Tr("a value is empty (nothing between two separators)"));

    std::int64_t number = 0;
    if (!pendingFc_) {
      if (result_.entries.size() >= static_cast<std::size_t>(kCardListCapacity)) {
        // TRANSLATORS: %d is the most pairs a card-number list holds.
        return Fail(item.line, std::string(value),
                    Format(Tr("starts a pair beyond the list's capacity of %d pairs"), kCardListCapacity));
      }
      switch (ParseSigned(value, std::int64_t{1} << 31, number)) {
        case WholeNumber::NotANumber:
          return Fail(item.line, std::string(value), Tr("is not a whole decimal number (a facility code)"));
        case WholeNumber::TooLarge:
          return Fail(item.line, std::string(value), kFcRangeProblem);
        case WholeNumber::Ok:
          break;
      }
      if (number < INT32_MIN || number > INT32_MAX) return Fail(item.line, std::string(value), kFcRangeProblem);
      pendingFc_ = static_cast<std::int32_t>(number);
      pendingLine_ = item.line;
      pendingText_ = std::string(value);
      return true;
    }
    switch (ParseSigned(value, kCardNumberLimit, number)) {
      case WholeNumber::NotANumber:
        return Fail(item.line, std::string(value), Tr("is not a whole decimal number (a card number)"));
      case WholeNumber::TooLarge:
        return Fail(item.line, std::string(value), Tr("is too large for a card number (at most 9007199254740992)"));
      case WholeNumber::Ok:
        break;
    }
    result_.entries.push_back(CardEntry{*pendingFc_, static_cast<double>(number)});
    pendingFc_.reset();
    return true;
  }

  // A file with printed numbers: facility code, card number and printed
  // number, three to a line.
  bool TakeOfThree(const Item& item) {
    const bool lineEnds = !item.endedByComma;
    if (placeInLine_ < 2) {
      if (!Take(item)) return false;
      if (lineEnds) {
        return Fail(item.line, std::string(TrimBlanks(item.text)),
                    Tr("ends its line early: each line of a file with printed numbers holds a facility code, a "
                       "card number and a printed number"));
      }
      ++placeInLine_;
      return true;
    }
    placeInLine_ = 0;
    if (item.unclosedQuote) {
      return Fail(item.line, std::string(item.text), Tr("opens a double quote that is never closed"));
    }
    const std::string_view value = TrimBlanks(item.text);
    if (value.empty()) return Fail(item.line, "", Tr("a value is empty (nothing between two separators)"));
    const bool digits = value.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digits || value.size() > kPrintedNumberDigits) {
      // TRANSLATORS: %d is the most digits a printed number has.
      return Fail(item.line, std::string(value),
                  Format(Tr("is not a printed number (digits only, at most %d)"), static_cast<int>(kPrintedNumberDigits)));
    }
    if (!lineEnds) {
      return Fail(item.line, std::string(value),
                  Tr("is followed by more values: a file with printed numbers holds three values a line"));
    }
    result_.entries.back().printed = std::string(value);
    return true;
  }

  bool Fail(int line, const std::string& value, std::string problem) {
    if (!result_.error) {
      result_.error = CardFileError{fileName_, line, PrintableExcerpt(value), std::move(problem)};
    }
    return false;
  }

  CardFileResult Finish() {
    if (result_.error) result_.entries.clear();
    return std::move(result_);
  }

  const std::string& fileName_;
  CardFileResult result_;
  std::optional<std::int32_t> pendingFc_;
  int pendingLine_ = 0;
  std::string pendingText_;
  int placeInLine_ = 0;  // a file with printed numbers: the next value's place in its line
};

}  // namespace

std::string CardFileError::Message() const {
  // TRANSLATORS: %1$s is the card-number file; the last placeholder is what
  // is wrong, in the words of the faults ("the file does not exist", "a value
  // is empty (nothing between two separators)").
  if (line <= 0) return Format(Tr("Cannot load the card-number file \"%1$s\": %2$s."), file, problem);
  // TRANSLATORS: %1$s is the file, %2$d the line, %3$s what is wrong.
  if (value.empty())
    return Format(Tr("Cannot load the card-number file \"%1$s\", line %2$d: %3$s."), file, line, problem);
  // TRANSLATORS: %1$s is the file, %2$d the line, %3$s the value as written
  // there, %4$s what is wrong with it ("is not a whole decimal number (a card
  // number)").
  return Format(Tr("Cannot load the card-number file \"%1$s\", line %2$d: the value \"%3$s\" %4$s."), file, line,
                value, problem);
}

CardFileResult ParseCardText(std::string_view text, const std::string& fileName) {
  return CardTextParser(fileName).Parse(WithoutByteOrderMark(text));
}

CardFileResult ReadCardFile(const std::string& path) {
  const TextFileResult file = ReadTextFile(path, kCardFileMaxBytes, TrCtx("file kind", "a card-number file"));
  if (!file.content) {
    CardFileResult result;
    result.error = CardFileError{path, 0, "", file.problem};
    return result;
  }
  return ParseCardText(*file.content, path);
}

}  // namespace vx
