// A card record as any bytes at all: resume and the record's index read
// whatever file the operator names, damaged or not. Neither may crash or run
// away, and the index read in two pieces (another station appending between
// two look-ups) must know exactly what it knows read whole.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cardlist/card_list.h"
#include "fuzz_check.h"
#include "record/record_index.h"
#include "record/record_line.h"
#include "record/record_resume.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  for (const vx::RecordLine& line : vx::ParseRecordText(text)) FUZZ_CHECK(!line.outcome.empty());
  const std::vector<vx::CardEntry> entries{{5, 100}, {5, 101}, {12, 1000}};
  const vx::ResumePoint point = vx::FindResumePoint(text, "C:\\batches\\cards.txt", entries);
  FUZZ_CHECK(point.written >= 0 && point.written <= static_cast<int>(entries.size()));

  vx::RecordIndex whole;
  const std::size_t taken = whole.Take(text);
  FUZZ_CHECK(taken <= size);
  FUZZ_CHECK(whole.BytesRead() == taken);
  // Held back is only a last line still being written.
  const std::string_view rest = text.substr(taken);
  FUZZ_CHECK(rest.find('\n') == std::string_view::npos || rest.find('"') != std::string_view::npos);

  // Lines far longer than any record line are skipped where they are cut, so
  // the two readings are compared below that length only.
  if (size == 0 || size >= 64 * 1024) return 0;
  const std::size_t cut = data[0] % size;
  vx::RecordIndex pieces;
  const std::size_t first = pieces.Take(text.substr(0, cut));
  FUZZ_CHECK(first <= cut);
  pieces.Take(text.substr(first));
  FUZZ_CHECK(pieces == whole);
  return 0;
}
