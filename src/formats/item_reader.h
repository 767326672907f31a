#pragma once
// Reads a text file item by item, the way HID.cfg and the card-number file are
// read: an item ends at a comma or a line end, so a comma splits a line into
// two items and an empty line is an empty item.

#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

struct Item {
  // The item's characters, a view into the text being read. Blanks before the
  // item are skipped; blanks after an unquoted item are KEPT, because HID.cfg
  // counts character positions (a format name is characters 1-5, so "HID2 "
  // and "HID2" are different names) and dropping them would shift what the
  // format-line grammar sees. Readers that want bare values trim them.
  std::string_view text;
  int line = 0;                // 1-based line on which the item begins
  bool quoted = false;         // began with a double quote; both quotes dropped
  bool unclosedQuote = false;  // began with a double quote that is never closed
  bool endedByComma = false;   // a comma closed it (not a line end or the end of the text)
  bool blankLine = false;      // unquoted, empty, and the whole of its line
};

class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  // The end-of-file test made before each item.
  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next item. Only call when !AtEnd().
  Item Next();

 private:
  void ConsumeLineEnd();  // at a CR or LF: steps past CR-LF, LF or a lone CR
  void CountLineEnds(std::string_view part);

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool atLineStart_ = true;
};

// A short, printable excerpt of an item for an error message: control bytes
// and bytes outside ASCII become '?', and text longer than `maxLength` is cut
// with "...". Files may hold anything; a message box should not.
std::string PrintableExcerpt(std::string_view text, std::size_t maxLength = 40);

}  // namespace vx
