#pragma once
// Combo1: a drop-down combo box that reads the system's ports again each time
// it drops down, so a reader plugged in after start-up is offered and one
// pulled out is gone.

#include <QComboBox>

#include <functional>

class PortCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

  // Runs just before the list drops down.
  std::function<void()> beforeDropDown;

  void showPopup() override {
    if (beforeDropDown) beforeDropDown();
    QComboBox::showPopup();
  }
};
