#include "app/tesselmain.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cctype>

#include "app/length_limit.h"
#include "app/port_combo.h"
#include "cardlist/card_feed.h"
#include "cardlist/database.h"
#include "core/missing_format.h"
#include "core/validators.h"
#include "em4100/em4100_operations.h"
#include "operations/card_operations.h"
#include "operations/write_guards.h"
#include "record/record_control.h"

namespace {

const char* const kCaption = "VANDORIX PROGRAMMER";
constexpr int kRecordPathWidth = 360;  // pixels

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

Tesselmain::Tesselmain(std::unique_ptr<vx::SerialLink> link, QWidget* parent)
    : QWidget(parent), link_(std::move(link)), wake_(this) {
  setObjectName("Tesselmain");
  setWindowTitle(kCaption);

  auto* portFrame = new QGroupBox("Com Port");
  auto* portCombo = new PortCombo;
  // The operator's choice stays selected while its port is there.
  portCombo->beforeDropDown = [this] { ShowPortEntries(vx::RefreshPortEntries(SerialPorts(), ComPortChoice())); };
  combo1_ = portCombo;
  combo1_->setObjectName("Combo1");
  combo1_->setEditable(true);
  // A typed name stays typed text; Enter must not add it to the list.
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  combo1_->setAccessibleName("Com Port");
  combo1_->setMinimumContentsLength(12);
  deviceNote_ = new QLabel;
  deviceNote_->setObjectName("DeviceNote");
  deviceNote_->hide();
  auto* portLayout = new QHBoxLayout(portFrame);
  portLayout->addWidget(combo1_);
  portLayout->addWidget(deviceNote_);

  auto* systemFrame = new QGroupBox("System");
  auto* systemLayout = new QHBoxLayout(systemFrame);
  for (const auto& [number, caption] : {std::pair{11, "Clear"}, std::pair{12, "Link"}}) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString("Command%1").arg(number));
    button->setAccessibleName(caption);
    buttons_[number] = button;
    systemLayout->addWidget(button);
  }

  check1_ = new QCheckBox("Use Database");
  check1_->setObjectName("Check1");
  check1_->setAccessibleName("Use Database");

  keepRecord_ = new QCheckBox("Keep Record");
  keepRecord_->setObjectName("KeepRecord");
  keepRecord_->setAccessibleName("Keep Record");
  keepRecord_->setToolTip("Append every card written or read to a record file (CSV)");
  recordPath_ = new QLabel;
  recordPath_->setObjectName("RecordPath");
  recordPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long path must not widen the window: it is shortened in the middle, and
  // the tooltip shows it whole.
  recordPath_->setMaximumWidth(kRecordPathWidth);
  recordPath_->hide();

  // Off at start: the operator who wants to hear each card's outcome asks for it.
  sound_ = new QCheckBox("Sound");
  sound_->setObjectName("Sound");
  sound_->setAccessibleName("Sound");
  sound_->setToolTip("Beep once after a good card, three times after a failure");

  // Off at start: with it off, the line carries only the write's own frames.
  checkCardFirst_ = new QCheckBox("Check Card First");
  checkCardFirst_->setObjectName("CheckCardFirst");
  checkCardFirst_->setAccessibleName("Check Card First");
  checkCardFirst_->setToolTip("Read the card on the reader before writing, so a card just written is not written over");

  frame9_ = new QGroupBox("Database Path ...");
  frame9_->setObjectName("Frame9");
  text2_ = new QLineEdit;
  text2_->setObjectName("Text2");
  text2_->setAccessibleName("Database Path");
  text2_->setReadOnly(true);
  auto* browse = new QPushButton("Browse");
  browse->setObjectName("Command2");
  browse->setAccessibleName("Browse");
  buttons_[2] = browse;
  batchProgress_ = new QLabel;
  batchProgress_->setObjectName("BatchProgress");
  auto* frame9Layout = new QGridLayout(frame9_);
  frame9Layout->addWidget(text2_, 0, 0);
  frame9Layout->addWidget(browse, 0, 1);
  frame9Layout->addWidget(batchProgress_, 1, 0, 1, 2);
  frame9_->hide();

  list1_ = new QListWidget;
  list1_->setObjectName("List1");
  list1_->setAccessibleName("Messages");
  // Every line is one text line: without this the list measures all its lines
  // on each append, and a long batch slows down as the list grows.
  list1_->setUniformItemSizes(true);

  // The last device operation's outcome, large enough to read from the cards.
  resultBanner_ = new QLabel;
  resultBanner_->setObjectName("ResultBanner");
  resultBanner_->setWordWrap(true);
  resultBanner_->setMargin(8);
  QFont bannerFont = resultBanner_->font();
  bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.8);
  bannerFont.setBold(true);
  resultBanner_->setFont(bannerFont);

  sstab1_ = new QTabWidget;
  sstab1_->setObjectName("SSTab1");
  for (const vx::TabSpec& tab : vx::kTabs) sstab1_->addTab(BuildTab(tab), Q(tab.caption));
  // All nine tabs stay in view rather than behind scroll arrows.
  sstab1_->setUsesScrollButtons(false);
  sstab1_->setCurrentIndex(vx::kStartTab);

  auto* top = new QHBoxLayout;
  top->addWidget(portFrame);
  top->addWidget(systemFrame);
  top->addWidget(check1_);
  top->addWidget(keepRecord_);
  top->addWidget(recordPath_, 1);
  top->addStretch();
  top->addWidget(checkCardFirst_);
  top->addWidget(sound_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(frame9_);
  layout->addWidget(list1_, 1);
  layout->addWidget(resultBanner_);
  layout->addWidget(sstab1_);

  connect(buttons_[11], &QPushButton::clicked, list1_, &QListWidget::clear);
  connect(buttons_[12], &QPushButton::clicked, this, [this] {
    RunHandler([this] {
      vx::Device dev = MakeDevice();
      vx::Command12_Click(dev);
    });
  });
  connect(check1_, &QCheckBox::clicked, this, [this] { vx::Check1_Click(state_, *this); });
  connect(browse, &QPushButton::clicked, this, [this] { RunHandler([this] { vx::Command2_Click(state_, *this); }); });
  connect(keepRecord_, &QCheckBox::clicked, this,
          [this](bool ticked) { RunHandler([this, ticked] { vx::KeepRecord_Click(state_, *this, ticked); }); });
  connect(checkCardFirst_, &QCheckBox::clicked, this,
          [this](bool ticked) { vx::CheckCardFirst_Click(state_, ticked); });
  for (const vx::TabSpec& tab : vx::kTabs) BindTab(tab);
  BindFunctionKeys();
  ShowResult({"No card written or read yet", vx::BannerTone::Neutral});
  // The batch line says from the start that no card list is loaded yet.
  vx::ReportBatchProgress(state_.cards, *this);

  // The wake-up of a wait: armed only while a handler waits, so an idle
  // window sleeps. PollCount itself follows the clock.
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
}

