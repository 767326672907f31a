// One Write Card on the "HID  WG26" tab for each thing that can go wrong: the
// device, the port, or the operator acting while the window waits. Each row
// says what the operator sees and whether the card counts as written; after
// every row the port is free, the window idle, nothing moved on a failure, and
// the next card writes cleanly on a good device.
//
// The window runs on the plain Qt serial port; each simulated device gets a
// pseudo-terminal of its own, whose path is typed into Combo1 as an operator
// names a port.

#include <QComboBox>
#include <QProcess>
#include <QSerialPort>

#include <atomic>

#include "app/qt_serial_link.h"
#include "e2e_window.h"
#include "sim/pty_server_posix.h"

namespace vx::e2e {
namespace {

enum class Mode { Typed, Database };
enum class Port { OwnPort, HeldElsewhere, Missing };
enum class During { Nothing, CloseWindow, ClearAndSwitchTabs, ClickAndType };

struct FaultRow {
  const char* name;
  sim::FaultSet faults;
  Mode mode;
  Port port;
  During during;
  int frames;        // frames the device received for the press
  QStringList lines;  // List1 afterwards
  std::vector<std::string> messages;
  bool advanced;  // a confirmed card: the next one is up
};
// Names the row in test listings instead of dumping its fields.
void PrintTo(const FaultRow& row, std::ostream* os) { *os << row.name; }

const std::vector<std::string> kNoMessage;
const std::vector<std::string> kOpenFailure{"COM port open failure!"};

// The card each mode writes first; the k-th card follows it.
struct Card {
  QString fc;
  QString cn;
};
Card CardAt(Mode mode, int k) {
  if (mode == Mode::Database) return {"5", QString::number(100 + k)};
  return {"12", QString::number(345 + k)};
}
QStringList WrittenLines(const Card& card) { return {card.fc + "," + card.cn, "Write AND Read Block Success"}; }

class FaultTableTest : public EndToEndTest, public ::testing::WithParamInterface<FaultRow> {
 protected:
  void TearDown() override {
    armed = false;
    EndToEndTest::TearDown();
    device.reset();
  }

  const TabSpec& Tab() { return TabNamed("HID  WG26"); }
  FormatRow& Row(std::string_view format) {
    FormatTable& formats = window->State().formats;
    return FindFormatRowOf(formats, format);
  }

  // The window as the program starts without a simulated device.
  void StartWindow() { StartWithLink(std::make_unique<QtSerialLink>()); }

  // A device on a pseudo-terminal of its own, answering at once; the one
  // before it is pulled out.
  std::string PlugIn(sim::FaultSet faults) {
    device.reset();
    sim::PtyServerOptions options;
    options.device.faults = faults;
    options.device.timing = sim::DeviceTiming::Instant();
    options.log = [this](const std::string& line) { Heard(line); };
    device = std::make_unique<sim::PtyServer>(options);
    std::string error;
    EXPECT_TRUE(device->Start(&error)) << error;
    return device->SlavePath();
  }

  // Called on the device's thread for every line of its frame log.
  void Heard(const std::string& line) {
    if (line.rfind("<- ", 0) != 0 || line.rfind("<- (", 0) == 0) return;
    ++frames;
    // The first frame of a press: the window is now waiting for the device.
    if (armed.exchange(false))
      QMetaObject::invokeMethod(QCoreApplication::instance(), [this] { RunDuringWait(); }, Qt::QueuedConnection);
  }

  void TypePort(const std::string& path) {
    auto* combo = Child<QComboBox>("Combo1");
    QLineEdit* edit = combo->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromStdString(path));
    EXPECT_EQ(combo->currentText().toStdString(), path);
  }

  // Typed mode: 12 and 345 typed in. Database mode: a three-card list loaded.
  void Prepare(Mode mode) {
    const TabSpec& tab = Tab();
    if (mode == Mode::Typed) {
      Type(tab, tab.fcBox, "12");
      Type(tab, tab.cnBox, "345");
      return;
    }
    chosenFile = WriteCardFile("cards.txt", "5,100\n5,101\n5,102\n");
    SelectTab(tab.position);
    Click(Child<QCheckBox>("Check1"));
    Click(2);
    ASSERT_EQ(window->State().cards.CardCount, 3);
    // Another file, offered to any later Browse: none may load it.
    chosenFile = WriteCardFile("other.txt", "7,700\n7,701\n");
  }

