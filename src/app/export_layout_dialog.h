#pragma once
// The dialog of "Export…": the layout (a named one, or a layout file chosen
// through an open dialog), the form of EM4100 numbers and the byte-order mark
// that spreadsheets want, then OK or Cancel.

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "operations/host.h"

class QCheckBox;
class QComboBox;

class ExportLayoutDialog : public QDialog {
 public:
  ExportLayoutDialog(QWidget* parent, const std::string& title);

  // What the dialog shows as chosen, once accepted. For "a layout file…" the
  // file is asked for then; nullopt when that is cancelled.
  std::optional<vx::ExportChoice> Choice() const;

  // Replaceable for tests: the open dialog of a layout file.
  std::function<std::optional<std::string>()> layoutFileChooser;

 private:
  QComboBox* layout_;
  QComboBox* em4100_;
  QCheckBox* byteOrderMark_;
};

// Shows the dialog; the choice, nullopt when cancelled.
std::optional<vx::ExportChoice> AskForExportLayout(QWidget* parent, const std::string& title);
