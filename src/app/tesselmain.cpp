#include "app/tesselmain.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
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
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/length_limit.h"
#include "app/port_combo.h"
#include "app/export_layout_dialog.h"
#include "app/printed_number_dialog.h"
#include "operations/printed_check.h"
#include "app/shared_record_dialog.h"
#include "i18n/translate.h"

namespace {

// The product's name, the same in every language.
const char* const kCaption = "VANDORIX PROGRAMMER";
constexpr int kRecordPathWidth = 360;  // pixels

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A label or box shows its text as it is. Left to itself, Qt takes a text
// that looks like markup for rich text, so a station's name, a path or a
// server's reason from another station could draw a large green "Written"
// of its own in this window.
QLabel* PlainLabel(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// The standard buttons of the program's own message boxes and dialogs, in the
// operator's language whether or not Qt has a catalogue of its own for it.
void NameStandardButtons(QMessageBox& box) {
  if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText(Q(vx::TrCtx("button", "&Yes")));
  if (QAbstractButton* no = box.button(QMessageBox::No)) no->setText(Q(vx::TrCtx("button", "&No")));
  if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setText(Q(vx::TrCtx("button", "OK")));
}

}  // namespace

Tesselmain::Tesselmain(std::unique_ptr<vx::SerialLink> link, QWidget* parent)
    : QWidget(parent), link_(std::move(link)), core_(*this, *link_), wake_(this) {
  setObjectName("Tesselmain");
  core_.listPorts = [this] { return portLister ? portLister() : vx::ListSerialPorts(); };
  setWindowTitle(kCaption);

  auto* portFrame = new QGroupBox(Q(vx::CaptionOf(vx::Control::ComPort)));
  auto* portCombo = new PortCombo;
  // Read again as it drops down: a reader plugged in since is offered, one
  // pulled out is gone.
  portCombo->beforeDropDown = [this] { core_.PortListDropping(); };
  combo1_ = portCombo;
  combo1_->setObjectName("Combo1");
  combo1_->setEditable(true);
  // A typed name stays typed text; Enter must not add it to the list.
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  combo1_->setAccessibleName(Q(vx::AccessibleNameOf(vx::Control::ComPort)));
  combo1_->setMinimumContentsLength(12);
  deviceNote_ = PlainLabel("DeviceNote");
  deviceNote_->hide();
  auto* portLayout = new QHBoxLayout(portFrame);
  portLayout->addWidget(combo1_);
  portLayout->addWidget(deviceNote_);

  auto* systemFrame = new QGroupBox(Q(vx::CaptionOf(vx::Control::System)));
  auto* systemLayout = new QHBoxLayout(systemFrame);
  systemLayout->addWidget(AddButton(vx::kClearButton, vx::Control::Clear));
  systemLayout->addWidget(AddButton(vx::kLinkButton, vx::Control::Link));

  QCheckBox* check1 = AddCheckBox(vx::CheckBox::UseDatabase, "Check1", vx::Control::UseDatabase);
  QCheckBox* keepRecord = AddCheckBox(vx::CheckBox::KeepRecord, "KeepRecord", vx::Control::KeepRecord);
  recordPath_ = PlainLabel("RecordPath");
  recordPath_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // A long path must not widen the window: it is shortened in the middle, and
  // the tooltip shows it whole.
  recordPath_->setMaximumWidth(kRecordPathWidth);
  recordPath_->hide();
  // Off at start unless --shared-record connects it.
  QCheckBox* sharedRecord = AddCheckBox(vx::CheckBox::SharedRecord, "SharedRecord", vx::Control::SharedRecord);
  sharedRecordLine_ = PlainLabel("SharedRecordLine");
  sharedRecordLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  sharedRecordLine_->hide();
  // Off at start: the operator who wants to hear each card's outcome asks for it.
  QCheckBox* sound = AddCheckBox(vx::CheckBox::Sound, "Sound", vx::Control::Sound);

  // Off at start: with it off, the line carries only the write's own frames.
  QCheckBox* checkCardFirst = AddCheckBox(vx::CheckBox::CheckCardFirst, "CheckCardFirst", vx::Control::CheckCardFirst);
  // Off at start: with it off, nothing is asked before a write.
  QCheckBox* checkPrinted =
      AddCheckBox(vx::CheckBox::CheckPrintedNumber, "CheckPrintedNumber", vx::Control::CheckPrintedNumber);
  auto* offsetCaption = PlainLabel("PrintedOffsetCaption");
  offsetCaption->setText(Q(vx::CaptionOf(vx::Control::PrintedOffset)));
  auto* offsetBox = new QLineEdit;
  offsetBox->setObjectName(QString("Text%1").arg(vx::kPrintedOffsetBox));
  offsetBox->setAccessibleName(Q(vx::AccessibleNameOf(vx::Control::PrintedOffset)));
  offsetBox->setToolTip(Q(vx::ToolTipOf(vx::Control::PrintedOffset)));
  offsetBox->setMaximumWidth(offsetBox->fontMetrics().horizontalAdvance(QString(12, '0')));
  offsetCaption->setBuddy(offsetBox);
  limits_[vx::kPrintedOffsetBox] = new LengthLimit(offsetBox, static_cast<int>(vx::kPrintedOffsetDigits));
  boxes_[vx::kPrintedOffsetBox] = offsetBox;
  connect(offsetBox, &QLineEdit::textChanged, this, [this] { core_.BoxChanged(vx::kPrintedOffsetBox); });

  frame9_ = new QGroupBox(Q(vx::CaptionOf(vx::Control::DatabasePath)));
  frame9_->setObjectName("Frame9");
  text2_ = new QLineEdit;
  text2_->setObjectName("Text2");
  text2_->setAccessibleName(Q(vx::AccessibleNameOf(vx::Control::DatabasePath)));
  text2_->setReadOnly(true);
  batchProgress_ = PlainLabel("BatchProgress");
  auto* frame9Layout = new QGridLayout(frame9_);
  frame9Layout->addWidget(text2_, 0, 0);
  frame9Layout->addWidget(AddButton(vx::kBrowseButton, vx::Control::Browse), 0, 1);
  frame9Layout->addWidget(AddButton(vx::kExportButton, vx::Control::Export), 0, 2);
  frame9Layout->addWidget(AddButton(vx::kReportButton, vx::Control::Report), 0, 3);
  frame9Layout->addWidget(batchProgress_, 1, 0, 1, 4);
  frame9_->hide();

  list1_ = new QListWidget;
  list1_->setObjectName("List1");
  list1_->setAccessibleName(Q(vx::AccessibleNameOf(vx::Control::Messages)));
  // Every line is one text line: without this the list measures all its lines
  // on each append, and a long batch slows down as the list grows.
  list1_->setUniformItemSizes(true);

  // The last device operation's outcome, large enough to read from the cards.
  resultBanner_ = PlainLabel("ResultBanner");
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
  top->addWidget(check1);
  // The record boxes one above the other, each with what it says beside or under it.
  auto* keepRow = new QHBoxLayout;
  keepRow->addWidget(keepRecord);
  keepRow->addWidget(recordPath_, 1);
  auto* records = new QVBoxLayout;
  records->addLayout(keepRow);
  records->addWidget(sharedRecord);
  records->addWidget(sharedRecordLine_);
  top->addLayout(records, 1);
  top->addStretch();
  // The checks before a write one above the other, the offset beside its box.
  auto* printedRow = new QHBoxLayout;
  printedRow->addWidget(checkPrinted);
  printedRow->addWidget(offsetCaption);
  printedRow->addWidget(offsetBox);
  auto* checks = new QVBoxLayout;
  checks->addWidget(checkCardFirst);
  checks->addLayout(printedRow);
  top->addLayout(checks);
  top->addWidget(sound);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(frame9_);
  layout->addWidget(list1_, 1);
  // Identify concerns every tab, so it sits outside them, beside the answer it gives.
  auto* bannerRow = new QHBoxLayout;
  bannerRow->addWidget(resultBanner_, 1);
  bannerRow->addWidget(AddButton(vx::kIdentifyButton, vx::Control::IdentifyCard));
  layout->addLayout(bannerRow);
  layout->addWidget(sstab1_);

  BindFunctionKeys();

  // The wake-up of a wait: armed only while a handler waits, so an idle
  // window sleeps. PollCount itself follows the clock.
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
}

Tesselmain::~Tesselmain() {
  if (link_) link_->Close();
}

// Each control's caption, accessible name and tooltip come from its description.
QPushButton* Tesselmain::AddButton(int number, vx::Control control) {
  auto* button = new QPushButton(Q(vx::CaptionOf(control)));
  button->setObjectName(QString("Command%1").arg(number));
  button->setAccessibleName(Q(vx::AccessibleNameOf(control)));
  if (const std::string tip = vx::ToolTipOf(control); !tip.empty()) button->setToolTip(Q(tip));
  buttons_[number] = button;
  connect(button, &QPushButton::clicked, this, [this, number] { core_.ButtonClicked(number); });
  return button;
}

QCheckBox* Tesselmain::AddCheckBox(vx::CheckBox box, const char* name, vx::Control control) {
  auto* check = new QCheckBox(Q(vx::CaptionOf(control)));
  check->setObjectName(name);
  check->setAccessibleName(Q(vx::AccessibleNameOf(control)));
  if (const std::string tip = vx::ToolTipOf(control); !tip.empty()) check->setToolTip(Q(tip));
  checkBoxes_[box] = check;
  // Every change of state, not only clicks: the Space key, and an assistive
  // technology's Toggle action, which changes the box without clicking it.
  // The program's own settings of the box are made with signals blocked.
  connect(check, &QCheckBox::toggled, this, [this, box](bool ticked) { core_.CheckBoxChanged(box, ticked); });
  return check;
}

QGroupBox* Tesselmain::BuildEntryFrame(vx::Control control, int box, int maxLength) {
  auto* frame = new QGroupBox(Q(vx::CaptionOf(control)));
  auto* edit = new QLineEdit("1");
  edit->setObjectName(QString("Text%1").arg(box));
  edit->setAccessibleName(Q(vx::AccessibleNameOf(control)));
  limits_[box] = new LengthLimit(edit, maxLength);
  boxes_[box] = edit;
  (new QHBoxLayout(frame))->addWidget(edit);
  connect(edit, &QLineEdit::textChanged, this, [this, box] { core_.BoxChanged(box); });
  // Only the operator's own edits: text the program puts in is no edit to undo.
  connect(edit, &QLineEdit::textEdited, this, [this, box] { core_.BoxEdited(box); });
  return frame;
}

QWidget* Tesselmain::BuildTab(const vx::TabSpec& tab) {
  auto* page = new QWidget;
  page->setObjectName(QString("Tab%1").arg(tab.position));
  auto addLabel = [this](int number, const std::string& caption) {
    auto* label = new QLabel(Q(caption));
    label->setObjectName(QString("Label%1").arg(number));
    label->setTextFormat(Qt::PlainText);
    labels_[number] = label;
    return label;
  };
  auto* grid = new QGridLayout(page);
  grid->addWidget(BuildEntryFrame(vx::Control::FacilityCode, tab.fcBox, tab.fcMaxLength), 0, 0);
  grid->addWidget(addLabel(tab.fcLabel, tab.fcLabelCaption.str()), 0, 1);
  grid->addWidget(BuildEntryFrame(vx::Control::CardNumber, tab.cnBox, tab.cnMaxLength), 1, 0);
  grid->addWidget(addLabel(tab.cnLabel, tab.cnLabelCaption.str()), 1, 1);
  grid->addWidget(AddButton(tab.readButton, vx::Control::ReadCard), 0, 2);
  grid->addWidget(AddButton(tab.writeButton, vx::Control::WriteCard), 1, 2);
  // Shown at start-up when the format file lacks this tab's format.
  auto* note = new QLabel;
  note->setObjectName(QString("FormatNote%1").arg(tab.position));
  note->setTextFormat(Qt::PlainText);
  note->setWordWrap(true);
  note->setStyleSheet("color: #a00000; font-weight: bold;");
  note->hide();
  formatNotes_[tab.position] = note;
  grid->addWidget(note, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  return page;
}

void Tesselmain::BindFunctionKeys() {
  for (const auto& [key, number] : {std::pair{Qt::Key_F2, 2}, std::pair{Qt::Key_F3, 3}, std::pair{Qt::Key_F4, 4}}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, number = number] { core_.FunctionKey(number); });
  }
}