  // The k-th card of the mode is up next: in the tab's boxes, in the texts
  // Write Card sends, and under the cursor.
  void ExpectCardUp(Mode mode, int k) {
    const TabSpec& tab = Tab();
    const Card card = CardAt(mode, k);
    EXPECT_EQ(Box(tab.fcBox)->text(), card.fc);
    EXPECT_EQ(Box(tab.cnBox)->text(), card.cn);
    EXPECT_EQ(Row(tab.formatName).FcText, card.fc.toStdString());
    EXPECT_EQ(Row(tab.formatName).CnText, card.cn.toStdString());
    EXPECT_EQ(window->State().cards.CardCursor, mode == Mode::Database ? k : 0);
  }

  // The window has let go of the port: another program can open it.
  void ExpectPortFree(const std::string& path) {
    EXPECT_FALSE(window->Link().IsOpen());
    EXPECT_FALSE(window->State().BusyFlag);
    if (!device || !device->Running()) return;
    QSerialPort probe;
    probe.setPortName(QString::fromStdString(path));
    EXPECT_TRUE(probe.open(QIODevice::ReadWrite)) << path << ": " << probe.errorString().toStdString();
  }

  void RunDuringWait() {
    if (!window || !window->State().BusyFlag) return;  // too late: the press is over
    duringRan = true;
    switch (GetParam().during) {
      case During::Nothing:
        break;
      case During::CloseWindow:
        window->close();
        break;
      case During::ClearAndSwitchTabs:
        Click(11);
        SelectTab(TabNamed("HID WG37").position);
        SelectTab(TabNamed("EM4100").position);
        break;
      case During::ClickAndType:
        for (const TabSpec& tab : kTabs) {
          SelectTab(tab.position);
          Click(tab.readButton);
          Click(tab.writeButton);
        }
        Click(12);
        Click(2);
        TypeWhileBusy(Tab(), Tab().cnBox, "9");
        TypeWhileBusy(TabNamed("HID  WG32"), TabNamed("HID  WG32").fcBox, "7");
        break;
    }
  }
  void TypeWhileBusy(const TabSpec& tab, int box, const char* keys) {
    SelectTab(tab.position);
    Box(box)->setFocus();
    QTest::keyClicks(Box(box), keys);
  }

  std::unique_ptr<sim::PtyServer> device;
  std::atomic<int> frames{0};
  std::atomic<bool> armed{false};
  bool duringRan = false;
};

TEST_P(FaultTableTest, ShowsTheOutcomeMovesOnlyAConfirmedCardAndTheNextCardWrites) {
  const FaultRow& row = GetParam();
  const TabSpec& tab = Tab();
  StartWindow();
  std::string path = PlugIn(row.faults);
  TypePort(row.port == Port::Missing ? "/dev/does-not-exist" : path);
  Prepare(row.mode);
  ExpectCardUp(row.mode, 0);
  if (row.during == During::ClearAndSwitchTabs) {
    Click(12);  // a line for Clear to take away
    ASSERT_EQ(Lines(), QStringList{"System Link Success"});
  }

  QProcess holder;
  if (row.port == Port::HeldElsewhere) {
    holder.start(VX_PORT_HOLDER, {QString::fromStdString(path)});
    ASSERT_TRUE(holder.waitForReadyRead(5000)) << holder.readAllStandardError().toStdString();
    ASSERT_EQ(holder.readLine().trimmed(), "held");
  }

  frames = 0;
  armed = row.during != During::Nothing;
  SelectTab(tab.position);
  Click(tab.writeButton);
  armed = false;

  EXPECT_EQ(duringRan, row.during != During::Nothing);
  EXPECT_EQ(frames, row.frames);
  EXPECT_EQ(Lines(), row.lines);
  EXPECT_TRUE(LastLineSelected());
  EXPECT_EQ(messages, row.messages);
  ExpectCardUp(row.mode, row.advanced ? 1 : 0);
  if (row.port == Port::HeldElsewhere) {
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(5000));
    EXPECT_EQ(holder.exitCode(), 0);
  }
  ExpectPortFree(path);

