#include "devtools/scripted_run.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <iostream>

#include "app/tesselmain.h"

namespace vx {

namespace {

// Time for the window to be laid out and painted before and after the steps.
constexpr int kSettleMs = 300;

void BringTabForward(Tesselmain& window, QWidget* control) {
  auto* tabs = window.findChild<QTabWidget*>("SSTab1");
  if (!tabs) return;
  for (int i = 0; i < tabs->count(); ++i)
    if (tabs->widget(i)->isAncestorOf(control)) tabs->setCurrentIndex(i);
}

bool Take(Tesselmain& window, const WindowScript::Step& step) {
  const QString name = QString::fromStdString(step.control);
  if (step.text) {
    auto* box = window.findChild<QLineEdit*>(name);
    if (!box) {
      std::cerr << "no box named " << step.control << " (boxes are named Text1 ... Text19)\n";
      return false;
    }
    BringTabForward(window, box);
    box->setFocus();
    box->selectAll();
    box->del();
    // A character at a time, so the box's checks see each edit as typed.
    for (const QChar c : QString::fromStdString(*step.text)) box->insert(QString(c));
    return true;
  }
  auto* button = window.findChild<QPushButton*>(name);
  if (!button) {
    std::cerr << "no button named " << step.control << " (buttons are named Command2, Command12 ...)\n";
    return false;
  }
  BringTabForward(window, button);
  // Runs the handler to its end, device waits included.
  button->click();
  return true;
}

}  // namespace

void StartScriptedRun(Tesselmain& window, std::vector<WindowScript::Step> steps,
                      std::optional<std::string> screenshot, std::function<void(int)> done) {
  window.messageShower = [](const std::string& text) { std::cerr << "message box: " << text << '\n'; };
  QTimer::singleShot(kSettleMs, &window, [&window, steps = std::move(steps), screenshot = std::move(screenshot),
                                          done = std::move(done)] {
    for (const WindowScript::Step& step : steps) {
      if (!Take(window, step)) {
        done(1);
        return;
      }
    }
    // What the run came to, for whoever reads the console.
    if (auto* list = window.findChild<QListWidget*>("List1")) {
      for (int i = 0; i < list->count(); ++i) std::cout << list->item(i)->text().toStdString() << '\n';
      std::cout.flush();
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
