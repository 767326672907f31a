// The shared record's journal as any bytes at all: a crash, a full disk or a
// hand edit can leave anything in it, and what it holds goes to the store.
// Reading may neither crash nor run away; every line is an entry, a damaged
// line kept by its number, or the cut-short last one; and every entry comes
// back the same when written again, as the journal's rewrite writes it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "store/store_journal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vx::JournalText journal = vx::ParseJournal(text);

  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  const bool ended = text.empty() || text.back() == '\n';
  if (!ended) ++lines;
  FUZZ_CHECK(journal.entries.size() + journal.damaged.size() + (journal.unended ? 1 : 0) <= lines);
  FUZZ_CHECK(!journal.unended || !ended);
  int last = 0;
  for (const vx::DamagedLine& line : journal.damaged) {
    FUZZ_CHECK(line.number > last && static_cast<std::size_t>(line.number) <= lines);
    FUZZ_CHECK(!line.text.empty() && line.text.find('\n') == std::string::npos);
    last = line.number;
  }
  if (journal.unended) FUZZ_CHECK(journal.unended->number > last && journal.unended->number == static_cast<int>(lines));

  std::string rewritten;
  for (const vx::JournalEntry& entry : journal.entries) {
    const std::string line = vx::JournalLine(entry);
    FUZZ_CHECK(!line.empty() && line.back() == '\n' && line.find('\n') == line.size() - 1);
    rewritten += line;
  }
  const vx::JournalText again = vx::ParseJournal(rewritten);
  FUZZ_CHECK(again.entries == journal.entries);
  FUZZ_CHECK(again.damaged.empty() && !again.unended);
  return 0;
}
