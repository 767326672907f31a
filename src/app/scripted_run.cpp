#include "app/scripted_run.h"

#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <iostream>

#include "app/tesselmain.h"

namespace vx {

namespace {

// Time for the window to be laid out and painted before and after the clicks.
constexpr int kSettleMs = 300;

bool Click(Tesselmain& window, const std::string& name) {
  auto* button = window.findChild<QPushButton*>(QString::fromStdString(name));
  if (!button) {
    std::cerr << "no button named " << name << " (buttons are named Command2, Command12 ...)\n";
    return false;
  }
  if (auto* tabs = window.findChild<QTabWidget*>("SSTab1")) {
    for (int i = 0; i < tabs->count(); ++i)
      if (tabs->widget(i)->isAncestorOf(button)) tabs->setCurrentIndex(i);
  }
  // Runs the handler to its end, device waits included.
  button->click();
  return true;
}

}  // namespace

void StartScriptedRun(Tesselmain& window, std::vector<std::string> clicks, std::optional<std::string> screenshot,
                      std::function<void(int)> done) {
  window.messageShower = [](const std::string& text) { std::cerr << "message box: " << text << '\n'; };
  QTimer::singleShot(kSettleMs, &window, [&window, clicks = std::move(clicks), screenshot = std::move(screenshot),
                                          done = std::move(done)] {
    for (const std::string& name : clicks) {
      if (!Click(window, name)) {
        done(1);
        return;
      }
    }
    if (!screenshot) return;
    QTimer::singleShot(kSettleMs, &window, [&window, screenshot, done] {
      if (!window.grab().save(QString::fromStdString(*screenshot))) {
        std::cerr << "cannot save the picture to " << *screenshot << '\n';
        done(1);
        return;
      }
      done(0);
    });
  });
}

}  // namespace vx