Tesselmain::~Tesselmain() {
  if (link_) link_->Close();
}

QGroupBox* Tesselmain::BuildEntryFrame(const QString& caption, int box, int maxLength) {
  auto* frame = new QGroupBox(caption);
  auto* edit = new QLineEdit("1");
  edit->setObjectName(QString("Text%1").arg(box));
  edit->setAccessibleName(caption);
  limits_[box] = new LengthLimit(edit, maxLength);
  boxes_[box] = edit;
  (new QHBoxLayout(frame))->addWidget(edit);
  return frame;
}

QWidget* Tesselmain::BuildTab(const vx::TabSpec& tab) {
  auto* page = new QWidget;
  page->setObjectName(QString("Tab%1").arg(tab.position));
  auto addLabel = [this](int number, std::string_view caption) {
    auto* label = new QLabel(Q(caption));
    label->setObjectName(QString("Label%1").arg(number));
    labels_[number] = label;
    return label;
  };
  auto addButton = [this](int number, const char* caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString("Command%1").arg(number));
    button->setAccessibleName(caption);
    buttons_[number] = button;
    return button;
  };
  auto* grid = new QGridLayout(page);
  grid->addWidget(BuildEntryFrame("Facility Code", tab.fcBox, tab.fcMaxLength), 0, 0);
  grid->addWidget(addLabel(tab.fcLabel, tab.fcLabelCaption), 0, 1);
  grid->addWidget(BuildEntryFrame("Card Number", tab.cnBox, tab.cnMaxLength), 1, 0);
  grid->addWidget(addLabel(tab.cnLabel, tab.cnLabelCaption), 1, 1);
  grid->addWidget(addButton(tab.readButton, "Read Card"), 0, 2);
  grid->addWidget(addButton(tab.writeButton, "Write Card"), 1, 2);
  buttons_[tab.readButton]->setToolTip("Read the card on the reader/writer (F3)");
  buttons_[tab.writeButton]->setToolTip("Write the card, read it back and verify it (F2)");
  // Shown by Startup() when the format file lacks this tab's format.
  auto* note = new QLabel;
  note->setObjectName(QString("FormatNote%1").arg(tab.position));
  note->setWordWrap(true);
  note->setStyleSheet("color: #a00000; font-weight: bold;");
  note->hide();
  formatNotes_[tab.position] = note;
  grid->addWidget(note, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  return page;
}

