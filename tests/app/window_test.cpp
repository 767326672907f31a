#include "app/tesselmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "app/window_controls.h"
#include "device/frame.h"
#include "support/card_device.h"
#include "support/fake_link.h"

namespace {

using vx::test::FakeLink;

// Made-up layouts; only the ranges matter to the window.
const char* const kConfig =
    "HID24 WW=06 XX=16 YY=00 ZZ=00\n"
    "HID26 WW=08 XX=16 YY=02 ZZ=10\n"
    "HID32 WW=14 XX=16 YY=00 ZZ=00\n"
    "hid35 WW=12 XX=20 YY=00 ZZ=00\n";

class WindowTest : public ::testing::Test, public WindowControls {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir_);
  }

  void WriteConfig(const char* text) {
    QFile file(dir_.filePath("HID.cfg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  void MakeWindow() {
    auto link = std::make_unique<FakeLink>();
    this->link = link.get();
    window = std::make_unique<Tesselmain>(std::move(link));
    // The machine's own ports play no part in a test.
    window->portLister = [this] { return ports; };
    messages.clear();
    window->messageShower = [this](const std::string& text) { messages.push_back(text); };
  }
  // The window as the program starts it, with kConfig unless a test wrote another.
  void Start() {
    if (!QFile::exists(dir_.filePath("HID.cfg"))) WriteConfig(kConfig);
    MakeWindow();
    const auto fault = window->Startup();
    ASSERT_FALSE(fault.has_value()) << fault->Message();
    window->show();
  }

  QWidget* Window() override { return window.get(); }
  QLabel* Label(int n) { return Child<QLabel>(QString("Label%1").arg(n)); }
  // Puts the box's tab in front and types into it at the end of its text.
  void Type(int box, const QString& keys) {
    for (const vx::TabSpec& tab : vx::kTabs)
      if (tab.fcBox == box || tab.cnBox == box) Child<QTabWidget>("SSTab1")->setCurrentIndex(tab.position);
    QLineEdit* edit = Box(box);
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, keys);
  }
  vx::FormatRow& Row(std::string_view name) {
    auto& table = window->State().formats;
    return vx::FindFormatRowOf(table, name);
  }
  // The recorded text of the format whose box this is.
  std::string Recorded(int box) {
    for (const vx::TabSpec& tab : vx::kTabs) {
      if (tab.fcBox != box && tab.cnBox != box) continue;
      const bool cn = tab.cnBox == box;
      if (tab.kind == vx::TabKind::Em4100) return cn ? window->State().Em4100CnText : window->State().Em4100FcText;
      return cn ? Row(tab.formatName).CnText : Row(tab.formatName).FcText;
    }
    return "?";
  }
  // Clicks a button at `ms` from now, while a handler waits.
  void ClickLater(int ms, int button) {
    QTimer::singleShot(ms, window.get(), [this, button] { Button(button)->click(); });
  }

  QTemporaryDir dir_;
  QString previousDir_;
  FakeLink* link = nullptr;
  std::vector<vx::SerialPortInfo> ports;  // the system's serial ports, as the window is told
  std::unique_ptr<Tesselmain> window;
  std::vector<std::string> messages;
};