  switch (row.during) {
    case During::Nothing:
      break;
    case During::CloseWindow:
      // The window goes once the press is over; the program ends from there.
      QTest::qWait(50);
      EXPECT_FALSE(window->isVisible());
      break;
    case During::ClearAndSwitchTabs:
      EXPECT_EQ(Tabs()->currentIndex(), TabNamed("EM4100").position);
      EXPECT_EQ(Box(TabNamed("EM4100").fcBox)->text(), "1");
      EXPECT_EQ(Box(TabNamed("EM4100").cnBox)->text(), "1");
      break;
    case During::ClickAndType:
      // Browse loaded nothing, and what was typed went nowhere.
      EXPECT_EQ(window->State().cards.CardCount, 3);
      EXPECT_EQ(Child<QLineEdit>("Text2")->text(), dir.filePath("cards.txt"));
      EXPECT_EQ(Row("HID32").FcText, "5");
      EXPECT_EQ(Box(TabNamed("HID  WG32").fcBox)->text(), "5");
      break;
  }

  // The next card, on a good device.
  SCOPED_TRACE("the next card");
  int next = row.advanced ? 1 : 0;
  QStringList lines = row.lines;
  std::vector<std::string> shown = row.messages;
  if (row.during == During::CloseWindow) {
    // The program started again.
    window.reset();
    messages.clear();
    StartWindow();
    Prepare(row.mode);
    lines.clear();
    shown.clear();
  }
  path = PlugIn({});
  TypePort(path);
  frames = 0;
  SelectTab(tab.position);
  Click(tab.writeButton);
  EXPECT_EQ(frames, 2);
  lines << WrittenLines(CardAt(row.mode, next));
  EXPECT_EQ(Lines(), lines);
  EXPECT_EQ(messages, shown);
  ExpectCardUp(row.mode, next + 1);
  ExpectPortFree(path);
}

using enum Mode;
using enum Port;
using enum During;

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTableTest,
    ::testing::Values(
        FaultRow{"DeviceSilent", {sim::Fault::Silent}, Database, OwnPort, Nothing, 1, {"Write Block Data Fail"},
                 kNoMessage, false},
        // A refused write is an acknowledgement that fails its test: dropped, and the wait runs out.
        FaultRow{"WriteRefused", {sim::Fault::Refuse}, Database, OwnPort, Nothing, 1, {"Write Block Data Fail"},
                 kNoMessage, false},
        // "No card" is card data that fails its test: passed over without a line.
        FaultRow{"NoCard", {sim::Fault::NoCard}, Database, OwnPort, Nothing, 2, {}, kNoMessage, false},
        // The card reads back as the next entry of the list: still not this card.
        FaultRow{"WrongReadBack", {sim::Fault::Corrupt}, Database, OwnPort, Nothing, 2,
                 {"5,101", "Verify Block Data Fail"}, kNoMessage, false},
        FaultRow{"SingleByteReplies", {sim::Fault::Bytewise}, Typed, OwnPort, Nothing, 2,
                 WrittenLines(CardAt(Typed, 0)), kNoMessage, true},
        FaultRow{"StrayBytesBeforeReplies", {sim::Fault::Garbage}, Database, OwnPort, Nothing, 1,
                 {"Write Block Data Fail"}, kNoMessage, false},
        FaultRow{"UnpluggedDuringTheWait", {sim::Fault::Unplug}, Database, OwnPort, Nothing, 1,
                 {"Write Block Data Fail"}, kNoMessage, false},
        FaultRow{"PortHeldByAnotherProgram", {}, Database, HeldElsewhere, Nothing, 0, {}, kOpenFailure, false},
        FaultRow{"PortThatDoesNotExist", {}, Typed, Missing, Nothing, 0, {}, kOpenFailure, false},
        FaultRow{"WindowClosedDuringTheWait", {sim::Fault::Silent}, Typed, OwnPort, CloseWindow, 1,
                 {"Write Block Data Fail"}, kNoMessage, false},
        // The result lands in the pressing tab's boxes and in the emptied list.
        FaultRow{"ClearAndTabSwitchesDuringTheWait", {}, Database, OwnPort, ClearAndSwitchTabs, 2,
                 WrittenLines(CardAt(Database, 0)), kNoMessage, true},
        // Every other button and the boxes find the window busy: no second frame.
        FaultRow{"ClicksAndTypingDuringTheWait", {}, Database, OwnPort, ClickAndType, 2,
                 WrittenLines(CardAt(Database, 0)), kNoMessage, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx::e2e
