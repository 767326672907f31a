#pragma once
// The card operations' bench on a shared record: station DESK-2 on a fake
// database that the test fills with other stations' rows.

#include <memory>
#include <string>
#include <vector>

#include "operations/operation_bench.h"
#include "support/fake_shared_store.h"

namespace vx::test {

inline const std::string kWhen = "2026-12-01T14:03:12.345+01:00";
inline const std::string kFile = "C:\\batches\\cards.txt";

// A window on a shared record, as station DESK-2.
struct SharedBench : Bench {
  std::shared_ptr<FakeDatabase> db = std::make_shared<FakeDatabase>();
  TempFile folder{"", "unused.txt"};
  SharedBench() {
    state.shared.store = std::make_unique<FakeSharedStore>(db, "DESK-2");
    state.shared.journalPath = folder.dir() + "/journal";
  }
  void Put(std::uint32_t fc, std::uint32_t cn, CredentialState state, const std::string& station,
           const std::string& source = "typed", int entry = 0, const std::string& format = "HID26") {
    db->Put({{format, fc, cn}, state, station, "2026-12-01T14:03:12+01:00",
             state == CredentialState::Written ? kWhen : "", source, entry});
  }
  Strings BannerTexts() const {
    Strings texts;
    for (const ResultBanner& banner : host.banners) texts.push_back(banner.text);
    return texts;
  }
};

}  // namespace vx::test