TEST_F(WindowTest, StartsWithEveryControlInItsInitialState) {
  WriteConfig("");  // no format lines: every label keeps its caption
  Start();
  EXPECT_EQ(window->windowTitle(), "VANDORIX PROGRAMMER");

  auto* combo = Child<QComboBox>("Combo1");
  EXPECT_TRUE(combo->isEditable());
  ASSERT_EQ(combo->count(), 16);
  EXPECT_EQ(combo->itemText(15), "16");
  EXPECT_EQ(combo->currentText(), "1");
  EXPECT_EQ(Button(11)->text(), "Clear");
  EXPECT_EQ(Button(12)->text(), "Link");
  EXPECT_EQ(Button(2)->text(), "Browse");
  EXPECT_EQ(Button(vx::kIdentifyButton)->text(), "Identify Card");
  EXPECT_FALSE(Child<QCheckBox>("Check1")->isChecked());
  EXPECT_EQ(Child<QCheckBox>("Check1")->text(), "Use Database");
  EXPECT_FALSE(Child<QGroupBox>("Frame9")->isVisible());
  EXPECT_EQ(Child<QGroupBox>("Frame9")->title(), "Database Path ...");
  EXPECT_EQ(Child<QLabel>("BatchProgress")->text(), "No card list loaded");
  EXPECT_TRUE(Child<QLineEdit>("Text2")->text().isEmpty());
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(List()->accessibleName(), "Messages");
  EXPECT_EQ(combo->accessibleName(), "Com Port");

  auto* tabs = Child<QTabWidget>("SSTab1");
  ASSERT_EQ(tabs->count(), vx::kTabCount);
  EXPECT_EQ(tabs->currentIndex(), 8);
  EXPECT_EQ(window->FrontTab(), 8);
  for (const vx::TabSpec& tab : vx::kTabs) {
    SCOPED_TRACE(tab.position);
    QWidget* page = tabs->widget(tab.position);
    EXPECT_EQ(tabs->tabText(tab.position), QString::fromUtf8(tab.caption.data(), tab.caption.size()));
    EXPECT_EQ(Label(tab.fcLabel)->text().toStdString(), tab.fcLabelCaption);
    EXPECT_EQ(Label(tab.cnLabel)->text().toStdString(), tab.cnLabelCaption);
    EXPECT_EQ(Button(tab.readButton)->text(), "Read Card");
    EXPECT_EQ(Button(tab.writeButton)->text(), "Write Card");
    for (int box : {tab.fcBox, tab.cnBox}) {
      EXPECT_TRUE(page->isAncestorOf(Box(box)));
      EXPECT_EQ(Box(box)->text(), "1");
    }
    auto* fcFrame = qobject_cast<QGroupBox*>(Box(tab.fcBox)->parentWidget());
    auto* cnFrame = qobject_cast<QGroupBox*>(Box(tab.cnBox)->parentWidget());
    ASSERT_TRUE(fcFrame && cnFrame);
    EXPECT_EQ(fcFrame->title(), "Facility Code");
    EXPECT_EQ(cnFrame->title(), "Card Number");
    EXPECT_EQ(Box(tab.fcBox)->accessibleName(), "Facility Code");
    EXPECT_EQ(Box(tab.cnBox)->accessibleName(), "Card Number");
  }
  EXPECT_EQ(window->State().Em4100FcText, "1");
  EXPECT_FALSE(window->State().BusyFlag);
  EXPECT_EQ(link->openCount, 0);
}

// Which captions the format file changes is the core's (WindowCore.StartupFillsTheControls);
// here, the window shows what the core sets and keeps what it does not.
TEST_F(WindowTest, RangeCaptionsComeFromTheFormatFile) {
  WriteConfig(
      "HID26 WW=08 XX=16\n"
      "hid35 WW=12 XX=20\n"
      "HID37 WW=16 XX=19\n"
      "HID37 WW=10 XX=10\n");
  Start();
  EXPECT_EQ(Label(11)->text(), "Facility Code:0-4095");
  EXPECT_EQ(Label(9)->text(), "Card Number:1-1048575");
  EXPECT_EQ(Label(4)->text(), "Card Number:  1-65535");
  EXPECT_EQ(window->State().formats.FormatCount, 4);
  // A tab whose format is missing says so before anything is pressed.
  for (const vx::TabSpec& tab : vx::kTabs) {
    const bool lacking = tab.kind == vx::TabKind::Hid && tab.formatName != "HID26" && tab.formatName != "HID35" &&
                         tab.formatName != "HID37";
    auto* note = Child<QLabel>(QString("FormatNote%1").arg(tab.position));
    EXPECT_EQ(!note->isHidden(), lacking) << tab.caption;
    if (lacking) {
      EXPECT_TRUE(note->text().contains(QString::fromUtf8(tab.formatName.data(), 5))) << tab.caption;
    }
  }
}

