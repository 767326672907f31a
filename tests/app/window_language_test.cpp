// The window in each language it ships in, one table: started as the program
// starts it, every caption fits its control and no control lies over another;
// the banner speaks the operator's language while the record stays English.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/qt_translations.h"
#include "app/tesselmain.h"
#include "app/window_controls.h"
#include "platform/text_file.h"
#include "i18n/embedded_catalogues.h"
#include "i18n/use_language.h"
#include "operations/outcome_views.h"
#include "record/record_line.h"
#include "support/card_device.h"
#include "support/fake_link.h"

namespace {

using vx::test::FakeLink;

// HID36 and HID40 are left out, so their tabs show the missing-format note.
const char* const kConfigWithoutTwo =
    "HID24 WW=06 XX=16 YY=00 ZZ=00\n"
    "HID26 WW=08 XX=16 YY=02 ZZ=10\n"
    "HID32 WW=14 XX=16 YY=00 ZZ=00\n"
    "HID34 WW=16 XX=16 YY=00 ZZ=00\n"
    "HID35 WW=12 XX=20 YY=00 ZZ=00\n"
    "HID37 WW=16 XX=19 YY=00 ZZ=00\n";

// Only LANG set, as on a desktop that sets nothing else; the locale
// variables as they were put back afterwards.
class OnlyLang {
 public:
  explicit OnlyLang(const char* lang) {
    for (const char* name : kNames) {
      saved_.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
      qunsetenv(name);
    }
    qputenv("LANG", lang);
  }
  ~OnlyLang() {
    for (std::size_t i = 0; i < std::size(kNames); ++i)
      if (saved_[i]) qputenv(kNames[i], *saved_[i]); else qunsetenv(kNames[i]);
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::optional<QByteArray>> saved_;
};

// The text a control shows, without the '&' that marks its shortcut key.
QString Shown(QString text) {
  text.replace("&&", QString(QChar(0x1)));
  text.remove('&');
  text.replace(QChar(0x1), "&");
  return text;
}

int Width(const QWidget* widget, const QString& text) { return widget->fontMetrics().horizontalAdvance(Shown(text)); }

// Where each kind of control draws its caption, as its style lays it out.
QRect CaptionRect(const QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const bool check = qobject_cast<const QCheckBox*>(button) != nullptr;
  return button->style()->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents,
                                         &option, button);
}
QRect CaptionRect(const QLabel* label) {
  const int margin = label->margin();
  return label->contentsRect().adjusted(margin, margin, -margin, -margin);
}
QRect CaptionRect(const QTabBar* bar, int tab) {
  QStyleOptionTab option;
  option.initFrom(bar);
  option.rect = bar->tabRect(tab);
  option.text = bar->tabText(tab);
  option.shape = bar->shape();
  return bar->style()->subElementRect(QStyle::SE_TabBarTabText, &option, bar);
}

// Controls whose children are their own parts (a combo box's button, a
// list's scroll bars), not controls of the window laid out beside each other.
bool HasParts(const QWidget* widget) {
  return qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractScrollArea*>(widget) ||
         qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTabBar*>(widget);
}

std::string Name(const QWidget* widget) {
  const QString name = widget->objectName();
  return (name.isEmpty() ? QString(widget->metaObject()->className()) : name).toStdString();
}

// Every caption of the visible controls that does not fit where it is drawn.
std::vector<std::string> CutCaptions(QWidget* window) {
  std::vector<std::string> cut;
  const auto check = [&cut](const QWidget* widget, const QString& text, int width, const QRect& room) {
    if (!text.isEmpty() && width > room.width())
      cut.push_back(Name(widget) + " \"" + text.toStdString() + "\": " + std::to_string(width) + " > " +
                    std::to_string(room.width()));
  };
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
      check(button, button->text(), Width(button, button->text()), CaptionRect(button));
    } else if (const auto* label = qobject_cast<QLabel*>(widget)) {
      // A label that wraps needs room for its longest word; the others for all of it.
      const QStringList words = label->wordWrap() ? label->text().split(' ', Qt::SkipEmptyParts)
                                                  : QStringList{label->text()};
      for (const QString& word : words) check(label, word, Width(label, word), CaptionRect(label));
    } else if (const auto* box = qobject_cast<QGroupBox*>(widget)) {
      QStyleOptionGroupBox option;
      option.initFrom(box);
      option.text = box->title();
      option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
      const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
      check(box, box->title(), Width(box, box->title()), title.intersected(box->rect()));
    } else if (const auto* bar = qobject_cast<QTabBar*>(widget)) {
      for (int tab = 0; tab < bar->count(); ++tab)
        check(bar, bar->tabText(tab), Width(bar, bar->tabText(tab)), CaptionRect(bar, tab));
    }
  }
  return cut;
}

