#include "cardlist/database.h"

#include <filesystem>

#include "cardlist/card_feed.h"
#include "cardlist/card_file.h"
#include "core/tabs.h"
#include "record/record_control.h"

namespace vx {

namespace {

constexpr const char* kEmpty = "Empty!";

// Every HID format starts from the first entry, so a later typed-mode write on
// any HID tab carries on from it. The EM4100 tab keeps its own texts.
void StartEveryHidFormatAt(FormatTable& formats, const CardEntry& first) {
  const std::string fc = FacilityCodeText(first);
  const std::string cn = CardNumberText(first);
  for (FormatRow& row : formats.rows) {
    row.FcText = fc;
    row.CnText = cn;
  }
}

// The file's full path, as the record names it: the same file found from
// another working folder is still the same file.
std::string FullPathOf(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full =
      std::filesystem::absolute(std::filesystem::path(std::u8string(path.begin(), path.end())), ec);
  if (ec) return path;
  const std::u8string text = full.lexically_normal().u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

void Check1_Click(FormState& state, Host& host) {
  (void)state;  // the list and its cursor carry on across unticking and ticking
  host.SetDatabaseFrameVisible(host.UseDatabaseTicked());
}

void Command2_Click(FormState& state, Host& host) {
  BusyGuard busy(state);  // the boxes' validators stay idle while the boxes are filled
  if (!busy.Taken()) return;

  // A cancelled dialog or a file that cannot be used leaves the loaded list,
  // its cursor and the path as they were: a batch is never lost by a misclick.
  const std::optional<std::string> path = host.ChooseCardFile();
  if (!path) return;
  CardFileResult result = ReadCardFile(*path);
  if (result.error) {
    host.ShowMessage(result.error->Message());
    return;
  }

  host.SetDatabasePath(*path);
  CardList& list = state.cards;
  list.entries = std::move(result.entries);
  list.CardCount = static_cast<std::int16_t>(list.entries.size());  // at most kCardListCapacity
  list.CardCursor = 0;
  list.sourcePath = FullPathOf(*path);
  state.tally = {};
  ReportBatchProgress(list, host);

  if (list.entries.empty()) {
    host.ShowMessage(kEmpty);
    return;
  }
  const CardEntry& first = list.entries.front();
  StartEveryHidFormatAt(state.formats, first);
  if (const TabSpec* front = TabAt(host.FrontTab())) {
    host.SetBoxText(front->fcBox, FacilityCodeText(first));
    host.SetBoxText(front->cnBox, CardNumberText(first));
  }
  // With a record kept, a file begun earlier may carry on where it stopped.
  OfferResume(state, host);
}

}  // namespace vx
