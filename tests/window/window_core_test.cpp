#include <gtest/gtest.h>

#include <map>

#include "record/record_columns.h"
#include "carddata/card_data.h"
#include "operations/tabs.h"
#include "window/window_core.h"
#include "device/frame.h"
#include "store/station_lock.h"
#include "support/card_device.h"
#include "support/fake_host.h"
#include "support/fake_shared_store.h"
#include "support/fake_link.h"
#include "support/temp_file.h"

namespace vx::test {
namespace {

constexpr const char* kAllFormats =
    "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\nHID34 WW=16 XX=16 YY=04 ZZ=12\n"
    "HID35 WW=13 XX=20 YY=05 ZZ=13\nHID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n"
    "HID40 WW=16 XX=22 YY=08 ZZ=16\nHID24 WW=06 XX=16 YY=09 ZZ=17\n";

// A window core over the fake window and a reader/writer with a card in its field.
struct CoreBench {
  FormState unused;
  FakeLink link;
  FakeHost view{unused, link};
  WindowCore core{view, link};
  CardInFieldDevice device;

  explicit CoreBench(const std::string& formats = kAllFormats) : file_(formats, "HID.cfg") {
    view.Rebind(core.State());
    core.listPorts = [] { return std::vector<SerialPortInfo>{}; };  // none beyond the numbered entries
    device.Attach(link);
    fault_ = core.Startup(file_.path());
  }
  bool Started() const { return !fault_; }
  // The operator closes the window; the fake window follows the core.
  bool Close() {
    const bool now = core.CloseRequested();
    view.closing = core.Closing();
    return now;
  }