// Every pair of visible controls with one parent that lie over each other.
std::vector<std::string> Overlaps(QWidget* window) {
  std::vector<std::string> overlaps;
  std::vector<QWidget*> parents{window};
  for (QWidget* widget : window->findChildren<QWidget*>())
    if (widget->isVisible() && !HasParts(widget)) parents.push_back(widget);
  for (QWidget* parent : parents) {
    std::vector<QWidget*> shown;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (child->isVisible() && !child->isWindow()) shown.push_back(child);
    for (std::size_t i = 0; i < shown.size(); ++i)
      for (std::size_t j = i + 1; j < shown.size(); ++j)
        if (shown[i]->geometry().intersects(shown[j]->geometry()))
          overlaps.push_back(Name(shown[i]) + " / " + Name(shown[j]));
  }
  return overlaps;
}

class WindowLanguageTest : public ::testing::Test, public WindowControls {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QFile config(dir_.filePath("HID.cfg"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(kConfigWithoutTwo);
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir_);
    vx::UseLanguage("en");
    UseQtTranslations("en");
  }
  QWidget* Window() override { return window.get(); }

  // The language as the program chooses it from its arguments and the
  // environment, then the window in it.
  std::string StartIn(const std::vector<std::string>& arguments) {
    const std::string language = vx::UseLanguage(vx::LanguageArgument(arguments));
    UseQtTranslations(language);
    auto owned = std::make_unique<FakeLink>();
    link = owned.get();
    window = std::make_unique<Tesselmain>(std::move(owned));
    window->portLister = [] { return std::vector<vx::SerialPortInfo>(); };
    window->messageShower = [this](const std::string& text) { messages.push_back(text); };
    const auto fault = window->Startup();
    EXPECT_FALSE(fault.has_value()) << fault->Message();
    window->show();
    QApplication::processEvents();
    return language;
  }
  QString Path(const char* name) { return dir_.filePath(name); }

  // Write Card against a card on the reader with Keep Record on: the banner and
  // what screen readers hear of it are in the operator's language, the record
  // file keeps its English words for the scripts and spreadsheets that read it.
  void WriteCardAndCheckRecord(const std::string& language) {
    vx::test::CardInFieldDevice device;
    device.Attach(*link);
    QTimer deviceClock;  // the fake device answers on ticks of its own
    QObject::connect(&deviceClock, &QTimer::timeout, [this] { link->Tick(); });
    deviceClock.start(10);
    const QString record = Path((language + ".csv").c_str());
    window->recordFileChooser = [record] { return std::optional<std::string>(record.toStdString()); };
    Child<QCheckBox>("KeepRecord")->click();
    Button(10)->click();  // Write Card, HID WG24: the card takes 1,1
    vx::CardOutcome written;
    written.verdict = vx::CardVerdict::Written;
    written.sent = vx::CardNumbers{1, 1};
    auto* shown = Child<QLabel>("ResultBanner");
    EXPECT_EQ(shown->text().toStdString(), vx::BannerOf(written, {}).text);
    EXPECT_EQ(shown->accessibleName(), shown->text());
    EXPECT_EQ(Lines().first(), "1,1");
    const std::string text = vx::ReadWholeFile(record.toStdString()).value_or("");
    EXPECT_TRUE(text.starts_with(vx::kRecordHeader)) << text;
    const auto lines = vx::ParseRecordText(text);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].outcome, vx::kWrittenOutcome);
    EXPECT_EQ(lines[0].tab, "HID WG24");
    EXPECT_EQ(lines[0].source, vx::kTypedSource);
    EXPECT_TRUE(messages.empty());
  }

  QTemporaryDir dir_;
  QString previousDir_;
  FakeLink* link = nullptr;
  std::unique_ptr<Tesselmain> window;
  std::vector<std::string> messages;
};