void Tesselmain::BindTab(const vx::TabSpec& tab) {
  const vx::TabSpec* bound = &tab;
  // A device button runs the HID procedure with its tab, or the EM4100 one.
  const auto bindDevice = [this, bound](int button, void (*hid)(vx::Device&, const vx::TabSpec&),
                                        void (*em4100)(vx::Device&)) {
    connect(buttons_[button], &QPushButton::clicked, this, [this, bound, hid, em4100] {
      RunHandler([this, bound, hid, em4100] {
        vx::Device dev = MakeDevice();
        if (bound->kind == vx::TabKind::Hid)
          hid(dev, *bound);
        else
          em4100(dev);
      });
    });
  };
  bindDevice(tab.writeButton, &vx::WriteHidCard, &vx::Command20_Click);
  bindDevice(tab.readButton, &vx::ReadHidCard, &vx::Command21_Click);
  for (const auto& boxRole : {std::pair{tab.fcBox, vx::BoxRole::FacilityCode},
                              std::pair{tab.cnBox, vx::BoxRole::CardNumber}}) {
    const int box = boxRole.first;
    const vx::BoxRole role = boxRole.second;
    connect(boxes_[box], &QLineEdit::textChanged, this,
            [this, bound, role] { vx::ValidateBox(state_, *this, *bound, role); });
    // Only the operator's own edits: text the program puts in is no edit to undo.
    connect(boxes_[box], &QLineEdit::textEdited, this,
            [this, bound, role] { vx::UndoEditWhileBusy(state_, *this, *bound, role); });
  }
}

void Tesselmain::BindFunctionKeys() {
  // Wherever the focus is in the window, the keys click the buttons of the tab
  // in front: the same handlers, so a key pressed during a wait does nothing.
  const auto bindKey = [this](Qt::Key key, int vx::TabSpec::*button) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, button] {
      if (const vx::TabSpec* tab = vx::TabAt(FrontTab())) buttons_[tab->*button]->click();
    });
  };
  bindKey(Qt::Key_F2, &vx::TabSpec::writeButton);
  bindKey(Qt::Key_F3, &vx::TabSpec::readButton);
}

