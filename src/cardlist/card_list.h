#pragma once
// The card-number list that feeds database-mode writes.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vx {

inline constexpr int kCardListCapacity = 10001;

struct CardEntry {
  CardEntry() = default;
  CardEntry(std::int32_t fc, double cn, std::string printedNumber = {})
      : facilityCode(fc), cardNumber(cn), printed(std::move(printedNumber)) {}

  std::int32_t facilityCode = 0;
  double cardNumber = 0;
  std::string printed;  // the number printed on the card, digits as written; empty when the file has none
};

struct CardList {
  std::vector<CardEntry> entries;  // CardList; entries.size() == CardCount
  std::int16_t CardCount = 0;
  std::int16_t CardCursor = 0;     // the entry the next database-mode write uses
  std::string sourcePath;          // the full path of the file it was loaded from

  bool UsedUp() const { return CardCursor >= CardCount; }
};

// The texts an entry becomes in a tab's current values: plain decimal, a
// leading minus sign when negative, no decimal point for whole numbers.
std::string FacilityCodeText(const CardEntry& entry);
std::string CardNumberText(const CardEntry& entry);

}  // namespace vx
