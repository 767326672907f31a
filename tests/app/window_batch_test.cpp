// The window's batch aids: "Keep Record" with its save dialog and resume
// question, the result banner, and the F2/F3 keys.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/tesselmain.h"
#include "app/window_controls.h"
#include "platform/text_file.h"
#include "record/record_line.h"
#include "support/card_device.h"
#include "support/fake_link.h"

namespace {

using vx::test::FakeLink;

class WindowBatchTest : public ::testing::Test, public WindowControls {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QFile config(dir_.filePath("HID.cfg"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("HID24 WW=06 XX=16 YY=00 ZZ=00\nHID26 WW=08 XX=16 YY=02 ZZ=10\n");
    config.close();
    auto owned = std::make_unique<FakeLink>();
    link = owned.get();
    window = std::make_unique<Tesselmain>(std::move(owned));
    window->messageShower = [this](const std::string& text) { messages.push_back(text); };
    window->questionAsker = [this](const std::string& question) {
      questions.push_back(question);
      return true;
    };
    ASSERT_FALSE(window->Startup().has_value());
    window->show();
    // Keys reach window shortcuts only in the active window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    device.Attach(*link);
    QObject::connect(&deviceClock_, &QTimer::timeout, [this] { link->Tick(); });
    deviceClock_.start(10);
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir_);
  }
  QWidget* Window() override { return window.get(); }
  QLabel* Banner() { return Child<QLabel>("ResultBanner"); }
  QCheckBox* KeepRecord() { return Child<QCheckBox>("KeepRecord"); }
  std::string Path(const char* name) { return dir_.filePath(name).toStdString(); }
  void WriteFile(const char* name, const std::string& text) {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  QTemporaryDir dir_;
  QString previousDir_;
  QTimer deviceClock_;  // the fake device answers on ticks of its own
  FakeLink* link = nullptr;
  vx::test::CardInFieldDevice device;
  std::unique_ptr<Tesselmain> window;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
};

TEST_F(WindowBatchTest, BannerShowsEachOutcomeInWordsAndToScreenReaders) {
  EXPECT_FALSE(KeepRecord()->isChecked());
  EXPECT_EQ(KeepRecord()->accessibleName(), "Keep Record");
  EXPECT_EQ(Banner()->text(), "No card written or read yet");

  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  Button(4)->click();  // Write Card, HID  WG26: the card takes 1,1
  EXPECT_EQ(Banner()->text(), "\u2714 Written and verified: 1,1");
  EXPECT_EQ(Banner()->accessibleName(), Banner()->text());
  EXPECT_NE(Banner()->styleSheet().indexOf("#1b5e20"), -1);

  device.faultOf = [](int) { return vx::test::CardFault::Silent; };
  Button(4)->click();
  EXPECT_EQ(Banner()->text(), "\u2718 Not written: no answer from the reader/writer");
  EXPECT_EQ(Banner()->accessibleName(), Banner()->text());
  EXPECT_NE(Banner()->styleSheet().indexOf("#b71c1c"), -1);
  EXPECT_EQ(Lines(), (QStringList{"1,1", "Write AND Read Block Success", "Write Block Data Fail"}));
}

// The sound cue is off at start; on, a failure sounds three times, a good card once.
TEST_F(WindowBatchTest, SoundCueTellsAFailureFromASuccess) {
  int beeps = 0;
  window->beeper = [&beeps] { ++beeps; };
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  Button(4)->click();
  QTest::qWait(500);
  EXPECT_EQ(beeps, 0);

  Child<QCheckBox>("Sound")->click();
  Button(4)->click();
  QTest::qWait(500);
  EXPECT_EQ(beeps, 1);
  device.faultOf = [](int) { return vx::test::CardFault::WrongReadBack; };
  Button(4)->click();
  QTest::qWait(500);
  EXPECT_EQ(beeps, 4);
}

// "Check Card First" is off at start; ticked, the card just written and left
// on the reader is refused on the next press, with nothing written.
TEST_F(WindowBatchTest, CheckCardFirstRefusesTheCardJustWritten) {
  QCheckBox* box = Child<QCheckBox>("CheckCardFirst");
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(box->text(), "Check Card First");
  EXPECT_EQ(box->accessibleName(), "Check Card First");
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  box->click();
  Button(4)->click();
  Button(4)->click();
  EXPECT_EQ(device.writeFrames, 1);
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "This card was just written as 1,1. Put the next card on the reader."}));
  EXPECT_EQ(Box(4)->text(), "2");
}

