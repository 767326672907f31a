// A card-number file as any bytes at all: the list is taken whole within its
// capacity, or refused with no entry; what loads reads back the same after it
// has become the texts a write uses.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cardlist/card_file.h"
#include "cardlist/card_list.h"
#include "fuzz_check.h"

namespace {

bool Printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c >= 0x7F) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vx::CardFileResult result = vx::ParseCardText(text, "cards.txt");

  FUZZ_CHECK(result.entries.size() <= static_cast<std::size_t>(vx::kCardListCapacity));
  if (result.error) {
    FUZZ_CHECK(result.entries.empty());
    FUZZ_CHECK(result.error->line >= 1);
    const std::string message = result.error->Message();
    FUZZ_CHECK(!message.empty() && Printable(message));
    FUZZ_CHECK(message.find("cards.txt") != std::string::npos);
    return 0;
  }

  // Whole numbers a double holds exactly; written back as the texts a write
  // takes, and read again, they give the same list.
  std::string again;
  for (const vx::CardEntry& entry : result.entries) {
    FUZZ_CHECK(std::isfinite(entry.cardNumber) && entry.cardNumber == std::floor(entry.cardNumber));
    FUZZ_CHECK(std::fabs(entry.cardNumber) <= 9007199254740992.0);
    const std::string fc = vx::FacilityCodeText(entry);
    const std::string cn = vx::CardNumberText(entry);
    FUZZ_CHECK(cn.find_first_not_of("-0123456789") == std::string::npos);
    again += fc + "," + cn + "\n";
  }
  const vx::CardFileResult reread = vx::ParseCardText(again, "cards.txt");
  FUZZ_CHECK(!reread.error);
  FUZZ_CHECK(reread.entries.size() == result.entries.size());
  for (std::size_t i = 0; i < result.entries.size(); ++i) {
    FUZZ_CHECK(reread.entries[i].facilityCode == result.entries[i].facilityCode);
    FUZZ_CHECK(reread.entries[i].cardNumber == result.entries[i].cardNumber);
  }
  return 0;
}