std::optional<vx::FormatFileError> Tesselmain::Startup(const std::string& formatFile) {
  ShowPortEntries({vx::PortEntries(SerialPorts()), 0, "1"});

  for (vx::FormatRow& row : state_.formats.rows) row.FcText = row.CnText = "1";

  const vx::FormatFileResult result = vx::ReadFormatFile(formatFile);
  if (result.error) return result.error;
  vx::ApplyFormatRows(result, state_.formats);
  // In file order, so a name listed twice shows the ranges of its last line.
  for (const vx::FormatRow& row : result.rows) {
    if (!vx::AppliesRangeCaptions(row.FormatName)) continue;
    const vx::TabSpec* tab = vx::TabOfFormat(UpperCase(row.FormatName));
    if (!tab) continue;
    labels_[tab->fcLabel]->setText(Q(vx::FcRangeCaption(row)));
    labels_[tab->cnLabel]->setText(Q(vx::CnRangeCaption(row)));
  }

  for (const vx::TabSpec* tab : vx::TabsLackingFormat(state_.formats)) {
    QLabel* note = formatNotes_[tab->position];
    const QString text = Q("\u26A0 " + vx::MissingFormatText(*tab, vx::kFormatFileName) + ".");
    note->setText(text);
    note->setAccessibleName(text);
    note->show();
  }

  state_.Em4100FcText = "1";
  state_.Em4100CnText = "1";
  state_.BusyFlag = false;
  return std::nullopt;
}

void Tesselmain::SetPortText(const std::string& text) { combo1_->setEditText(Q(text)); }

void Tesselmain::ShowDeviceNote(const std::string& text) {
  deviceNote_->setText(Q(text));
  deviceNote_->setAccessibleName(Q(text));
  deviceNote_->setVisible(!text.empty());
}

vx::Device Tesselmain::MakeDevice() {
  vx::Device device{state_, *this, *link_};
  device.listPorts = [this] { return SerialPorts(); };
  return device;
}

std::vector<vx::SerialPortInfo> Tesselmain::SerialPorts() const {
  return portLister ? portLister() : vx::ListSerialPorts();
}

void Tesselmain::ShowPortEntries(const vx::PortEntryState& ports) {
  combo1_->clear();
  for (const std::string& entry : ports.entries) combo1_->addItem(Q(entry));
  combo1_->setCurrentIndex(ports.selected);
  if (ports.selected < 0) combo1_->setEditText(Q(ports.text));
}

void Tesselmain::RunHandler(const std::function<void()>& handler) {
  handler();
  // Only the outermost handler lets the window go: one that merely found
  // BusyFlag set returns while the waiting one is still on the stack.
  if (closing_ && !state_.BusyFlag) QTimer::singleShot(0, this, &QWidget::close);
}

void Tesselmain::closeEvent(QCloseEvent* event) {
  closing_ = true;
  if (state_.BusyFlag) {
    // A handler is waiting on the stack and uses this window: let it end
    // first (Closing() cuts its wait short), then close for real.
    event->ignore();
    return;
  }
  link_->Close();
  event->accept();
}

void Tesselmain::ProcessEventsOnce() { QCoreApplication::processEvents(); }

void Tesselmain::WaitForEvents(std::chrono::milliseconds timeout) {
  // Received bytes wake the loop through the port's notifier; the timer ends
  // the sleep at the wait's deadline when nothing comes.
  wake_.start(timeout);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  wake_.stop();
}

void Tesselmain::LogLine(const std::string& text) {
  list1_->addItem(Q(text));
  SelectLastLine();
}

void Tesselmain::SelectLastLine() {
  if (list1_->count() > 0) list1_->setCurrentRow(list1_->count() - 1);
}

