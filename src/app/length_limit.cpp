#include "app/length_limit.h"

#include <QLineEdit>

LengthLimit::LengthLimit(QLineEdit* box, int maxLength) : QValidator(box), box_(box), maxLength_(maxLength) {
  lastLength_ = box->text().size();
  // Read the box itself rather than the signal's text: a change handler may
  // have put other text in meanwhile.
  connect(box, &QLineEdit::textChanged, this, [this] { lastLength_ = box_->text().size(); });
  box->setValidator(this);
}

QValidator::State LengthLimit::validate(QString& input, int&) const {
  // An over-long text the program put in may still be shortened by the operator.
  if (programmatic_ || input.size() <= maxLength_ || input.size() < lastLength_) return Acceptable;
  return Invalid;
}

void LengthLimit::SetTextWhole(const QString& text) {
  const bool outer = programmatic_;
  programmatic_ = true;
  box_->setText(text);
  programmatic_ = outer;
}
