#include "app/shared_record_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "i18n/translate.h"
#include "store/connection_string.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::optional<std::string> AskForSharedRecord(QWidget* parent, const std::vector<std::string>& dataSources) {
  QDialog dialog(parent);
  dialog.setObjectName("SharedRecordDialog");
  dialog.setWindowTitle(Q(vx::Tr("Shared Record")));
  auto* sources = new QListWidget;
  sources->setObjectName("DataSources");
  // TRANSLATORS: the list of the system's ODBC data sources.
  sources->setAccessibleName(Q(vx::Tr("Data sources")));
  for (const std::string& source : dataSources) sources->addItem(QString::fromStdString(source));
  auto* connection = new QLineEdit;
  connection->setObjectName("ConnectionString");
  // TRANSLATORS: an ODBC connection string, as "Driver=...;Server=...".
  connection->setAccessibleName(Q(vx::Tr("Connection string")));
  connection->setPlaceholderText("Driver={PostgreSQL Unicode};Server=db1;Database=cards;...");
  auto* password = new QLineEdit;
  password->setObjectName("Password");
  // Typed apart from the connection string and never shown.
  password->setEchoMode(QLineEdit::Password);
  // TRANSLATORS: the masked box for the database password.
  password->setAccessibleName(Q(vx::Tr("Password")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(Q(vx::TrCtx("button", "OK")));
  buttons->button(QDialogButtonBox::Cancel)->setText(Q(vx::TrCtx("button", "Cancel")));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  // A data source is a connection of its own: choosing one fills the field.
  QObject::connect(sources, &QListWidget::currentTextChanged, connection, &QLineEdit::setText);
  QObject::connect(sources, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  const auto okEnabled = [buttons, connection] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!connection->text().trimmed().isEmpty());
  };
  QObject::connect(connection, &QLineEdit::textChanged, &dialog, okEnabled);
  okEnabled();

  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(Q(dataSources.empty() ? vx::Tr("This system has no ODBC data source.")
                                                     : vx::Tr("Data sources:"))));
  layout->addWidget(sources);
  layout->addWidget(new QLabel(Q(vx::Tr("Data source or connection string:"))));
  layout->addWidget(connection);
  // TRANSLATORS: above the masked box for the database password, kept apart
  // from the connection string so that it is never shown.
  layout->addWidget(new QLabel(Q(vx::Tr("Password (if the connection needs one):"))));
  layout->addWidget(password);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return vx::WithPassword(connection->text().trimmed().toStdString(), password->text().toStdString());
}