 private:
  TempFile file_;
  std::optional<FormatFileError> fault_;
};

// The range captions come from the format file: a tab whose format it lacks
// keeps the caption it was built with and says what is missing.
TEST(WindowCore, StartupFillsTheControls) {
  const std::map<int, std::string> everyLabel = {{1, "Facility Code:0-255"}, {2, "Card Number:1-65535"}};
  struct Case {
    const char* name;
    std::string formats;
    bool starts;
    std::vector<int> notedTabs;          // tabs whose format is missing
    std::map<int, std::string> labels;   // rebuilt captions, by label
    std::vector<int> untouchedLabels;    // labels that keep their captions
  };
  const Case cases[] = {
      {"every format", kAllFormats, true, {}, {{1, "Facility Code:0-255"}, {15, "Facility Code:0-65535"}}, {}},
      {"no HID24 nor HID40", "HID26 WW=08 XX=16 YY=02 ZZ=10\nHID32 WW=14 XX=16 YY=03 ZZ=11\n"
                             "HID34 WW=16 XX=16 YY=04 ZZ=12\nHID35 WW=13 XX=20 YY=05 ZZ=13\n"
                             "HID36 WW=15 XX=19 YY=06 ZZ=14\nHID37 WW=16 XX=19 YY=07 ZZ=15\n",
       true, {6, 8}, everyLabel, {15}},
      {"a lower-case name and a format twice",
       "HID26 WW=08 XX=16\nhid35 WW=12 XX=20\nHID37 WW=16 XX=19\nHID37 WW=10 XX=10\n",
       true,
       {1, 2, 4, 6, 8},
       {{1, "Facility Code:0-255"},
        {2, "Card Number:1-65535"},
        {11, "Facility Code:0-4095"},  // lower-case spelling
        {9, "Card Number:1-1048575"},
        {7, "Facility Code:0-1023"},  // the last of two lines
        {8, "Card Number:1-1023"}},
       {3, 4, 15}},
      {"a fault in the file", "HID26 WW=x8\n", false, {}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoreBench b(c.formats);
    ASSERT_EQ(b.Started(), c.starts);
    ASSERT_EQ(b.view.portEntries.size(), 16u);
    EXPECT_EQ(b.view.portEntries.front(), "1");
    EXPECT_EQ(b.view.portEntries.back(), "16");
    EXPECT_EQ(b.view.port.selectedIndex, 0);
    if (!c.starts) continue;
    std::vector<int> noted;
    for (const auto& [tab, text] : b.view.formatNotes) {
      noted.push_back(tab);
      EXPECT_EQ(text.rfind("\u26A0 HID.cfg has no HID", 0), 0u) << text;
    }
    EXPECT_EQ(noted, c.notedTabs);
    for (const auto& [label, caption] : c.labels) EXPECT_EQ(b.view.labels[label], caption) << "Label" << label;
    for (const int label : c.untouchedLabels) EXPECT_EQ(b.view.labels.count(label), 0u) << "Label" << label;
    ASSERT_FALSE(b.view.banners.empty());
    EXPECT_EQ(b.view.banners.back(), FirstBanner());
    EXPECT_EQ(b.view.batchProgress, "No card list loaded");
  }
}

// Every tab's buttons and the keys F2 and F3 on the tab in front run that
// tab's handler: the frame that goes out is the tab's command in its layout.
TEST(WindowCore, ButtonsAndKeysRunTheirTabsHandlers) {
  for (const TabSpec& tab : kTabs) {
    for (const bool write : {true, false}) {
      for (const bool byKey : {false, true}) {
        SCOPED_TRACE(std::string(tab.caption) + (write ? " write" : " read") + (byKey ? " by key" : " by button"));
        CoreBench b;
        ASSERT_TRUE(b.Started());
        b.view.frontTab = tab.position;
        if (byKey)
          b.core.FunctionKey(write ? 2 : 3);
        else
          b.core.ButtonClicked(write ? tab.writeButton : tab.readButton);
        ASSERT_FALSE(b.link.written.empty());
        const Bytes& frame = b.link.written.front();
        EXPECT_EQ(frame[2], write ? 0xA5 : 0xA4);
        if (tab.kind == TabKind::Hid) {
          EXPECT_EQ(frame[6], FindFormatRowOf(b.core.State().formats, tab.formatName).FcBits);
        }
        EXPECT_FALSE(b.core.State().BusyFlag);
      }
    }
  }
}

TEST(WindowCore, SystemButtons) {
  CoreBench b;
  ASSERT_TRUE(b.Started());
  b.core.ButtonClicked(kLinkButton);
  ASSERT_EQ(b.link.written.size(), 1u);
  EXPECT_EQ(b.link.written[0], LinkCommand());
  EXPECT_FALSE(b.view.list.empty());
  b.core.ButtonClicked(kClearButton);
  EXPECT_TRUE(b.view.list.empty());

  TempFile cards("12,1000\n12,1001\n");
  b.view.chosenFile = cards.path();
  b.core.ButtonClicked(kBrowseButton);
  EXPECT_EQ(b.core.State().cards.CardCount, 2);

  // With a record in use, Export… opens its dialog and Report… its save dialog.
  TempFile record(std::string(kRecordHeader) + "\r\n", "record.csv");
  b.core.State().recordPath = record.path();
  b.core.ButtonClicked(kExportButton);
  EXPECT_EQ(b.view.exportDialogs, 1);
  b.core.ButtonClicked(kReportButton);
  EXPECT_EQ(b.view.saveKinds, std::vector<SaveKind>{SaveKind::Report});
}

// Closing while idle closes at once; while a handler waits, the wait is cut
// short and the window closes once the handler has returned, never before.
TEST(WindowCore, ClosingDuringAWaitWaitsForTheHandler) {
  for (const bool duringWait : {false, true}) {
    SCOPED_TRACE(duringWait ? "during a wait" : "idle");
    CoreBench b;
    ASSERT_TRUE(b.Started());
    b.device.faultOf = [](int) { return CardFault::Silent; };
    if (!duringWait) {
      EXPECT_TRUE(b.Close());
      EXPECT_EQ(b.view.closeWindowCalls, 0);
      continue;
    }
    bool closedAtOnce = true;
    int callsDuringWait = -1;
    b.view.AtTick(5, [&] {
      closedAtOnce = b.Close();
      callsDuringWait = b.view.closeWindowCalls;
    });
    b.core.ButtonClicked(kTabs[kStartTab].writeButton);
    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(callsDuringWait, 0);
    EXPECT_LT(b.view.ticks(), 10);
    EXPECT_EQ(b.view.closeWindowCalls, 1);
    EXPECT_FALSE(b.link.IsOpen());
    EXPECT_TRUE(b.view.messages.empty());  // the cut-short wait is no fault to tell
  }
}

// However a record box changes, the program's state follows it, and the box
// shows the state the program is in: "Keep Record", and "Shared Record" with
// the line under it that says where the shared record is.
TEST(WindowCore, RecordBoxesShowWhatTheProgramKeeps) {
  TempFile folder("", "placeholder");
  const CardData held = EncodeHidCardData(12, 1000);
  const CardInFieldDevice::Data holdsIt{held[0], held[1], held[2], held[3], held[4]};
  const CardInFieldDevice::Data holdsOther{held[0], held[1], held[2], held[3], 0x01};
  const CardData otherFc = EncodeHidCardData(13, 1000);
  const CardInFieldDevice::Data holdsOtherFacility{otherFc[0], otherFc[1], otherFc[2], otherFc[3], otherFc[4]};
  struct Case {
    const char* name;
    CheckBox box;
    std::optional<std::string> chosen;  // the record file, or the shared record's dialog answer
    bool duringWait;
    bool kept;
    // The shared record's cases.
    std::string givenAtStart = {};                // --shared-record
    std::optional<StoreFault> connectFault = {};  // what connecting to it says
    bool untickAfter = false;
    std::optional<CardInFieldDevice::Data> unsettledCard = {};  // an earlier run left 12,1000 reserved
    std::string connectedTo = {};                 // the connection the store was asked for
    std::string line = {};                        // under the box
    std::vector<std::string> messages = {};
    std::optional<CredentialState> unsettledAfter = {};
  };
  const std::string where = "Shared record: cards on db1, station DESK-2";
  const Case cases[] = {
      {"a record chosen", CheckBox::KeepRecord, folder.dir() + "/cards.csv", false, true},
      {"the dialog cancelled", CheckBox::KeepRecord, std::nullopt, false, false},
      {"ticked while a handler waits", CheckBox::KeepRecord, folder.dir() + "/cards.csv", true, false},
      {"shared: given at start", CheckBox::SharedRecord, std::nullopt, false, true, "DSN=cards", std::nullopt, false,
       std::nullopt, "DSN=cards", where},
      {"shared: a data source chosen", CheckBox::SharedRecord, "cards", false, true, "", std::nullopt, false,
       std::nullopt, "cards", where},
      {"shared: the dialog cancelled", CheckBox::SharedRecord, std::nullopt, false, false},
      {"shared: the connection fails", CheckBox::SharedRecord, "Driver={PostgreSQL};Server=db1;Pwd=secret", false,
       false, "", StoreFault{"db1", "password authentication failed for user \"vx\""}, false, std::nullopt,
       "Driver={PostgreSQL};Server=db1;Pwd=secret", "",
       {"The shared record cannot be reached: db1: password authentication failed for user \"vx\"."}},
      {"shared: unticked", CheckBox::SharedRecord, "cards", false, false, "", std::nullopt, true, std::nullopt,
       "cards", ""},
      {"shared: ticked while a handler waits", CheckBox::SharedRecord, "cards", true, false},
      {"shared: an earlier run's card holds its numbers", CheckBox::SharedRecord, "cards", false, true, "",
       std::nullopt, false, holdsIt, "cards", where,
       {"12,1000 (HID26): the card holds it; it is written in the shared record."}, CredentialState::Written},
      {"shared: an earlier run's card does not", CheckBox::SharedRecord, "cards", false, true, "", std::nullopt,
       false, holdsOther, "cards", where,
       {"12,1000 (HID26): not found on a card; it is unknown in the shared record and is written again only on a "
        "Yes."},
       CredentialState::Unknown},
      {"shared: an earlier run's card holds its card number with another facility code", CheckBox::SharedRecord,
       "cards", false, true, "", std::nullopt, false, holdsOtherFacility, "cards", where,
       {"12,1000 (HID26): not found on a card; it is unknown in the shared record and is written again only on a "
        "Yes."},
       CredentialState::Unknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CoreBench b;
    ASSERT_TRUE(b.Started());
    auto db = std::make_shared<FakeDatabase>();
    std::string connectedTo;
    b.core.sharedRecord.station = "DESK-2";
    b.core.sharedRecord.connection = c.givenAtStart;
    b.core.sharedRecord.dataSources = [] { return std::vector<std::string>{"cards", "test"}; };
    b.core.sharedRecord.connect = [&](const std::string& connection, const std::string& station,
                                      std::unique_ptr<SharedStore>& store) -> std::optional<StoreFault> {
      connectedTo = connection;
      if (c.connectFault) return c.connectFault;
      store = std::make_unique<FakeSharedStore>(db, station);
      return std::nullopt;
    };
    if (c.unsettledCard) {
      db->Put({{"HID26", 12, 1000}, CredentialState::Reserved, "DESK-2", "2026-12-01T14:03:12+01:00", "", "typed", 0});
      b.device.card = c.unsettledCard;
      b.view.answers = {true};
    }
    b.view.chosenRecord = c.chosen;
    b.view.chosenSharedRecord = c.chosen;
    if (c.duringWait) {
      b.device.faultOf = [](int) { return CardFault::Silent; };
      b.view.AtTick(3, [&] { b.core.CheckBoxChanged(c.box, true); });
      b.core.ButtonClicked(kTabs[kStartTab].writeButton);
    } else if (!c.givenAtStart.empty()) {
      b.core.StartSharedRecord();
    } else {
      b.core.CheckBoxChanged(c.box, true);
    }
    if (c.untickAfter) b.core.CheckBoxChanged(c.box, false);

    EXPECT_EQ(b.view.checkBoxes[c.box], c.kept);
    if (c.box == CheckBox::KeepRecord) {
      EXPECT_EQ(!b.core.State().recordPath.empty(), c.kept);
      continue;
    }
    EXPECT_EQ(b.core.State().shared.store != nullptr, c.kept);
    EXPECT_EQ(connectedTo, c.connectedTo);
    EXPECT_EQ(b.view.sharedRecordLine, c.line);
    EXPECT_EQ(b.view.messages, c.messages);
    for (const std::string& message : b.view.messages) EXPECT_EQ(message.find("secret"), std::string::npos);
    // The dialog is offered only when no connection was given at start.
    const bool asked = c.givenAtStart.empty() && !c.duringWait;
    const std::vector<std::string> offered = asked ? std::vector<std::string>{"cards", "test"} : std::vector<std::string>{};
    EXPECT_EQ(b.view.dataSourcesOffered, offered);
    if (c.unsettledAfter) {
      ASSERT_TRUE(db->Row({"HID26", 12, 1000}));
      EXPECT_EQ(db->Row({"HID26", 12, 1000})->state, *c.unsettledAfter);
      EXPECT_EQ(b.view.questions,
                std::vector<std::string>{"An earlier run of this station stopped while writing 12,1000 (HID26), so a "
                                         "card may hold it. Put that card on the reader and read it now? No leaves "
                                         "it unknown in the shared record."});
    }
  }
}

// "Shared Record" goes by a station's name that every other station can show,
// and only while no other program on this computer goes by it: a name that
// breaks the rule is refused before the dialog, a station held elsewhere
// before the connection, and the lock is held exactly while connected.
TEST(WindowCore, SharedRecordHoldsItsStationAlone) {
  const std::string inUse =
      "Station DESK-2 is already in use by another program on this computer. Close that program, or start this one "
      "with another station's name (--station NAME).";
  struct Case {
    const char* what;
    std::string station;  // as the program was given it
    bool heldElsewhere;
    std::optional<StoreFault> connectFault;
    bool untickAfter;
    bool asked;               // the dialog was offered
    std::string connectedAs;  // the station the store was asked for; empty: not asked
    std::vector<std::string> messages;
    bool heldAfter;  // this window holds DESK-2's lock at the end
  };
  const Case cases[] = {
      {"a blank name", " ", false, std::nullopt, false, false, "",
       {"This computer's name cannot be the station's name in the shared record: the name is blank. Give the "
        "station a name with --station NAME."},
       false},
      {"a name with a terminal's escape", "DESK\x1b[2J", false, std::nullopt, false, false, "",
       {"This computer's name cannot be the station's name in the shared record: the name holds a control "
        "character, U+001B, at character 5. Give the station a name with --station NAME."},
       false},
      {"blanks around the name", "  DESK-2 ", false, std::nullopt, false, true, "DESK-2", {}, true},
      {"another program holds the station", "DESK-2", true, std::nullopt, false, true, "", {inUse}, false},
      {"unticked", "DESK-2", false, std::nullopt, true, true, "DESK-2", {}, false},
      {"the connection fails", "DESK-2", false, StoreFault{"db1", "timeout expired"}, false, true, "DESK-2",
       {"The shared record cannot be reached: db1: timeout expired."}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile folder("", "placeholder");
    CoreBench b;
    ASSERT_TRUE(b.Started());
    auto db = std::make_shared<FakeDatabase>();
    std::string connectedAs;
    SharedRecordAccess& access = b.core.sharedRecord;
    access.station = c.station;
    access.dataSources = [] { return std::vector<std::string>{"cards"}; };
    access.lockStation = [&](const std::string& station, std::unique_ptr<StationLock>& lock) {
      return LockStation(folder.dir(), station, lock);
    };
    access.connect = [&](const std::string&, const std::string& station,
                         std::unique_ptr<SharedStore>& store) -> std::optional<StoreFault> {
      connectedAs = station;
      if (c.connectFault) return c.connectFault;
      store = std::make_unique<FakeSharedStore>(db, station);
      return std::nullopt;
    };
    b.view.chosenSharedRecord = "cards";
    std::unique_ptr<StationLock> elsewhere;
    if (c.heldElsewhere) {
      ASSERT_EQ(LockStation(folder.dir(), "DESK-2", elsewhere), std::nullopt);
    }

    b.core.CheckBoxChanged(CheckBox::SharedRecord, true);
    if (c.untickAfter) b.core.CheckBoxChanged(CheckBox::SharedRecord, false);

    EXPECT_EQ(b.view.checkBoxes[CheckBox::SharedRecord], !c.connectedAs.empty() && !c.connectFault && !c.untickAfter);
    EXPECT_EQ(!b.view.dataSourcesOffered.empty(), c.asked);
    EXPECT_EQ(connectedAs, c.connectedAs);
    EXPECT_EQ(b.view.messages, c.messages);
    elsewhere.reset();
    std::unique_ptr<StationLock> probe;
    EXPECT_EQ(LockStation(folder.dir(), "DESK-2", probe).has_value(), c.heldAfter);
  }
}

}  // namespace
}  // namespace vx::test
