// The core's texts in the operator's language are whole sentences with their
// values in them: the range captions keep the blanks the labels carry, the
// banner's symbol stays outside the words, a note goes around the banner, and
// each count takes its language's plural form. English is the row whose texts are byte for byte what they always were.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cardlist/card_repeats.h"
#include "window/shared_record_box.h"
#include "operations/tabs.h"
#include "i18n/use_language.h"
#include "operations/outcome_views.h"
#include "operations/shared_record_flow.h"

namespace vx {
namespace {

CardOutcome Outcome(CardVerdict verdict, int entry, int length) {
  CardOutcome outcome;
  outcome.verdict = verdict;
  outcome.sent = CardNumbers{12, 1000};
  outcome.read = verdict == CardVerdict::VerifyFailed ? CardNumbers{12, 1001} : CardNumbers{12, 1000};
  outcome.entry = entry;
  outcome.listLength = length;
  return outcome;
}

std::string Repeated(int times) {
  const std::vector<CardEntry> entries(static_cast<std::size_t>(times), CardEntry{12, 1000});
  return RepeatedPairsText(FindRepeatedPairs(entries), "cards.txt");
}

TEST(CoreTexts, WholeSentencesInTheOperatorsLanguage) {
  const SharedRecordNote notYet{SharedRecordNote::Kind::NotYet, {}, {}};
  struct Row {
    const char* language;
    std::function<std::string()> text;
    const char* expected;
  };
  const Row rows[] = {
      {"en", [] { return TabAt(0)->fcLabelCaption.str(); }, "Facility Code:0-255 "},
      {"de", [] { return TabAt(0)->cnLabelCaption.str(); }, "Kartennummer:  1-65535"},
      {"en", [] { return SharedRecordLine({"cards", "db1", "DESK-2", std::nullopt}); },
       "Shared record: cards on db1, station DESK-2"},
      {"en", [] { return SharedRecordLine({"", "db1", "DESK-2", std::nullopt}); },
       "Shared record: db1, station DESK-2"},
      {"de", [] { return SharedRecordLine({"cards", "db1", "DESK-2", std::nullopt}); },
       "Gemeinsames Register: cards auf db1, Station DESK-2"},
      {"en", [&] { return notYet.On(BannerOf(Outcome(CardVerdict::Written, 10, 10), {1}).text); },
       "\u2714 Batch complete: 10 written, 1 failed attempt along the way (last: 12,1000), not yet in the shared "
       "record"},
      {"de", [] { return BannerOf(Outcome(CardVerdict::Written, 3, 10), {}).text; },
       "\u2714 Geschrieben und geprüft: 12,1000 (Karte 3 von 10)"},
      {"fr", [] { return BannerOf(Outcome(CardVerdict::VerifyFailed, 0, 0), {}).text; },
       "\u2718 Échec de la vérification : la carte contient 12,1001, et non 12,1000"},
      {"en", [] { return BatchTallyText(500, 0); }, "500 written, no failed attempts along the way"},
      {"en", [] { return BatchTallyText(500, 2); }, "500 written, 2 failed attempts along the way"},
      {"de", [] { return BatchTallyText(500, 1); }, "500 geschrieben, unterwegs 1 Fehlversuch"},
      {"de", [] { return BatchTallyText(500, 5); }, "500 geschrieben, unterwegs 5 Fehlversuche"},
      {"en", [] { return Repeated(12); },
       "cards.txt lists 12,1000 12 times (entries 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more)"},
      {"ru", [] { return Repeated(2); }, "cards.txt содержит 12,1000 дважды (записи 1 и 2)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + ": " + row.expected);
    UseLanguage(row.language);
    EXPECT_EQ(row.text(), row.expected);
  }
  UseLanguage("en");
}

}  // namespace
}  // namespace vx
