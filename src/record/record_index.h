#pragma once
// Every card the record has as written, found by format, facility code and
// card number without reading the record again. The record is read once when
// "Keep Record" opens it; after that only what was appended since (by this
// program or by another station sharing the file) is read, from where the
// index last stopped, before each look-up.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx {

// Where and when the record says a card was written.
struct WrittenCard {
  std::string time;    // as recorded: local time with its UTC offset
  std::string source;  // "typed" or the card-number file's full path
  int entry = 0;       // 1-based entry of that file; 0 for a typed card
  std::string printed; // the number printed on the card, when the record has it
  bool operator==(const WrittenCard&) const = default;
};

class RecordIndex {
 public:
  // The index of `path` (UTF-8), empty until Refresh reads it.
  void Open(const std::string& path);
  void Close();
  const std::string& Path() const { return path_; }

  // Reads what the record gained since the index last stopped. A record that
  // is now shorter than what was read (emptied, replaced) is read again from
  // its start. The reason in plain words when the file cannot be read; the
  // index then keeps what it had.
  std::optional<std::string> Refresh();

  // Takes the whole lines of `text`, the record's bytes from where the index
  // stopped, and returns how many bytes it took. A partial last line is left
  // for the next call, when its writer will have ended it. Lines that are not
  // written-card lines are passed over.
  std::size_t Take(std::string_view text);

  // The last line that has this card written. The format name matches in
  // either case, as the format file's names do.
  std::optional<WrittenCard> FindWritten(std::string_view format, std::uint64_t facilityCode,
                                         std::uint64_t cardNumber) const;
  // Whether the card was written, in any format, by another line than one of
  // entry `entry` of the card-number file `source`.
  bool WrittenOtherThan(std::uint64_t facilityCode, std::uint64_t cardNumber, std::string_view source,
                        int entry) const;

  std::size_t WrittenCount() const { return cards_.size(); }
  std::uint64_t BytesRead() const { return offset_; }
  bool operator==(const RecordIndex&) const = default;

 private:
  struct Key {
    std::uint32_t format;
    std::uint64_t facilityCode;
    std::uint64_t cardNumber;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  // A written card as kept: its time in `times_`, its source by number. A
  // year's record holds some 100 000 of them, so each costs no allocation.
  struct Stored {
    std::uint32_t timeOffset;
    std::uint32_t timeLength;
    std::uint32_t printedLength;  // the printed number follows the time in `times_`
    std::uint32_t source;
    std::int32_t entry;
    bool operator==(const Stored&) const = default;
  };
  std::optional<std::uint32_t> FormatId(std::string_view format) const;
  std::uint32_t SourceId(std::string_view source);
  void TakeLine(const std::string_view* fields);
  void Reset();

  std::string path_;
  std::uint64_t offset_ = 0;  // bytes of the file taken so far
  std::vector<std::string> formats_;  // upper-case format names, by id
  std::vector<std::string> sources_;  // "typed" and the card-number files, by id
  std::string times_;                 // the times of the cards, each with its printed number, one after another
  std::unordered_map<Key, Stored, KeyHash> cards_;
};

}  // namespace vx
