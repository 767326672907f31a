#include "formats/item_reader.h"

namespace vx {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

void ItemReader::ConsumeLineEnd() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  atLineStart_ = true;
}

void ItemReader::CountLineEnds(std::string_view part) {
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (part[i] == '\n' || (part[i] == '\r' && (i + 1 >= part.size() || part[i + 1] != '\n'))) ++line_;
  }
}

Item ItemReader::Next() {
  Item item;
  const bool startedLine = atLineStart_;
  atLineStart_ = false;
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  item.line = line_;

  if (pos_ < text_.size() && text_[pos_] == '"') {
    item.quoted = true;
    const std::size_t open = pos_ + 1;
    const std::size_t close = text_.find('"', open);
    if (close == std::string_view::npos) {
      item.unclosedQuote = true;
      item.text = text_.substr(open);
      CountLineEnds(item.text);
      pos_ = text_.size();
      return item;
    }
    item.text = text_.substr(open, close - open);
    CountLineEnds(item.text);
    // Whatever stands between the closing quote and the next delimiter is
    // not part of any item.
    pos_ = close + 1;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    item.text = text_.substr(start, pos_ - start);
    item.blankLine = startedLine && item.text.empty() && (pos_ >= text_.size() || IsLineEnd(text_[pos_]));
  }

  if (pos_ < text_.size()) {
    if (text_[pos_] == ',') {
      item.endedByComma = true;
      ++pos_;
    } else {
      ConsumeLineEnd();
    }
  }
  return item;
}

std::string PrintableExcerpt(std::string_view text, std::size_t maxLength) {
  std::string out;
  const std::size_t shown = text.size() > maxLength ? maxLength : text.size();
  out.reserve(shown + 3);
  for (std::size_t i = 0; i < shown; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  }
  if (shown < text.size()) out += "...";
  return out;
}

}  // namespace vx
