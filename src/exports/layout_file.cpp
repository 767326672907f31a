#include "exports/layout_file.h"

#include <algorithm>

#include "i18n/ascii_case.h"
#include "i18n/terminal_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/text_file.h"

namespace vx {

namespace {

constexpr std::string_view kHeaderKey = "header:";
constexpr std::string_view kFieldsKey = "fields:";
static_assert(kHeaderKey.size() == kFieldsKey.size(), "a line's key is read at one length");

struct FieldName {
  std::string_view name;
  LayoutField field;
};
constexpr FieldName kFieldNames[] = {{"fc", LayoutField::FacilityCode},
                                     {"cn", LayoutField::CardNumber},
                                     {"printed", LayoutField::Printed},
                                     {"format", LayoutField::Format}};
constexpr std::string_view kFieldList = "{fc}, {cn}, {printed}, {format}, {format:26=2,EM4100=9}, {tab}";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool LettersAndDigits(std::string_view text) {
  return !text.empty() && text.size() <= 40 && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

// "26=2,35=4,EM4100=9": the codes, or what is wrong.
std::string ParseFormatMap(std::string_view map, std::vector<FormatCode>& codes) {
  for (std::size_t start = 0; start <= map.size();) {
    const std::size_t comma = std::min(map.find(',', start), map.size());
    const std::string_view entry = Trimmed(map.substr(start, comma - start));
    start = comma + 1;
    const std::size_t equals = entry.find('=');
    const std::string_view key = Trimmed(entry.substr(0, equals));
    const std::string_view code = equals == std::string_view::npos ? std::string_view() : Trimmed(entry.substr(equals + 1));
    if (key.empty() || code.empty())
      // TRANSLATORS: %s is the entry as written; KEY and CODE stand for what
      // is typed there and stay as they are, as does {format:26=2,EM4100=9}.
      return Format(Tr("the format map's entry \"%s\" is not KEY=CODE, as in {format:26=2,EM4100=9}"), entry);
    if (!LettersAndDigits(key))
      // TRANSLATORS: %s is the key as written.
      return Format(Tr("the format map's key \"%s\" is neither a number of bits (26) nor a format's name (EM4100)"), key);
    const std::string upper = AsciiUppered(key);
    if (std::any_of(codes.begin(), codes.end(), [&upper](const FormatCode& c) { return c.key == upper; }))
      // TRANSLATORS: %s is the key named twice ("26", "EM4100").
      return Format(Tr("the format map names %s twice"), key);
    codes.push_back({upper, std::string(code)});
  }
  return {};
}

void AddLiteral(std::vector<LayoutPiece>& pieces, std::string_view text) {
  if (pieces.empty() || pieces.back().field) pieces.push_back({});
  pieces.back().literal += text;
}

// The pieces of a header (fields refused) or a fields line; what is wrong, or empty.
std::string ParsePieces(std::string_view text, bool header, std::vector<LayoutPiece>& pieces) {
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if ((c == '{' || c == '}') && at + 1 < text.size() && text[at + 1] == c) {
      AddLiteral(pieces, text.substr(at, 1));
      at += 2;
      continue;
    }
    if (c == '}') return Tr("a } without its {; write }} for the brace itself");
    const bool quote = c == '"' && !header;
    if (c != '{' && !quote) {
      AddLiteral(pieces, text.substr(at, 1));
      ++at;
      continue;
    }
    const std::size_t open = quote ? at + 1 : at;
    if (open >= text.size() || text[open] != '{')
      return Tr("a quote may stand only around one field, as \"{cn}\"");
    const std::size_t close = text.find('}', open);
    if (close == std::string_view::npos) return Tr("a { without its }; write {{ for the brace itself");
    if (quote && (close + 1 >= text.size() || text[close + 1] != '"'))
      return Tr("a quote may stand only around one field, as \"{cn}\"");
    const std::string_view inside = text.substr(open + 1, close - open - 1);
    at = close + (quote ? 2 : 1);
    const std::size_t colon = inside.find(':');
    const std::string name = AsciiLowered(inside.substr(0, colon));
    if (name == "tab" && colon == std::string_view::npos && !quote) {
      AddLiteral(pieces, "\t");
      continue;
    }
    // TRANSLATORS: the header line is given as "header:", which stays as it is.
    if (header) return Tr("the header: line holds no fields; write {{ for the brace itself");
    const auto known = std::find_if(std::begin(kFieldNames), std::end(kFieldNames),
                                    [&name](const FieldName& f) { return f.name == name; });
    if (known == std::end(kFieldNames))
      // TRANSLATORS: %1$s is the field as written, %2$s the list of fields,
      // which stay as they are.
      return Format(Tr("there is no field {%1$s}; the fields are %2$s"), inside, kFieldList);
    LayoutPiece piece{known->field, {}, quote, {}};
    if (colon != std::string_view::npos) {
      // TRANSLATORS: %s is the field as written ("{fc:1}").
      if (known->field != LayoutField::Format) return Format(Tr("{%s}: only {format} takes a map"), inside);
      piece.field = LayoutField::FormatCode;
      if (std::string problem = ParseFormatMap(inside.substr(colon + 1), piece.codes); !problem.empty())
        return problem;
    }
    pieces.push_back(std::move(piece));
  }
  return {};
}

// What makes a line no layout's text: bytes that are not UTF-8, or a
// character that acts unseen (a tab is a separator). A byte-order mark inside
// the file is one: it would pass for the mark at the start of the export.
std::string TextProblem(std::string_view line) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < line.size();) {
    const Utf8Step step = Utf8StepAt(line, at);
    if (step.codePoint < 0) return Tr("it is not UTF-8 text");
    ++characters;
    if (step.codePoint != '\t' && (IsControlCharacter(step.codePoint) || step.codePoint == 0xFEFF))
      // TRANSLATORS: %1$s is the character's code ("U+001B"), %2$d counts the
      // line's characters from 1.
      return Format(Tr("it holds a control or invisible character, %1$s, at character %2$d"),
                    CodePointName(step.codePoint), characters);
    at += step.length;
  }
  return {};
}

