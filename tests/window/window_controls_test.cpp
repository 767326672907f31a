// The description of the window's controls, which both windows build from.

#include "window/window_controls.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/po_file.h"

namespace vx {
namespace {

// Every text a control shows goes to the translators with a note of what it is.
bool HasNote(const std::vector<test::PoEntry>& entries, std::string_view id) {
  for (const test::PoEntry& entry : entries)
    if (entry.context.empty() && entry.id == id) return !entry.notes.empty();
  return false;
}

TEST(WindowControls, EveryControlIsDescribedOnceWithItsTexts) {
  const std::vector<test::PoEntry> entries =
      test::ReadPoFile(std::string(VX_SOURCE_DIR) + "/po/vandorix-programmer.pot");
  ASSERT_GT(entries.size(), 1u);
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ControlSpec& entry = kControls[i];
    SCOPED_TRACE(std::string(entry.name));
    EXPECT_EQ(static_cast<std::size_t>(entry.control), i) << "out of the order of Control";
    EXPECT_EQ(&ControlOf(entry.control), &entry);
    EXPECT_TRUE(names.insert(entry.name).second) << "a second control of that name";
    // Only the list shows no caption of its own.
    EXPECT_EQ(CaptionOf(entry.control).empty(), entry.control == Control::Messages);
    EXPECT_FALSE(AccessibleNameOf(entry.control).empty());
    for (const LazyText& text : {entry.caption, entry.accessibleName}) {
      if (text.English().empty()) continue;
      EXPECT_TRUE(HasNote(entries, text.English())) << text.English();
    }
  }
}

TEST(WindowControls, AnUnnamedControlIsCalledByItsCaptionAndOnlySomeHaveTips) {
  struct Row {
    Control control;
    std::string accessibleName;
    std::string toolTip;
  };
  for (const Row& row : {
           Row{Control::ComPort, "Com Port", ""},
           Row{Control::DatabasePath, "Database Path", ""},
           Row{Control::Messages, "Messages", ""},
           Row{Control::KeepRecord, "Keep Record", "Append every card written or read to a record file (CSV)"},
           Row{Control::UseDatabase, "Use Database", ""},
           Row{Control::WriteCard, "Write Card", "Write the card, read it back and verify it (F2)"},
       }) {
    SCOPED_TRACE(std::string(ControlOf(row.control).name));
    EXPECT_EQ(AccessibleNameOf(row.control), row.accessibleName);
    EXPECT_EQ(ToolTipOf(row.control), row.toolTip);
  }
}

}  // namespace
}  // namespace vx