// F2 and F3 press the buttons of the tab in front wherever the focus is, and,
// like a click, do nothing while a device operation waits.
TEST_F(WindowBatchTest, FunctionKeysPressTheFrontTabsButtons) {
  Child<QTabWidget>("SSTab1")->setCurrentIndex(7);  // EM4100
  List()->setFocus();
  QTest::keyClick(List(), Qt::Key_F2);
  EXPECT_EQ(Lines(), (QStringList{"1,1", "Write AND Read Block Success"}));
  EXPECT_EQ(Box(17)->text(), "2");
  QTest::keyClick(Box(18), Qt::Key_F3);
  EXPECT_EQ(Lines().last(), "1,1");
  EXPECT_EQ(link->written.size(), 3u);
  EXPECT_EQ(Button(20)->toolTip().contains("F2"), true);
  EXPECT_EQ(Button(21)->toolTip().contains("F3"), true);

  // During a wait (Link, no answer): both keys find the window busy.
  link->SetDevice(nullptr);
  QTimer::singleShot(100, window.get(), [this] {
    QTest::keyClick(List(), Qt::Key_F2);
    QTest::keyClick(List(), Qt::Key_F3);
  });
  List()->clear();
  Button(12)->click();
  EXPECT_EQ(link->written.size(), 4u);  // the Link frame only
  EXPECT_EQ(Lines(), QStringList{"System Link Fail"});
}

// Ticking "Keep Record" chooses and starts the record; the writes go into it;
// Browse of a file begun earlier asks to continue; unticking stops it.
TEST_F(WindowBatchTest, KeepRecordRecordsAndResumes) {
  window->recordFileChooser = [] { return std::optional<std::string>(); };
  KeepRecord()->click();
  EXPECT_FALSE(KeepRecord()->isChecked());  // the dialog was cancelled

  const std::string record = Path("cards-2026-12-08.csv");
  window->recordFileChooser = [record] { return std::optional<std::string>(record); };
  KeepRecord()->click();
  EXPECT_TRUE(KeepRecord()->isChecked());
  EXPECT_EQ(Child<QLabel>("RecordPath")->toolTip().toStdString(), record);
  EXPECT_EQ(Child<QLabel>("RecordPath")->accessibleName().toStdString(), record);

  WriteFile("cards.txt", "5,100\n5,101\n5,102\n");
  window->cardFileChooser = [this] { return std::optional<std::string>(Path("cards.txt")); };
  Child<QCheckBox>("Check1")->click();
  Button(2)->click();  // Browse: nothing written from it yet, no question
  EXPECT_TRUE(questions.empty());
  Button(10)->click();  // Write Card, HID WG24 (in front at start-up)
  Button(10)->click();

  auto lines = vx::ParseRecordText(vx::ReadWholeFile(record).value_or(""));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].entry, 2);
  EXPECT_EQ(lines[1].outcome, "written");
  EXPECT_EQ(lines[1].tab, "HID WG24");

  Button(2)->click();  // Browse the same file again: continue with entry 3?
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_NE(questions[0].find("Entries 1 to 2 of this file are already written"), std::string::npos);
  EXPECT_EQ(Box(10)->text(), "102");
  EXPECT_EQ(Child<QLabel>("BatchProgress")->text(), "Next card: 3 of 3");

  KeepRecord()->click();  // off
  EXPECT_FALSE(Child<QLabel>("RecordPath")->isVisible());
  Button(10)->click();
  EXPECT_EQ(vx::ParseRecordText(vx::ReadWholeFile(record).value_or("")).size(), 2u);
  EXPECT_EQ(messages, std::vector<std::string>{" The Card is End!"});
}

}  // namespace

