#include "app/printed_number_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cardlist/card_file.h"
#include "i18n/translate.h"

std::optional<std::string> AskForPrintedNumber(QWidget* parent, const std::string& title, const std::string& prompt) {
  QDialog dialog(parent);
  dialog.setObjectName("PrintedNumberDialog");
  dialog.setWindowTitle(QString::fromStdString(title));
  auto* words = new QLabel(QString::fromStdString(prompt));
  words->setTextFormat(Qt::PlainText);
  words->setWordWrap(true);
  auto* number = new QLineEdit;
  number->setObjectName("PrintedNumber");
  number->setAccessibleName(QString::fromStdString(title));
  // Room for the longest printed number and the blanks a scanner may send.
  number->setMaxLength(static_cast<int>(vx::kPrintedNumberDigits) + 8);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(vx::TrCtx("button", "OK")));
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromStdString(vx::TrCtx("button", "Cancel")));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(number, &QLineEdit::returnPressed, &dialog, &QDialog::accept);

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(words);
  layout->addWidget(number);
  layout->addWidget(buttons);
  number->setFocus();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return number->text().toStdString();
}