TEST_F(WindowTest, FaultyFormatFileStopsTheStartUp) {
  for (const char* text : std::initializer_list<const char*>{"HID26 WW=31 XX=16\n", "HID26 WW=x8\n", nullptr}) {
    SCOPED_TRACE(text ? text : "missing file");
    QFile::remove(dir_.filePath("HID.cfg"));
    if (text) WriteConfig(text);
    MakeWindow();
    const auto fault = window->Startup();
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->Message().find("HID.cfg"), std::string::npos);
    EXPECT_EQ(window->State().formats.FormatCount, 0);
  }
}

struct TypingCase {
  const char* what;
  int box;
  const char* keys;      // '\b' is Backspace
  const char* shown;     // the box afterwards
  const char* recorded;  // the format's current text afterwards
};

TEST_F(WindowTest, TypingIsCheckedAsTheBoxChanges) {
  const TypingCase cases[] = {
      {"digits within the range", 3, "25", "125", "125"},
      {"a letter is undone", 3, "a", "1", "1"},
      {"above the range is undone", 3, "\b256", "25", "25"},
      {"at the limit", 3, "\b255", "255", "255"},
      {"over the maximum length, refused by the box", 19, "23", "12", "12"},
      {"above 63 is undone", 19, "\b64", "6", "6"},
      {"an empty box is recorded", 19, "\bx", "", ""},
      {"card number zero is undone", 4, "\b0", "", ""},
      {"sixth digit refused by the box", 4, "23456", "12345", "12345"},
      {"fifth character refused although in range", 12, "\b00012", "0001", "0001"},
      {"lower-case row of the file is used", 11, "23456", "123456", "123456"},
      {"EM4100 facility code", 18, "\b256", "25", "25"},
      {"EM4100 card number at the limit", 17, "\b4294967295", "4294967295", "4294967295"},
      {"EM4100 card number above", 17, "\b4294967296", "429496729", "429496729"},
  };
  for (const TypingCase& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    for (const char key : std::string(c.keys)) {
      if (key == '\b') {
        QTest::keyClick(Box(c.box), Qt::Key_Backspace);
      } else {
        Type(c.box, QString(QChar::fromLatin1(key)));
      }
    }
    EXPECT_EQ(Box(c.box)->text().toStdString(), c.shown);
    EXPECT_EQ(Recorded(c.box), c.recorded);
    EXPECT_FALSE(window->State().BusyFlag);
  }
}

TEST_F(WindowTest, PasteIsTakenOrUndoneAsAWhole) {
  struct PasteCase {
    const char* what;
    int box;
    bool replaceAll;
    const char* clip;
    const char* shown;
  };
  const PasteCase cases[] = {
      {"a letter inside undoes the paste", 4, false, "12x4", "1"},
      {"too long for the box", 19, false, "23", "1"},
      {"too long although in range", 11, true, "00000001", "1"},
      {"digits replace the text", 3, true, "200", "200"},
  };
  for (const PasteCase& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    Type(c.box, "");
    if (c.replaceAll) Box(c.box)->selectAll();
    QApplication::clipboard()->setText(c.clip);
    Box(c.box)->paste();
    EXPECT_EQ(Box(c.box)->text().toStdString(), c.shown);
    EXPECT_EQ(Recorded(c.box), c.shown);
  }
}

TEST_F(WindowTest, TextTheProgramPutsInIsShownWhole) {
  Start();
  {
    vx::BusyGuard busy(window->State());
    window->SetBoxText(19, "12345");
  }
  EXPECT_EQ(Box(19)->text(), "12345");
  // Still no longer by typing, but it may be shortened; the shortened text
  // reaches the change handler, which puts back the last accepted text.
  Type(19, "6");
  EXPECT_EQ(Box(19)->text(), "12345");
  QTest::keyClick(Box(19), Qt::Key_Backspace);
  EXPECT_EQ(Box(19)->text(), "1");
}