namespace {

// However a check box is changed — a click, the Space key, or an assistive
// technology's Toggle action, which changes the box without clicking it — the
// same handler runs, and the box never shows a state the program is not in.
TEST_F(WindowBatchTest, CheckBoxesRunTheirHandlerHoweverTheyChange) {
  enum class Door { Click, Space, Toggle };
  const auto change = [](QCheckBox* box, Door door) {
    switch (door) {
      case Door::Click: box->click(); break;
      case Door::Space:
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
        break;
      case Door::Toggle: {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(accessible, nullptr);
        ASSERT_NE(accessible->actionInterface(), nullptr);
        accessible->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        break;
      }
    }
  };
  for (const Door door : {Door::Click, Door::Space, Door::Toggle}) {
    SCOPED_TRACE(static_cast<int>(door));
    auto* frame = Child<QGroupBox>("Frame9");
    change(Child<QCheckBox>("Check1"), door);
    EXPECT_TRUE(frame->isVisible());
    change(Child<QCheckBox>("Check1"), door);
    EXPECT_FALSE(frame->isVisible());

    int asked = 0;
    const std::string record = Path("record.csv");
    window->recordFileChooser = [&]() -> std::optional<std::string> {
      ++asked;
      return asked == 1 ? std::nullopt : std::optional<std::string>(record);
    };
    change(KeepRecord(), door);  // the dialog cancelled: no record, the box unticked
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(KeepRecord()->isChecked());
    EXPECT_TRUE(window->State().recordPath.empty());
    change(KeepRecord(), door);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(KeepRecord()->isChecked());
    EXPECT_EQ(window->State().recordPath, record);
    change(KeepRecord(), door);
    EXPECT_FALSE(KeepRecord()->isChecked());
    EXPECT_TRUE(window->State().recordPath.empty());
  }
}

}  // namespace

namespace {

// "Check Printed Number", off at start, asks in an entry box of its own into
// which a keyboard-wedge scanner types the digits and Enter; the offset box
// beside it takes digits only.
TEST_F(WindowBatchTest, PrintedNumberEntryBoxTakesAScannersDigitsAndEnter) {
  struct Case {
    const char* name;
    QString offsetTyped;  // typed into the offset box first
    QString offsetShown;  // what the box then holds
    QString scanned;      // typed into the entry box
    Qt::Key end;          // the key that closes it
    int writes;           // write frames sent
    std::string banner;   // the banner of a card not written; empty: written
  };
  const Case cases[] = {
      {"digits and Enter", "", "", "1", Qt::Key_Return, 1, ""},
      {"Escape cancels", "", "", "1", Qt::Key_Escape, 0, "\u2718 Not written: no printed number was given"},
      {"another card", "", "", "2", Qt::Key_Return, 0,
       "\u2718 Not written: this card is printed 2, the next card is printed 1"},
      {"an offset, letters refused", "5x", "5", "6", Qt::Key_Return, 1, ""},
  };
  QCheckBox* box = Child<QCheckBox>("CheckPrintedNumber");
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(box->text(), "Check Printed Number");
  box->click();
  QLineEdit* offset = Box(vx::kPrintedOffsetBox);
  Child<QTabWidget>("SSTab1")->setCurrentIndex(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    offset->clear();
    QTest::keyClicks(offset, c.offsetTyped);
    EXPECT_EQ(offset->text(), c.offsetShown);
    Box(3)->setText("1");
    Box(4)->setText("1");
    device.writeFrames = 0;
    messages.clear();
    QString prompt;
    // The entry box is modal: it is answered from the event loop it runs.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      answer.stop();
      auto* field = dialog->findChild<QLineEdit*>("PrintedNumber");
      ASSERT_NE(field, nullptr);
      // The line takes the keys once the dialog is active: a scanner types straight into it.
      EXPECT_EQ(dialog->focusWidget(), field);
      prompt = dialog->findChild<QLabel*>()->text();
      QTest::keyClicks(field, c.scanned);
      QTest::keyClick(field, c.end);
    });
    answer.start(10);
    Button(4)->click();
    EXPECT_EQ(prompt, "Scan or type the number printed on the card in hand. It is to be written as 1,1.");
    EXPECT_EQ(device.writeFrames, c.writes);
    if (!c.banner.empty()) {
      EXPECT_EQ(Banner()->text().toStdString(), c.banner);
    }
  }
}

}  // namespace
