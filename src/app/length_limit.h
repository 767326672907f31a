#pragma once
// The maximum length of an entry box, applied to what the operator types or
// pastes only. Text the program puts into the box is shown whole: Qt's own
// maximum length would cut it. Characters other than digits pass, since
// refusing those is the box's change handler's job, done silently by undoing.

#include <QString>
#include <QValidator>

class QLineEdit;

class LengthLimit : public QValidator {
 public:
  LengthLimit(QLineEdit* box, int maxLength);

  State validate(QString& input, int& pos) const override;

  // Puts text into the box whatever its length.
  void SetTextWhole(const QString& text);

 private:
  QLineEdit* box_;
  int maxLength_;
  qsizetype lastLength_ = 0;
  bool programmatic_ = false;
};
