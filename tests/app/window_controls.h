#pragma once
// Finds the window's controls by their names, as a test robot does. The
// widget tests and the end-to-end tests share it.

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

class WindowControls {
 public:
  virtual ~WindowControls() = default;

 protected:
  // The window under test.
  virtual QWidget* Window() = 0;

  template <typename T>
  T* Child(const QString& name) {
    T* child = Window()->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
  }
  QLineEdit* Box(int n) { return Child<QLineEdit>(QString("Text%1").arg(n)); }
  QPushButton* Button(int n) { return Child<QPushButton>(QString("Command%1").arg(n)); }
  QListWidget* List() { return Child<QListWidget>("List1"); }
  QStringList Lines() {
    QStringList lines;
    for (int i = 0; i < List()->count(); ++i) lines << List()->item(i)->text();
    return lines;
  }
};
