#include "window/validators.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "support/fake_host.h"
#include "support/fake_link.h"

namespace vx {
namespace {

using test::FakeHost;
using test::FakeLink;

const TabSpec& Tab(int position) { return *TabAt(position); }
const TabSpec& kWg26 = Tab(0);
const TabSpec& kWg24 = Tab(8);
const TabSpec& kEm = Tab(7);

FormatRow Row(const std::string& name, std::int32_t fcMax, double cnMax) {
  FormatRow row;
  row.FormatName = name;
  row.FcMax = fcMax;
  row.CnMax = cnMax;
  return row;
}

// A host whose SetBoxText fires the box's change event, as a real box does.
class EchoingHost : public FakeHost {
 public:
  EchoingHost(FormState& state, FakeLink& link, const TabSpec& tab, BoxRole role)
      : FakeHost(state, link), state_(state), tab_(tab), role_(role) {}
  void SetBoxText(int box, const std::string& text) override {
    ++sets;
    FakeHost::SetBoxText(box, text);
    ValidateBox(state_, *this, tab_, role_);
  }
  int sets = 0;

 private:
  FormState& state_;
  const TabSpec& tab_;
  BoxRole role_;
};

class ValidatorTest : public ::testing::Test {
 protected:
  ValidatorTest() {
    state.formats.rows[0] = Row("HID26", 255, 65535);
    state.formats.rows[1] = Row("hid24", 63, 65535);
    state.formats.FormatCount = 2;
  }
  // Types `text` into the box of `tab` that held `before` (accepted earlier).
  void Edit(const TabSpec& tab, BoxRole role, const std::string& before, const std::string& text) {
    const int box = role == BoxRole::CardNumber ? tab.cnBox : tab.fcBox;
    Recorded(tab, role) = before;
    host.boxes[box] = text;
    ValidateBox(state, host, tab, role);
  }
  std::string& Recorded(const TabSpec& tab, BoxRole role) {
    const bool cn = role == BoxRole::CardNumber;
    if (tab.kind == TabKind::Em4100) return cn ? state.Em4100CnText : state.Em4100FcText;
    FormatRow& row = FindFormatRowOf(state.formats, tab.formatName);
    return cn ? row.CnText : row.FcText;
  }
  std::string Box(const TabSpec& tab, BoxRole role) {
    return host.BoxText(role == BoxRole::CardNumber ? tab.cnBox : tab.fcBox);
  }

