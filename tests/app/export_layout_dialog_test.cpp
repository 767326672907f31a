// The dialog of "Export…" returns what it shows chosen; "a layout file…"
// asks for the file, and a cancelled file dialog chooses nothing.

#include "app/export_layout_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

namespace {

struct DialogCase {
  const char* name;
  int layout;  // the row of the layout list
  int em4100;  // the row of the EM4100 list
  bool byteOrderMark;
  std::optional<std::string> layoutFile;  // the open dialog's answer
  std::optional<vx::ExportChoice> choice;
};

TEST(ExportLayoutDialog, ReturnsTheChoiceShown) {
  const DialogCase cases[] = {
      {"as it opens", 0, 0, false, std::nullopt, vx::ExportChoice{"plain", "", "hex10", false}},
      {"camel in dez10", 1, 1, false, std::nullopt, vx::ExportChoice{"camel", "", "dez10", false}},
      {"pair in dez8", 2, 2, false, std::nullopt, vx::ExportChoice{"pair", "", "dez8", false}},
      {"columns in w26 with the mark", 3, 3, true, std::nullopt, vx::ExportChoice{"columns", "", "w26", true}},
      {"a layout file", 4, 0, false, "/sites/door.layout", vx::ExportChoice{"", "/sites/door.layout", "hex10", false}},
      {"a layout file not chosen", 4, 0, false, std::nullopt, std::nullopt},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExportLayoutDialog dialog(nullptr, "Export…");
    int fileDialogs = 0;
    dialog.layoutFileChooser = [&] {
      ++fileDialogs;
      return c.layoutFile;
    };
    dialog.findChild<QComboBox*>("ExportLayout")->setCurrentIndex(c.layout);
    dialog.findChild<QComboBox*>("ExportEm4100")->setCurrentIndex(c.em4100);
    dialog.findChild<QCheckBox*>("ExportByteOrderMark")->setChecked(c.byteOrderMark);

    const std::optional<vx::ExportChoice> choice = dialog.Choice();
    EXPECT_EQ(fileDialogs, c.layout == 4 ? 1 : 0);
    ASSERT_EQ(choice.has_value(), c.choice.has_value());
    if (!choice) continue;
    EXPECT_EQ(choice->layoutName, c.choice->layoutName);
    EXPECT_EQ(choice->layoutFile, c.choice->layoutFile);
    EXPECT_EQ(choice->em4100, c.choice->em4100);
    EXPECT_EQ(choice->byteOrderMark, c.choice->byteOrderMark);
  }
}

}  // namespace