TEST_F(WindowLanguageTest, EveryCaptionFitsInEveryLanguage) {
  struct Case {
    std::vector<std::string> arguments;
    const char* lang;      // LANG, nothing else set; nullptr for none
    const char* language;  // the catalogue chosen
    const char* writeCard;  // the caption of Write Card in it
    bool writes = false;    // a card written, with Keep Record on
  };
  const std::vector<Case> cases = {
      {{"--language", "en"}, nullptr, "en", "Write Card"},
      {{"--language", "de"}, nullptr, "de", "Karte schreiben", true},
      {{"--language", "fr"}, nullptr, "fr", "Écrire la carte"},
      {{"--language", "es"}, nullptr, "es", "Escribir tarjeta"},
      {{"--language", "pt_BR"}, nullptr, "pt_BR", "Gravar cartão"},
      {{"--language", "it"}, nullptr, "it", "Scrivi tessera"},
      {{"--language", "nl"}, nullptr, "nl", "Kaart schrijven"},
      {{"--language", "pl"}, nullptr, "pl", "Zapisz kartę"},
      {{"--language", "ru"}, nullptr, "ru", "Записать карту"},
      {{"--language", "tr"}, nullptr, "tr", "Kartı yaz"},
      {{"--language", "zh_CN"}, nullptr, "zh_CN", "写卡", true},
      // Started from the desktop menu: no option, the session's locale.
      {{}, "de_DE.UTF-8", "de", "Karte schreiben"},
  };
  std::set<std::string> covered;
  for (const Case& c : cases) covered.insert(c.language);
  for (const vx::EmbeddedCatalogue& catalogue : vx::EmbeddedCatalogues())
    EXPECT_TRUE(covered.contains(std::string(catalogue.language))) << catalogue.language << " is not tried";

  for (const Case& c : cases) {
    const std::string row = (c.lang ? std::string("LANG=") + c.lang : c.arguments[1]);
    SCOPED_TRACE(row);
    std::optional<OnlyLang> environment;
    if (c.lang) environment.emplace(c.lang);
    EXPECT_EQ(StartIn(c.arguments), c.language);
    EXPECT_EQ(Button(10)->text().toStdString(), c.writeCard);  // HID WG24, in front at start-up
    EXPECT_EQ(Button(10)->accessibleName(), Button(10)->text());
    if (c.writes) WriteCardAndCheckRecord(c.language);
    // The card-number file's frame too, and every tab's page.
    Child<QCheckBox>("Check1")->click();
    ASSERT_TRUE(Child<QGroupBox>("Frame9")->isVisible());
    auto* tabs = Child<QTabWidget>("SSTab1");
    for (int tab = 0; tab < tabs->count(); ++tab) {
      tabs->setCurrentIndex(tab);
      QApplication::processEvents();
      SCOPED_TRACE(tabs->tabText(tab).toStdString());
      EXPECT_EQ(CutCaptions(window.get()), std::vector<std::string>());
      EXPECT_EQ(Overlaps(window.get()), std::vector<std::string>());
    }
    window.reset();
  }
}

}  // namespace