  FormState state;
  FakeLink link;
  FakeHost host{state, link};
};

struct EditCase {
  const char* what;
  int tab;
  BoxRole role;
  const char* before;
  const char* typed;
  const char* expected;  // both the box and the recorded text afterwards
};

constexpr BoxRole kFc = BoxRole::FacilityCode;
constexpr BoxRole kCn = BoxRole::CardNumber;

const EditCase kEditCases[] = {
    {"letter after digits is undone", 0, kFc, "12", "12a", "12"},
    {"value below the limit", 0, kFc, "25", "253", "253"},
    {"value at the limit", 0, kFc, "25", "255", "255"},
    {"value above the limit", 0, kFc, "25", "256", "25"},
    {"empty text is recorded", 0, kFc, "25", "", ""},
    {"letter into an empty box", 0, kFc, "", "x", ""},
    {"facility code zero", 0, kFc, "1", "0", "0"},
    {"leading zeros kept", 0, kFc, "1", "007", "007"},
    {"pasted text with a letter", 0, kCn, "1", "12x4", "1"},
    {"minus sign", 0, kCn, "5", "-5", "5"},
    {"blank", 0, kCn, "5", "5 ", "5"},
    {"card number zero refused", 0, kCn, "1", "0", "1"},
    {"card number double zero", 0, kCn, "1", "00", "00"},
    {"card number at the limit", 0, kCn, "6553", "65535", "65535"},
    {"card number above the limit", 0, kCn, "6553", "65536", "6553"},
    {"lower-case row name found", 8, kFc, "6", "63", "63"},
    {"lower-case row name, above", 8, kFc, "6", "64", "6"},
    {"EM4100 facility code limit", 7, kFc, "25", "255", "255"},
    {"EM4100 facility code above", 7, kFc, "25", "256", "25"},
    {"EM4100 card number limit", 7, kCn, "429496729", "4294967295", "4294967295"},
    {"EM4100 card number above", 7, kCn, "429496729", "4294967296", "429496729"},
    {"EM4100 card number zero", 7, kCn, "7", "0", "7"},
    {"too long for any number", 7, kCn, "7", "99999999999999999999999", "7"},
    {"too long, facility code", 0, kFc, "7", "18446744073709551616", "7"},
    {"long run of zeros is zero", 7, kFc, "7", "0000000000000000000000000", "0000000000000000000000000"},
    {"non-ASCII byte", 7, kFc, "7", "7\xC2\xB2", "7"},
    // A reset after the limit test gives the recorded text, which the zero
    // test then sees; a recorded "00" passes.
    {"reset to a recorded zero after the limit", 0, kCn, "00", "99999", "00"},
    // HID40 is not in the table: row 0's limits and texts serve it.
    {"missing format uses row zero", 6, kFc, "1", "200", "200"},
    {"missing format, above row zero's limit", 6, kFc, "200", "300", "200"},
};

// An empty format table: every limit is 0.
const EditCase kEmptyTableCases[] = {
    {"facility code zero", 0, kFc, "1", "0", "0"},
    {"facility code one", 0, kFc, "0", "1", "0"},
    {"card number zero", 0, kCn, "1", "0", "1"},
    {"card number of zeros", 0, kCn, "1", "000", "000"},
};

TEST_F(ValidatorTest, EditsAreAcceptedOrUndone) {
  using Cases = std::span<const EditCase>;
  for (const auto& [cases, emptyTable] :
       {std::pair{Cases(kEditCases), false}, std::pair{Cases(kEmptyTableCases), true}}) {
    if (emptyTable) state.formats = FormatTable{};
    for (const EditCase& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (emptyTable ? " (empty table)" : ""));
      const TabSpec& tab = Tab(c.tab);
      Edit(tab, c.role, c.before, c.typed);
      EXPECT_EQ(Box(tab, c.role), c.expected);
      EXPECT_EQ(Recorded(tab, c.role), c.expected);
      EXPECT_FALSE(state.BusyFlag);
    }
  }
}

TEST_F(ValidatorTest, DoesNothingWhileBusy) {
  state.BusyFlag = true;
  Edit(kWg26, kFc, "12", "12a");
  EXPECT_EQ(Box(kWg26, kFc), "12a");
  EXPECT_EQ(Recorded(kWg26, kFc), "12");
  EXPECT_TRUE(state.BusyFlag);
}

TEST_F(ValidatorTest, OperatorEditsWhileBusyAreUndoneToTheRecordedText) {
  struct Case {
    const TabSpec& tab;
    BoxRole role;
    bool busy;
    const char* shown;  // the box afterwards
  } const cases[] = {
      {kWg26, kFc, true, "12"},
      {kEm, kCn, true, "12"},
      {kWg26, kCn, false, "12a"},  // idle: the validator's business, not this
  };
  for (const Case& c : cases) {
    const int box = c.role == BoxRole::CardNumber ? c.tab.cnBox : c.tab.fcBox;
    Recorded(c.tab, c.role) = "12";
    host.boxes[box] = "12a";
    state.BusyFlag = c.busy;
    UndoEditWhileBusy(state, host, c.tab, c.role);
    EXPECT_EQ(Box(c.tab, c.role), c.shown);
    EXPECT_EQ(Recorded(c.tab, c.role), "12");
    EXPECT_EQ(state.BusyFlag, c.busy);
  }
}

TEST_F(ValidatorTest, ResetDoesNotRunTheValidatorAgain) {
  EchoingHost echoing(state, link, kWg24, kCn);
  state.formats.rows[1].CnText = "12";
  echoing.boxes[kWg24.cnBox] = "12a";
  ValidateBox(state, echoing, kWg24, kCn);
  EXPECT_EQ(echoing.sets, 1);
  EXPECT_EQ(echoing.BoxText(kWg24.cnBox), "12");
  EXPECT_EQ(state.formats.rows[1].CnText, "12");
  EXPECT_FALSE(state.BusyFlag);
}

}  // namespace
}  // namespace vx
