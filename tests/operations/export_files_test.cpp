// "Export…" and "Report…": what each saves of the record in use, narrowed to
// the card-number file loaded, and where each stops.

#include "operations/export_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "operations/operation_bench.h"
#include "record/record_columns.h"
#include "record/record_line.h"
#include "support/fake_shared_store.h"

namespace vx::test {
namespace {

std::string WrittenRecordLine(const std::string& time, const std::string& format, const std::string& cn,
                              const std::string& source) {
  RecordLine line{time, "COM3", format, format, 8, 16, 0, 0, "12", cn, source, 0, "written", "", "", ""};
  return FormatRecordLine(line);
}

// Two cards of the file loaded, one HID26 and one EM4100, and a typed card
// the export leaves out.
std::string RecordOfTwoSources(const std::string& cardFile) {
  return std::string(kRecordHeader) + "\r\n" +
         WrittenRecordLine("2026-12-01T10:00:00.000+01:00", "HID26", "1000", cardFile) +
         WrittenRecordLine("2026-12-01T10:00:05.000+01:00", "HID26", "1001", "typed") +
         WrittenRecordLine("2026-12-01T10:00:09.000+01:00", "EM4100", "3456789012", cardFile);
}

// The shared record's rows of the same writes.
std::vector<CredentialRow> SharedRowsOf(const std::string& record) {
  std::vector<CredentialRow> rows;
  for (const RecordLine& line : ParseRecordText(record)) {
    const Credential credential{line.format, static_cast<std::uint32_t>(std::stoul(line.facilityCode)),
                                static_cast<std::uint32_t>(std::stoul(line.cardNumber))};
    rows.push_back({credential, CredentialState::Written, "DESK-1", line.time, line.time, line.source, 0});
  }
  return rows;
}

std::string SavedBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

ExportChoice NamedChoice(const char* layout, const char* em4100, bool bom = false) { return {layout, "", em4100, bom}; }

// The record in use: none, the card record of "Keep Record", or the shared
// record holding the same cards.
enum class InUse { None, CardRecord, SharedRecord };

enum class SaveAnswer { Chosen, Cancelled, Unwritable };

struct SaveCase {
  const char* name;
  InUse recordInUse;
  bool report;
  std::optional<ExportChoice> layout;  // the answer of the dialog of "Export…"
  const char* layoutFile;              // with `layout`'s layoutFile set to it: the layout file's text
  SaveAnswer save;
  const char* fileHas;  // what the saved file holds; nullptr: no file
  const char* said;     // how the message box starts; nullptr: none
  int saveDialogs;
};

TEST(ExportFiles, SaveTheRecordInUseNarrowedToTheFileLoaded) {
  const SaveCase cases[] = {
      {"no record in use", InUse::None, false, NamedChoice("plain", "hex10"), nullptr, SaveAnswer::Chosen, nullptr,
       "No record is in use", 0},
      {"no record in use, report", InUse::None, true, std::nullopt, nullptr, SaveAnswer::Chosen, nullptr,
       "No record is in use", 0},
      {"the shared record", InUse::SharedRecord, false, NamedChoice("columns", "hex10"), nullptr, SaveAnswer::Chosen,
       "12,1000\r\n12,\"0CCE0A6A14\"\r\n", nullptr, 1},
      {"plain", InUse::CardRecord, false, NamedChoice("plain", "hex10"), nullptr, SaveAnswer::Chosen,
       "format,facility_code,card_number,printed_number\r\nHID26,12,1000,\r\nEM4100,12,\"0CCE0A6A14\",\r\n", nullptr,
       1},
      // The dialog's three answers reach the writer; each layout and form has its own table.
      {"camel in dez10 with a byte-order mark", InUse::CardRecord, false, NamedChoice("camel", "dez10", true), nullptr,
       SaveAnswer::Chosen,
       "\xEF\xBB\xBF"
       "cardFormat,facilityCode,cardNumber,externalNumber\r\nHID26,12,1000,\r\nEM4100,12,3456789012,\r\n",
       nullptr, 1},
      {"a layout file", InUse::CardRecord, false, ExportChoice{"", "set below", "hex10", false},
       "fields: {fc}/{cn};{format}\n", SaveAnswer::Chosen, "12/1000;HID26\r\n12/\"0CCE0A6A14\";EM4100\r\n", nullptr, 1},
      {"a layout file that is no layout", InUse::CardRecord, false, ExportChoice{"", "set below", "hex10", false},
       "fields: {card}\n", SaveAnswer::Chosen, nullptr, "The layout file", 0},
      {"report", InUse::CardRecord, true, std::nullopt, nullptr, SaveAnswer::Chosen,
       "<!DOCTYPE html>\n<html lang=\"en\">", nullptr, 1},
      {"layout dialog cancelled", InUse::CardRecord, false, std::nullopt, nullptr, SaveAnswer::Chosen, nullptr, nullptr,
       0},
      {"export's save cancelled", InUse::CardRecord, false, NamedChoice("plain", "hex10"), nullptr,
       SaveAnswer::Cancelled, nullptr, nullptr, 1},
      {"report's save cancelled", InUse::CardRecord, true, std::nullopt, nullptr, SaveAnswer::Cancelled, nullptr,
       nullptr, 1},
      {"export cannot be written", InUse::CardRecord, false, NamedChoice("plain", "hex10"), nullptr,
       SaveAnswer::Unwritable, nullptr, "The export cannot be written to ", 1},
      {"report cannot be written", InUse::CardRecord, true, std::nullopt, nullptr, SaveAnswer::Unwritable, nullptr,
       "The report cannot be written to ", 1},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    TempFile cards("12,1000\n12,3456789012\n");
    b.state.cards.sourcePath = cards.path();
    TempFile record(RecordOfTwoSources(cards.path()), "record.csv");
    if (c.recordInUse == InUse::CardRecord) b.state.recordPath = record.path();
    if (c.recordInUse == InUse::SharedRecord) {
      auto db = std::make_shared<FakeDatabase>();
      for (const CredentialRow& row : SharedRowsOf(RecordOfTwoSources(cards.path()))) db->Put(row);
      b.state.shared.store = std::make_unique<FakeSharedStore>(db, "DESK-1");
    }
    TempFile layoutFile(c.layoutFile ? c.layoutFile : "", "site.layout");
    b.host.chosenLayout = c.layout;
    if (c.layoutFile) b.host.chosenLayout->layoutFile = layoutFile.path();
    const std::string saved = (std::filesystem::path(record.dir()) / "saved").string();
    if (c.save == SaveAnswer::Chosen) b.host.chosenSaveFile = saved;
    if (c.save == SaveAnswer::Unwritable) b.host.chosenSaveFile = record.absent() + "/saved";

    if (c.report)
      ReportFile_Click(b.state, b.host, "en");
    else
      ExportFile_Click(b.state, b.host);

    EXPECT_EQ(b.host.exportDialogs, !c.report && c.recordInUse != InUse::None ? 1 : 0);
    EXPECT_EQ(static_cast<int>(b.host.saveKinds.size()), c.saveDialogs);
    // Named after the card-number file loaded.
    if (c.saveDialogs) {
      EXPECT_EQ(b.host.suggestedNames[0],
                std::filesystem::path(cards.path()).stem().string() + (c.report ? "-job-report.html" : "-export.csv"));
    }
    if (c.fileHas) {
      const std::string contents = SavedBytes(saved);
      EXPECT_EQ(contents.substr(0, std::string(c.fileHas).size()), c.fileHas);
      EXPECT_EQ(contents.find("1001"), std::string::npos) << "a card of another source";
      ASSERT_EQ(b.host.list.size(), 1u);
      EXPECT_NE(b.host.list[0].find(saved), std::string::npos);
    } else {
      EXPECT_FALSE(std::filesystem::exists(saved));
      EXPECT_TRUE(b.host.list.empty());
    }
    if (c.said) {
      ASSERT_EQ(b.host.messages.size(), 1u);
      EXPECT_EQ(b.host.messages[0].rfind(c.said, 0), 0u) << b.host.messages[0];
    } else {
      EXPECT_TRUE(b.host.messages.empty());
    }
    EXPECT_FALSE(b.state.BusyFlag);
  }
}

// "Report…" with the shared record counts its attempts, as it counts a card
// record's lines: failed attempts the credentials' rows no longer show; and
// its rows, which alone show a card resolved as written by reading it.
TEST(ExportFiles, ReportCountsTheSharedRecordsAttempts) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> attempts;  // card number and outcome, a second apart
    std::string counts;                                         // written, failed, unknown
    std::vector<std::string> writtenRows = {};  // card numbers whose row says written, after the attempts
  };
  const Case cases[] = {
      {"a failure, a rewrite, a card that may hold it",
       {{"1000", "verify failed"}, {"1000", "written"}, {"1001", "no read-back"}}, "1 2 1", {"1000"}},
      {"an earlier run's card resolved as written by reading it", {{"1002", "no acknowledgement"}}, "1 1 0", {"1002"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bench b;
    auto db = std::make_shared<FakeDatabase>();
    for (const auto& [cn, outcome] : c.attempts) {
      const std::string time = "2026-12-01T10:00:0" + std::to_string(db->attempts.size()) + ".000+01:00";
      db->attempts.push_back(
          {{time, "COM3", "HID  WG26", "HID26", 8, 16, 0, 0, "12", cn, "typed", 0, outcome, "", "", ""}, "DESK-1"});
    }
    for (const std::string& cn : c.writtenRows)
      db->Put({{"HID26", 12, static_cast<std::uint32_t>(std::stoul(cn))}, CredentialState::Written, "DESK-1",
               "2026-12-01T10:00:00.000+01:00", "2026-12-01T10:00:09.000+01:00", "typed", 0});
    b.state.shared.store = std::make_unique<FakeSharedStore>(db, "DESK-1");
    TempFile folder("");
    b.host.chosenSaveFile = (std::filesystem::path(folder.dir()) / "report.html").string();
    ReportFile_Click(b.state, b.host, "en");
    const std::string page = SavedBytes(*b.host.chosenSaveFile);
    std::string counts;
    for (const std::string id : {"written", "failed", "unknown"}) {
      std::smatch n;
      std::regex_search(page, n, std::regex("id=\"" + id + "\"><th>[^<]*</th><td class=\"n\">([0-9]+)<"));
      counts += (counts.empty() ? "" : " ") + n[1].str();
    }
    EXPECT_EQ(counts, c.counts);
  }
}

}  // namespace
}  // namespace vx::test