TEST_F(WindowTest, ComPortChoiceTellsTypedTextFromAnEntry) {
  Start();
  auto* combo = Child<QComboBox>("Combo1");
  combo->setCurrentIndex(15);
  vx::PortChoice choice = window->ComPortChoice();
  EXPECT_EQ(choice.selectedIndex, 15);
  EXPECT_EQ(choice.typedText, "16");
  window->SetPortText("/dev/ttyUSB7");
  choice = window->ComPortChoice();
  EXPECT_EQ(choice.selectedIndex, -1);
  EXPECT_EQ(choice.typedText, "/dev/ttyUSB7");

  Button(12)->click();
  ASSERT_FALSE(link->opened.empty());
  EXPECT_EQ(link->opened.back(), "/dev/ttyUSB7");
}

// Combo1 offers the system's ports after "1" to "16", reads them again as it
// drops down, and a port's entry opens exactly that port.
TEST_F(WindowTest, ComPortOffersTheSystemsPorts) {
  const vx::SerialPortInfo uart{"/dev/ttyS0", "Built-in serial port (16550A)"};
  const vx::SerialPortInfo usb{"/dev/ttyUSB0", "FT232R USB UART (FTDI)"};
  ports = {uart};
  Start();
  auto* combo = Child<QComboBox>("Combo1");
  ASSERT_EQ(combo->count(), 17);
  EXPECT_EQ(combo->itemText(16), QString::fromUtf8("/dev/ttyS0 \u2014 Built-in serial port (16550A)"));
  EXPECT_EQ(combo->currentText(), "1");

  // Plugged in after start-up.
  ports = {uart, usb};
  combo->showPopup();
  combo->hidePopup();
  ASSERT_EQ(combo->count(), 18);
  EXPECT_EQ(combo->currentIndex(), 0);
  combo->setCurrentIndex(17);
  Button(12)->click();
  EXPECT_EQ(link->opened, std::vector<std::string>{"/dev/ttyUSB0"});
}