void Tesselmain::ShowPortEntries(const vx::PortEntryState& ports) {
  combo1_->clear();
  for (const std::string& entry : ports.entries) combo1_->addItem(Q(entry));
  combo1_->setCurrentIndex(ports.selected);
  if (ports.selected < 0) combo1_->setEditText(Q(ports.text));
}

void Tesselmain::SetLabelCaption(int label, const std::string& caption) {
  if (const auto it = labels_.find(label); it != labels_.end()) it->second->setText(Q(caption));
}

void Tesselmain::ShowFormatNote(int tabPosition, const std::string& text) {
  const auto it = formatNotes_.find(tabPosition);
  if (it == formatNotes_.end()) return;
  it->second->setText(Q(text));
  it->second->setAccessibleName(Q(text));
  it->second->setVisible(!text.empty());
}

void Tesselmain::ClearList() { list1_->clear(); }

void Tesselmain::SetCheckBox(vx::CheckBox box, bool ticked) {
  const auto it = checkBoxes_.find(box);
  if (it == checkBoxes_.end()) return;
  const QSignalBlocker quiet(it->second);
  it->second->setChecked(ticked);
}

void Tesselmain::CloseWindow() {
  // Called from inside a handler's event: the window goes once it has returned.
  QTimer::singleShot(0, this, &QWidget::close);
}

