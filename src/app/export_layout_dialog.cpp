#include "app/export_layout_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "exports/credential_fields.h"
#include "exports/export_layout.h"
#include "i18n/translate.h"

namespace {

QString Utf8Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::optional<std::string> OpenLayoutFile(QWidget* parent) {
  // No filter: a site's layout file may be named anything.
  const QString path = QFileDialog::getOpenFileName(parent);
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

ExportLayoutDialog::ExportLayoutDialog(QWidget* parent, const std::string& title) : QDialog(parent) {
  setObjectName("ExportLayoutDialog");
  setWindowTitle(Utf8Text(title));
  layoutFileChooser = [this] { return OpenLayoutFile(this); };

  layout_ = new QComboBox;
  layout_->setObjectName("ExportLayout");
  // The layouts' names are the command line's, and stay as they are.
  for (const std::string_view name : vx::kLayoutNames) layout_->addItem(Utf8Text(name));
  // TRANSLATORS: the last entry of the export's layouts: a file that describes the site's own layout.
  layout_->addItem(Utf8Text(vx::Tr("a layout file…")));
  em4100_ = new QComboBox;
  em4100_->setObjectName("ExportEm4100");
  for (const vx::Em4100FormName& form : vx::kEm4100Forms) em4100_->addItem(Utf8Text(form.name));
  // TRANSLATORS: a check box of the export: the file starts with a mark that
  // tells spreadsheets it is UTF-8.
  byteOrderMark_ = new QCheckBox(Utf8Text(vx::Tr("byte-order mark for spreadsheets")));
  byteOrderMark_->setObjectName("ExportByteOrderMark");

  auto* fields = new QFormLayout;
  // TRANSLATORS: the caption of the export's list of layouts.
  fields->addRow(Utf8Text(vx::Tr("Layout:")), layout_);
  // TRANSLATORS: the caption of the list of ways to write an EM4100 card's number.
  fields->addRow(Utf8Text(vx::Tr("EM4100 numbers:")), em4100_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(Utf8Text(vx::TrCtx("button", "OK")));
  buttons->button(QDialogButtonBox::Cancel)->setText(Utf8Text(vx::TrCtx("button", "Cancel")));
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addLayout(fields);
  column->addWidget(byteOrderMark_);
  column->addWidget(buttons);
}

std::optional<vx::ExportChoice> ExportLayoutDialog::Choice() const {
  vx::ExportChoice choice;
  const auto layout = static_cast<std::size_t>(layout_->currentIndex());
  if (layout < vx::kLayoutNames.size()) {
    choice.layoutName = std::string(vx::kLayoutNames[layout]);
  } else {
    const std::optional<std::string> file = layoutFileChooser();
    if (!file) return std::nullopt;
    choice.layoutFile = *file;
  }
  choice.em4100 = std::string(vx::kEm4100Forms[static_cast<std::size_t>(em4100_->currentIndex())].name);
  choice.byteOrderMark = byteOrderMark_->isChecked();
  return choice;
}

std::optional<vx::ExportChoice> AskForExportLayout(QWidget* parent, const std::string& title) {
  ExportLayoutDialog dialog(parent, title);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}