LayoutFileResult Fault(int line, std::string problem) { return {std::nullopt, line, std::move(problem)}; }

}  // namespace

std::string LayoutFileResult::Message(const std::string& path) const {
  // TRANSLATORS: %1$s is the layout file, %2$d the line, %3$s what is wrong there.
  if (line > 0) return Format(Tr("The layout file %1$s, line %2$d: %3$s."), path, line, problem);
  // TRANSLATORS: %1$s is the layout file, %2$s what is wrong with it.
  return Format(Tr("The layout file %1$s: %2$s."), path, problem);
}

LayoutFileResult ParseLayoutText(std::string_view text) {
  text = WithoutByteOrderMark(text);
  Layout layout;
  int headerLine = 0, fieldsLine = 0;
  int number = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (std::string problem = TextProblem(line); !problem.empty()) return Fault(number, problem);
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty() || trimmed.starts_with('#')) continue;
    const std::string key = AsciiLowered(trimmed.substr(0, kHeaderKey.size()));
    const bool isHeader = key == kHeaderKey;
    if (!isHeader && key != kFieldsKey)
      // TRANSLATORS: "header:" and "fields:" stay as they are.
      return Fault(number, Tr("it is neither a header: line, nor a fields: line, nor a comment (#)"));
    int& seen = isHeader ? headerLine : fieldsLine;
    if (seen > 0)
      // TRANSLATORS: %1$s is "header:" or "fields:", %2$d the line of the first.
      return Fault(number, Format(Tr("a second %1$s line; the first is line %2$d"), key, seen));
    seen = number;
    const std::string_view rest = Trimmed(trimmed.substr(kHeaderKey.size()));
    std::vector<LayoutPiece> pieces;
    if (std::string problem = ParsePieces(rest, isHeader, pieces); !problem.empty()) return Fault(number, problem);
    if (isHeader) {
      // TRANSLATORS: %s is "header:" or "fields:".
      if (pieces.empty()) return Fault(number, Format(Tr("the %s line is empty"), key));
      layout.header = pieces.front().literal;
    } else {
      if (std::none_of(pieces.begin(), pieces.end(), [](const LayoutPiece& p) { return p.field.has_value(); }))
        return Fault(number, Tr("the fields: line has no field"));
      layout.pieces = std::move(pieces);
    }
  }
  if (fieldsLine == 0) return Fault(0, Tr("it has no fields: line"));
  return {std::move(layout), 0, {}};
}

LayoutFileResult ReadLayoutFile(const std::string& path) {
  const TextFileResult file = ReadTextFile(path, kLayoutFileMaxBytes, TrCtx("file kind", "a layout file"));
  if (!file.content) return Fault(0, file.problem);
  return ParseLayoutText(*file.content);
}

}  // namespace vx