std::optional<std::string> Tesselmain::ChooseSharedRecord(const std::vector<std::string>& dataSources) {
  if (sharedRecordChooser) return sharedRecordChooser(dataSources);
  return AskForSharedRecord(this, dataSources);
}

void Tesselmain::ShowSharedRecordLine(const std::string& text) {
  sharedRecordLine_->setText(Q(text));
  sharedRecordLine_->setAccessibleName(Q(text));
  sharedRecordLine_->setVisible(!text.empty());
}

void Tesselmain::SetPortText(const std::string& text) { combo1_->setEditText(Q(text)); }

void Tesselmain::ShowDeviceNote(const std::string& text) {
  deviceNote_->setText(Q(text));
  deviceNote_->setAccessibleName(Q(text));
  deviceNote_->setVisible(!text.empty());
}

void Tesselmain::closeEvent(QCloseEvent* event) {
  if (core_.CloseRequested())
    event->accept();
  else
    event->ignore();
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
  if (core_.Closing()) return;
  if (messageShower) {
    messageShower(text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, kCaption, Q(text), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  NameStandardButtons(box);
  box.exec();
}

bool Tesselmain::AskYesNo(const std::string& question, vx::Answer preset) {
  if (core_.Closing()) return false;
  if (questionAsker) return questionAsker(question);
  QMessageBox box(QMessageBox::Question, kCaption, Q(question), QMessageBox::Yes | QMessageBox::No, this);
  box.setTextFormat(Qt::PlainText);
  NameStandardButtons(box);
  box.setDefaultButton(preset == vx::Answer::No ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> Tesselmain::AskPrintedNumber(const std::string& prompt) {
  if (core_.Closing()) return std::nullopt;
  return AskForPrintedNumber(this, vx::CaptionOf(vx::Control::CheckPrintedNumber), prompt);
}

void Tesselmain::ShowResult(const vx::ResultBanner& banner) {
  const vx::Rgb shade = vx::BannerBackground(banner.tone);
  resultBanner_->setStyleSheet(QString("QLabel#ResultBanner { color: %1; background: %2; border-radius: 4px; }")
                                   .arg(QColor(vx::kBannerText.r, vx::kBannerText.g, vx::kBannerText.b).name(),
                                        QColor(shade.r, shade.g, shade.b).name()));
  resultBanner_->setText(Q(banner.text));
  KeepRoomForTheBanner();
  for (const std::chrono::milliseconds delay : core_.SoundCue(banner.tone)) {
    const auto beep = [this] {
      if (beeper)
        beeper();
      else
        QApplication::beep();
    };
    if (delay.count() == 0)
      beep();
    else
      QTimer::singleShot(delay, this, beep);
  }
  resultBanner_->setAccessibleName(Q(banner.text));
  // Screen readers hear the new outcome without moving the focus there.
  QAccessibleEvent event(resultBanner_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

// A long outcome (a server's reason, a batch's last words, a long language)
// wraps onto more lines. A window's minimum size does not follow the height a
// word-wrapped label needs at its width, so the layout would squeeze the tab's
// number boxes to nothing, out of the operator's sight. Held as the banner's
// minimum height, it makes the window grow instead.
void Tesselmain::KeepRoomForTheBanner() {
  const int needed = resultBanner_->heightForWidth(resultBanner_->width());
  if (needed > 0 && needed != resultBanner_->minimumHeight()) resultBanner_->setMinimumHeight(needed);
}

void Tesselmain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  KeepRoomForTheBanner();  // a narrower window wraps the banner onto more lines
}

bool Tesselmain::UseDatabaseTicked() { return checkBoxes_[vx::CheckBox::UseDatabase]->isChecked(); }

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
  SetCheckBox(vx::CheckBox::KeepRecord, ticked);
  recordPath_->setText(recordPath_->fontMetrics().elidedText(Q(path), Qt::ElideMiddle, kRecordPathWidth));
  recordPath_->setAccessibleName(Q(path));
  // A tooltip has no text format of its own: a path that Qt would take for
  // markup goes in as rich text that says exactly the plain path.
  const QString whole = Q(path);
  recordPath_->setToolTip(Qt::mightBeRichText(whole) ? Qt::convertFromPlainText(whole) : whole);
  recordPath_->setVisible(!path.empty());
}

std::optional<std::string> Tesselmain::ChooseRecordFile() {
  if (recordFileChooser) return recordFileChooser();
  // The documents folder may not exist (a fresh account): then the home folder,
  // rather than wherever the program happens to run.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QDir(folder).exists()) folder = QDir::homePath();
  const QDate today = QDate::currentDate();
  const QString name = Q(vx::DefaultRecordFileName(today.year(), today.month(), today.day()));
  // The record is appended to, never replaced: no question about overwriting.
  // TRANSLATORS: the title of the dialog that chooses the record file.
  const QString title = Q(vx::Tr("Card record"));
  // The patterns stay as they are; each description is the operator's.
  // TRANSLATORS: the kind of file offered by the record file's dialog.
  const QString filter = Q(vx::Tr("Card records")) + " (*.csv);;" + Q(vx::Tr("All files")) + " (*)";
  const QString path = QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(name), filter, nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

std::optional<vx::ExportChoice> Tesselmain::ChooseExportLayout() {
  if (exportLayoutChooser) return exportLayoutChooser();
  return AskForExportLayout(this, vx::CaptionOf(vx::Control::Export));
}

std::optional<std::string> Tesselmain::ChooseSaveFile(vx::SaveKind kind, const std::string& suggestedName) {
  if (saveFileChooser) return saveFileChooser(kind, suggestedName);
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QDir(folder).exists()) folder = QDir::homePath();
  const bool report = kind == vx::SaveKind::Report;
  const QString title = Q(vx::CaptionOf(report ? vx::Control::Report : vx::Control::Export));
  // The patterns stay as they are; each description is the operator's.
  // TRANSLATORS: the kinds of file offered by the save dialogs of an export and of a report.
  const QString offered = report ? Q(vx::Tr("Web pages")) + " (*.html)" : Q(vx::Tr("Import files")) + " (*.csv *.txt)";
  const QString filter = offered + ";;" + Q(vx::Tr("All files")) + " (*)";
  const QString path = QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(Q(suggestedName)), filter);
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

void Tesselmain::ShowTab(int position) { sstab1_->setCurrentIndex(position); }