TEST_F(WindowTest, LinkReportsWhatTheDeviceAnswered) {
  struct LinkCase {
    const char* what;
    std::optional<vx::Bytes> answer;
    bool portRefused;
    QStringList lines;
    std::vector<std::string> messages;
  };
  const LinkCase cases[] = {
      {"silent device", std::nullopt, false, {"System Link Fail"}, {}},
      {"acknowledgement", vx::test::AckReplyBytes(), false, {"System Link Success"}, {}},
      {"wrong status", vx::test::AckReplyBytes(0x01), false, {}, {}},
      {"port that will not open: a message, not a line", std::nullopt, true, {}, {"COM port open failure!"}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    link->RefuseOpen(c.portRefused);
    if (c.answer) {
      link->SetDevice([answer = *c.answer](const vx::Bytes&, FakeLink& l) { l.Arrive(answer); });
    }
    QElapsedTimer clock;
    clock.start();
    Button(12)->click();
    EXPECT_EQ(Lines(), c.lines);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(link->written, std::vector<vx::Bytes>(c.portRefused ? 0 : 1, {0x02, 0x01, 0x00, 0x00, 0x03, 0x03}));
    EXPECT_FALSE(link->IsOpen());
    EXPECT_FALSE(window->State().BusyFlag);
    // The time-out is counted in ticks of the real timer.
    if (!c.answer && !c.portRefused) {
      EXPECT_GE(clock.elapsed(), 400);
    }
  }
}

TEST_F(WindowTest, ClearWorksDuringAWait) {
  Start();
  window->LogLine("earlier line");
  ClickLater(100, 11);
  Button(12)->click();
  EXPECT_EQ(Lines(), QStringList{"System Link Fail"});
  EXPECT_EQ(List()->currentRow(), 0);
}

TEST_F(WindowTest, EditsDuringAWaitAreNeitherCheckedNorRecorded) {
  Start();
  QTimer::singleShot(100, window.get(), [this] {
    Type(19, "a");
    Button(12)->click();  // a second click finds the window busy
  });
  Button(12)->click();
  // Undone: the box shows what the next write sends.
  EXPECT_EQ(Box(19)->text(), "1");
  EXPECT_EQ(Recorded(19), "1");
  EXPECT_EQ(link->written.size(), 1u);
  EXPECT_EQ(Lines(), QStringList{"System Link Fail"});
}

// That the wait is cut short, the link closed and nothing told is the core's
// (WindowCore.ClosingDuringAWaitWaitsForTheHandler); here, the window's close
// reaches the core while the handler waits, and the window goes once the
// handler has returned.
TEST_F(WindowTest, ClosingDuringAWaitEndsTheWaitThenTheWindow) {
  Start();
  link->RefuseOpen(false);
  QTimer::singleShot(50, window.get(), [this] { window->close(); });
  Button(12)->click();
  EXPECT_TRUE(window->Closing());
  EXPECT_TRUE(window->isVisible());  // closes once the handler is off the stack
  QTest::qWait(20);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(messages.empty());
}

// Every kind of card button, clicked in the real window against a card in the
// field behind a fake link: the bindings of the tab table reach the right boxes.
TEST_F(WindowTest, CardButtonsWriteReadAndBrowse) {
  Start();
  vx::test::CardInFieldDevice device;
  device.Attach(*link);
  QTimer deviceClock;  // the fake device answers on ticks of its own
  QObject::connect(&deviceClock, &QTimer::timeout, [this] { link->Tick(); });
  deviceClock.start(10);

  Box(3)->clear();
  Type(3, "18");
  Box(4)->clear();
  Type(4, "300");
  Button(4)->click();  // Write Card, HID  WG26
  EXPECT_EQ(Lines(), (QStringList{"18,300", "Write AND Read Block Success"}));
  EXPECT_EQ(Box(4)->text(), "301");
  Box(3)->clear();
  Button(3)->click();  // Read Card, HID  WG26
  EXPECT_EQ(Lines().last(), "18,300");
  EXPECT_EQ(Box(3)->text(), "18");

  List()->clear();
  Button(20)->click();  // Write Card, EM4100
  Button(21)->click();  // Read Card, EM4100
  EXPECT_EQ(Lines(), (QStringList{"1,1", "Write AND Read Block Success", "1,1"}));
  EXPECT_EQ(Box(17)->text(), "1");  // the read shows the card, not the next number

  const QString cards = dir_.filePath("cards.txt");
  QFile file(cards);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("5,100\n5,101\n");
  file.close();
  window->cardFileChooser = [path = cards.toStdString()] { return std::optional<std::string>(path); };
  Child<QCheckBox>("Check1")->click();
  EXPECT_TRUE(Child<QGroupBox>("Frame9")->isVisible());
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  Button(2)->click();  // Browse
  EXPECT_EQ(Child<QLineEdit>("Text2")->text(), cards);
  EXPECT_EQ(Box(3)->text(), "5");
  EXPECT_EQ(Box(4)->text(), "100");
  List()->clear();
  Button(4)->click();
  EXPECT_EQ(Lines(), (QStringList{"5,100", "Write AND Read Block Success"}));
  EXPECT_EQ(Box(4)->text(), "101");
  EXPECT_EQ(Child<QLabel>("BatchProgress")->text(), "Next card: 2 of 2");
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(link->IsOpen());
  EXPECT_FALSE(window->State().BusyFlag);
}

// A long banner wraps onto more lines; the window makes room for it rather
// than squeezing the tab's number boxes out of the operator's sight, with the
// database frame shown too.
TEST_F(WindowTest, ALongBannerLeavesTheNumberBoxesWhole) {
  const std::string serverReason =
      "✘ The shared record cannot be reached: db1: connection to server at \"db1\" (10.0.0.7), port 5432 failed: "
      "Connection refused Is the server running on that host and accepting TCP/IP connections?. Nothing was written.";
  struct Case {
    const char* name;
    std::string text;
    bool databaseFrame;
  };
  const Case cases[] = {
      {"one line", "✔ Written and verified: 12,1000", false},
      {"a server's reason", serverReason, false},
      {"with the database frame", serverReason, true},
      {"twice as long", serverReason + " " + serverReason, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Start();
    Child<QCheckBox>("Check1")->setChecked(c.databaseFrame);
    Child<QTabWidget>("SSTab1")->setCurrentIndex(0);  // the tab of Text3 and Text4
    window->ShowResult({c.text, vx::BannerTone::Bad});
    QApplication::processEvents();
    for (int box : {3, 4}) {
      QLineEdit* edit = Box(box);
      EXPECT_GE(edit->height(), edit->minimumSizeHint().height()) << "Text" << box;
      const QRect inWindow(edit->mapTo(window.get(), QPoint(0, 0)), edit->size());
      EXPECT_TRUE(window->rect().contains(inWindow)) << "Text" << box;
    }
    QLabel* banner = Child<QLabel>("ResultBanner");
    EXPECT_GE(banner->height(), banner->heightForWidth(banner->width()));
  }
}

// Texts from outside the program (another station's name, a path, a
// server's reason) are shown as they are, never as markup: every place such a
// text can appear shows it plain, with exactly the text given.
TEST_F(WindowTest, TextsFromOutsideAreShownAsTheyAre) {
  const std::string hostile[] = {
      "\u2718 Not written: 12,1000 is being written at station <span style=\"font-size:40pt;color:#00a000\">"
      "\u2714 Written and verified: 18,300</span>",
      "Shared record: cards on db1, station <img src=\"file:///etc/hostname\"><a href=\"x\">DESK-2</a>",
      "<qt>station &lt;b&gt; &amp; R&D</qt>",
      "/home/op/<b>cards</b> & more.csv",
  };
  struct Shown {
    Qt::TextFormat format = Qt::AutoText;
    QString text;
  };
  // The message box and the question as the operator gets them, read while open.
  const auto whileOpen = [](Shown& shown, QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [&shown, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      shown = {box->textFormat(), box->text()};
      box->done(answer);
    });
  };
  struct Door {
    const char* name;
    std::function<Shown(const std::string&)> show;
  };
  const Door doors[] = {
      {"the result banner",
       [this](const std::string& text) {
         window->ShowResult({text, vx::BannerTone::Bad});
         QLabel* label = Child<QLabel>("ResultBanner");
         return Shown{label->textFormat(), label->text()};
       }},
      {"the shared record's line",
       [this](const std::string& text) {
         window->ShowSharedRecordLine(text);
         QLabel* label = Child<QLabel>("SharedRecordLine");
         return Shown{label->textFormat(), label->text()};
       }},
      {"the record's path",
       [this](const std::string& text) {
         window->SetKeepRecord(true, text);
         QLabel* label = Child<QLabel>("RecordPath");
         QTextDocument tip;
         tip.setHtml(label->toolTip());
         EXPECT_EQ(tip.toPlainText(), QString::fromStdString(text));
         // A long path is shortened in the middle on screen; whole in the label's name.
         return Shown{label->textFormat(), label->accessibleName()};
       }},
      {"a message",
       [this, whileOpen](const std::string& text) {
         Shown shown;
         whileOpen(shown, QMessageBox::Ok);
         window->ShowMessage(text);
         return shown;
       }},
      {"a question",
       [this, whileOpen](const std::string& text) {
         Shown shown;
         whileOpen(shown, QMessageBox::No);
         window->AskYesNo(text, vx::Answer::Yes);
         return shown;
       }},
  };
  Start();
  window->messageShower = nullptr;  // the real boxes
  for (const Door& door : doors) {
    for (const std::string& text : hostile) {
      SCOPED_TRACE(std::string(door.name) + ": " + text);
      const Shown shown = door.show(text);
      EXPECT_EQ(shown.format, Qt::PlainText);
      EXPECT_EQ(shown.text, QString::fromStdString(text));
    }
  }
}

}  // namespace
