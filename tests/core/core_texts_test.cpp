// The core's texts in the operator's language: the range captions keep the
// blanks the labels carry, the shared record's place and the banners are
// whole sentences with their values in them, the symbols stay outside the
// words, and each count takes its language's plural form. English is one
// language among them: byte for byte the texts it always had.

#include <gtest/gtest.h>

#include <string>

#include "cardlist/card_repeats.h"
#include "core/shared_record_box.h"
#include "core/tabs.h"
#include "formats/format_table.h"
#include "i18n/use_language.h"
#include "operations/outcome_views.h"
#include "operations/shared_record_flow.h"
#include "store/shared_store.h"

namespace vx {
namespace {

class CoreTexts : public ::testing::Test {
 protected:
  void TearDown() override { UseLanguage("en"); }
};

TEST_F(CoreTexts, RangeCaptionsKeepTheirBlanks) {
  struct Row {
    const char* language;
    int tab;
    const char* facilityCode;
    const char* cardNumber;
  };
  const Row rows[] = {
      {"en", 0, "Facility Code:0-255 ", "Card Number:  1-65535"},
      {"en", 7, "Facility Code:0-255", "Card Number:  1-4294967295"},
      {"en", 8, "Facility Code:0-63", "Card Number:  1-65535"},
      {"de", 0, "Anlagencode:0-255 ", "Kartennummer:  1-65535"},
      {"fr", 3, "Code site :0-8191", "Numéro de carte :  1-1048575"},
      {"zh_CN", 8, "设施码：0-63", "卡号：  1-65535"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " tab " + std::to_string(row.tab));
    UseLanguage(row.language);
    const TabSpec& tab = *TabAt(row.tab);
    EXPECT_EQ(tab.fcLabelCaption.str(), row.facilityCode);
    EXPECT_EQ(tab.cnLabelCaption.str(), row.cardNumber);
  }
}

TEST_F(CoreTexts, RangeCaptionsFromTheFormatFile) {
  struct Row {
    const char* language;
    const char* facilityCode;
    const char* cardNumber;
  };
  const Row rows[] = {
      {"en", "Facility Code:0-1023", "Card Number:1-65535"},
      {"de", "Anlagencode:0-1023", "Kartennummer:1-65535"},
      {"ru", "Код объекта:0-1023", "Номер карты:1-65535"},
  };
  FormatRow format;
  format.FcMax = 1023;
  format.CnMax = 65535;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.language);
    UseLanguage(row.language);
    EXPECT_EQ(FcRangeCaption(format), row.facilityCode);
    EXPECT_EQ(CnRangeCaption(format), row.cardNumber);
  }
}

