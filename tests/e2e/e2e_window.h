#pragma once
// The real window on the real serial port, with the simulated reader/writer
// on the other side of a pseudo-terminal, driven by clicks and keystrokes.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/simulated_device_posix.h"
#include "app/tesselmain.h"
#include "app/window_controls.h"
#include "operations/tabs.h"
#include "sim/device_model.h"

namespace vx::e2e {

class EndToEndTest : public ::testing::Test, public WindowControls {
 protected:
  void TearDown() override {
    if (window) {
      // Whatever happened, the operation has let go of the port and the window.
      EXPECT_FALSE(window->Link().IsOpen());
      EXPECT_FALSE(window->State().BusyFlag);
    }
    window.reset();
  }

  // The window as the program starts it with the shipped HID.cfg, talking to
  // a simulated device with these options.
  void Start(sim::DeviceOptions device = {}) {
    LinkChoice link = MakePtySimulatedLink(device);
    ASSERT_TRUE(link.link) << link.error;
    StartWithLink(std::move(link.link));
  }
  // The window on the port `link` leads to; the plain Qt serial port opens
  // whatever Combo1 names.
  void StartWithLink(std::unique_ptr<SerialLink> link) {
    window = std::make_unique<Tesselmain>(std::move(link));
    window->messageShower = [this](const std::string& text) { messages.push_back(text); };
    window->cardFileChooser = [this] { return chosenFile; };
    const auto fault = window->Startup(VX_SOURCE_DIR "/config/HID.cfg");
    ASSERT_FALSE(fault.has_value()) << fault->Message();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void Start(sim::FaultSet faults) {
    sim::DeviceOptions device;
    device.faults = faults;
    Start(device);
  }

  QWidget* Window() override { return window.get(); }
  QTabWidget* Tabs() { return Child<QTabWidget>("SSTab1"); }

  // A click with the mouse, as the operator makes it; returns when the
  // handler has run to its end.
  void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
  void Click(int button) { Click(Button(button)); }

  // Brings the tab to the front and replaces the box's text by typing.
  void Type(const TabSpec& tab, int box, const QString& keys) {
    SelectTab(tab.position);
    QLineEdit* edit = Box(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
    EXPECT_EQ(edit->text(), keys) << "the box refused what was typed";
  }
  void SelectTab(int tab) {
    QTabBar* bar = Tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    EXPECT_EQ(Tabs()->currentIndex(), tab);
  }

  // The last line is the selected one, so the operator sees the outcome.
  bool LastLineSelected() {
    QListWidget* list = List();
    return list->count() == 0 || list->currentRow() == list->count() - 1;
  }

  // A card file in the test's own directory; its path.
  std::string WriteCardFile(const char* name, const char* text) {
    EXPECT_TRUE(dir.isValid());
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName().toStdString();
  }

  QTemporaryDir dir;
  std::unique_ptr<Tesselmain> window;
  std::vector<std::string> messages;
  std::optional<std::string> chosenFile;  // what Browse's dialog returns
};

inline const TabSpec& TabNamed(std::string_view caption) {
  for (const TabSpec& tab : kTabs)
    if (tab.caption == caption) return tab;
  ADD_FAILURE() << "no tab " << caption;
  return kTabs[0];
}

}  // namespace vx::e2e