void Tesselmain::ShowMessage(const std::string& text) {
  if (closing_) return;
  if (messageShower) {
    messageShower(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, kCaption, Q(text), QMessageBox::Ok, this);
  box.exec();
}

bool Tesselmain::AskYesNo(const std::string& question, vx::Answer preset) {
  if (closing_) return false;
  if (questionAsker) return questionAsker(question);
  QMessageBox box(QMessageBox::Question, kCaption, Q(question), QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(preset == vx::Answer::No ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void Tesselmain::ShowResult(const vx::ResultBanner& banner) {
  // Colour only underlines the words and the symbol; white on a dark shade
  // keeps the contrast high for every tone.
  const char* background = banner.tone == vx::BannerTone::Good  ? "#1b5e20"
                           : banner.tone == vx::BannerTone::Bad ? "#b71c1c"
                                                                : "#37474f";
  resultBanner_->setStyleSheet(QString("QLabel#ResultBanner { color: white; background: %1; border-radius: 4px; }")
                                   .arg(background));
  resultBanner_->setText(Q(banner.text));
  SoundCue(banner.tone);
  resultBanner_->setAccessibleName(Q(banner.text));
  // Screen readers hear the new outcome without moving the focus there.
  QAccessibleEvent event(resultBanner_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void Tesselmain::SoundCue(vx::BannerTone tone) {
  if (!sound_->isChecked()) return;
  const auto beep = [this] {
    if (beeper)
      beeper();
    else
      QApplication::beep();
  };
  beep();
  if (tone != vx::BannerTone::Bad) return;
  // The failure's cue is longer, so it is told apart without looking.
  for (int i = 1; i <= 2; ++i) QTimer::singleShot(180 * i, this, beep);
}

bool Tesselmain::UseDatabaseTicked() { return check1_->isChecked(); }

void Tesselmain::SetDatabaseFrameVisible(bool visible) { frame9_->setVisible(visible); }

void Tesselmain::SetDatabasePath(const std::string& path) { text2_->setText(Q(path)); }

void Tesselmain::ShowBatchProgress(const std::string& text) { batchProgress_->setText(Q(text)); }

std::optional<std::string> Tesselmain::ChooseCardFile() {
  if (cardFileChooser) return cardFileChooser();
  // No title, filter or folder of the program's own: a filter would hide a card
  // file named, say, cards.dat.
  const QString path = QFileDialog::getOpenFileName(this);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

void Tesselmain::SetKeepRecord(bool ticked, const std::string& path) {
  keepRecord_->setChecked(ticked);
  recordPath_->setText(recordPath_->fontMetrics().elidedText(Q(path), Qt::ElideMiddle, kRecordPathWidth));
  recordPath_->setAccessibleName(Q(path));
  recordPath_->setToolTip(Q(path));
  recordPath_->setVisible(!path.empty());
}

std::optional<std::string> Tesselmain::ChooseRecordFile() {
  if (recordFileChooser) return recordFileChooser();
  // The documents folder may not exist (a fresh account): then the home folder,
  // rather than wherever the program happens to run.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QDir(folder).exists()) folder = QDir::homePath();
  const QString name = "cards-" + QDate::currentDate().toString("yyyy-MM-dd") + ".csv";
  // The record is appended to, never replaced: no question about overwriting.
  const QString path = QFileDialog::getSaveFileName(this, "Card record", QDir(folder).filePath(name),
                                                    "Card records (*.csv);;All files (*)", nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

std::string Tesselmain::BoxText(int box) {
  const auto it = boxes_.find(box);
  return it == boxes_.end() ? std::string() : it->second->text().toStdString();
}

void Tesselmain::SetBoxText(int box, const std::string& text) {
  const auto it = limits_.find(box);
  if (it != limits_.end()) it->second->SetTextWhole(Q(text));
}

vx::PortChoice Tesselmain::ComPortChoice() {
  vx::PortChoice choice;
  const int index = combo1_->currentIndex();
  const QString text = combo1_->currentText();
  choice.typedText = text.toStdString();
  // Text typed over the field leaves the index where it was; the entry is
  // only chosen when the field still shows it.
  choice.selectedIndex = index >= 0 && combo1_->itemText(index) == text ? index : -1;
  return choice;
}

int Tesselmain::FrontTab() { return sstab1_->currentIndex(); }