TEST_F(CoreTexts, WhereTheSharedRecordIs) {
  struct Row {
    const char* language;
    StorePlace place;
    const char* where;
    const char* line;
  };
  const Row rows[] = {
      {"en", {"cards", "db1", "DESK-2"}, "cards on db1, station DESK-2", "Shared record: cards on db1, station DESK-2"},
      {"en", {"cards", "", "DESK-2"}, "cards, station DESK-2", "Shared record: cards, station DESK-2"},
      {"en", {"", "db1", "DESK-2"}, "db1, station DESK-2", "Shared record: db1, station DESK-2"},
      {"de", {"cards", "db1", "DESK-2"}, "cards auf db1, Station DESK-2",
       "Gemeinsames Register: cards auf db1, Station DESK-2"},
      {"tr", {"cards", "db1", "DESK-2"}, "cards (db1 üzerinde), istasyon DESK-2",
       "Ortak kayıt: cards (db1 üzerinde), istasyon DESK-2"},
      {"pl", {"", "db1", "DESK-2"}, "db1, stanowisko DESK-2", "Wspólny rejestr: db1, stanowisko DESK-2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + row.where);
    UseLanguage(row.language);
    EXPECT_EQ(PlaceText(row.place), row.where);
    EXPECT_EQ(SharedRecordLine(row.place), row.line);
  }
}

CardOutcome Outcome(CardVerdict verdict, int entry, int length) {
  CardOutcome outcome;
  outcome.verdict = verdict;
  outcome.sent = CardNumbers{12, 1000};
  outcome.read = verdict == CardVerdict::VerifyFailed ? CardNumbers{12, 1001} : CardNumbers{12, 1000};
  outcome.entry = entry;
  outcome.listLength = length;
  return outcome;
}

TEST_F(CoreTexts, BannersAreWholeSentencesWithTheSymbolOutside) {
  struct Row {
    const char* language;
    CardOutcome outcome;
    int failedAttempts;
    SharedRecordNote note;
    const char* banner;
  };
  const SharedRecordNote none;
  const SharedRecordNote notYet{SharedRecordNote::Kind::NotYet, {}};
  const SharedRecordNote notTaken{SharedRecordNote::Kind::NotTaken, {"db1", "timeout"}};
  const Row rows[] = {
      {"en", Outcome(CardVerdict::Written, 10, 10), 1, notYet,
       "\u2714 Batch complete: 10 written, 1 failed attempt along the way (last: 12,1000), not yet in the shared "
       "record"},
      {"en", Outcome(CardVerdict::Read, 0, 0), 0, notTaken,
       "\u25CF Read: 12,1000, not in the shared record: db1: timeout"},
      {"de", Outcome(CardVerdict::Written, 3, 10), 0, none, "\u2714 Geschrieben und geprüft: 12,1000 (Karte 3 von 10)"},
      {"de", Outcome(CardVerdict::VerifyFailed, 0, 0), 0, none,
       "\u2718 Prüfung fehlgeschlagen: Die Karte enthält 12,1001, nicht 12,1000"},
      {"de", Outcome(CardVerdict::Written, 10, 10), 2, notYet,
       "\u2714 Stapel fertig: 10 geschrieben, unterwegs 2 Fehlversuche (zuletzt: 12,1000), noch nicht im gemeinsamen "
       "Register"},
      {"fr", Outcome(CardVerdict::NoReadBack, 4, 9), 0, none,
       "\u2718 Non vérifiée : la carte n’a pas répondu à la relecture (carte 4 sur 9)"},
      {"fr", Outcome(CardVerdict::Read, 0, 0), 0, none, "\u25CF Lue : 12,1000"},
      {"zh_CN", Outcome(CardVerdict::NoAcknowledgement, 0, 0), 0, none, "\u2718 未写入：读写器无应答"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + row.banner);
    UseLanguage(row.language);
    EXPECT_EQ(row.note.On(BannerOf(row.outcome, {row.failedAttempts}).text), row.banner);
  }
}

TEST_F(CoreTexts, CountsTakeTheirPluralForm) {
  struct Row {
    const char* language;
    int failedAttempts;
    const char* tally;
  };
  const Row rows[] = {
      {"en", 0, "500 written, no failed attempts along the way"},
      {"en", 1, "500 written, 1 failed attempt along the way"},
      {"en", 2, "500 written, 2 failed attempts along the way"},
      {"de", 1, "500 geschrieben, unterwegs 1 Fehlversuch"},
      {"de", 5, "500 geschrieben, unterwegs 5 Fehlversuche"},
      {"fr", 0, "500 écrites, aucun essai manqué en route"},
      {"fr", 1, "500 écrites, 1 essai manqué en route"},
      {"fr", 3, "500 écrites, 3 essais manqués en route"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + std::to_string(row.failedAttempts));
    UseLanguage(row.language);
    EXPECT_EQ(BatchTallyText(500, row.failedAttempts), row.tally);
  }
}

TEST_F(CoreTexts, RepeatedPairsInTheOperatorsLanguage) {
  struct Row {
    const char* language;
    int times;
    const char* text;
  };
  const Row rows[] = {
      {"en", 2, "cards.txt lists 12,1000 twice (entries 1 and 2)"},
      {"en", 3, "cards.txt lists 12,1000 3 times (entries 1, 2 and 3)"},
      {"en", 12, "cards.txt lists 12,1000 12 times (entries 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 and 2 more)"},
      {"de", 3, "cards.txt enthält 12,1000 3-mal (Einträge 1, 2 und 3)"},
      {"pl", 12, "cards.txt zawiera 12,1000 12 razy (pozycje 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 i 2 inne)"},
      {"ru", 2, "cards.txt содержит 12,1000 дважды (записи 1 и 2)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + std::to_string(row.times));
    UseLanguage(row.language);
    const std::vector<CardEntry> entries(static_cast<std::size_t>(row.times), CardEntry{12, 1000});
    EXPECT_EQ(RepeatedPairsText(FindRepeatedPairs(entries), "cards.txt"), row.text);
  }
}

}  // namespace
}  // namespace vx
