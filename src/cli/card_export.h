#pragma once
// `vandorix-card export`: the credentials the card records or the shared
// record have as written, as a file an access-control system imports. The
// layout and the records are read first, so that a fault in either stops the
// command before the shared record is asked; the file is made whole in
// memory, then written whole or not at all.

#include <optional>
#include <vector>

#include "cli/card_run.h"
#include "exports/export_layout.h"
#include "exports/written_credentials.h"
#include "store/shared_store.h"

namespace vx::cli {

class ExportJob {
 public:
  ExportJob(const Options& options, Console& console) : o_(options), c_(console) {}

  // The layout and every --record; the exit status when one is at fault.
  std::optional<int> Prepare();
  // The shared record's written credentials, or for a report its attempts;
  // the exit status when it fails.
  std::optional<int> TakeSharedRecord(SharedStore& store);
  // Selects, writes the file (the export, or the report) and says how many
  // it lists; the exit status.
  int Finish();

 private:
  ExportFilter Filter() const;
  int FinishReport();
  void Say(const std::string& message);

  const Options& o_;
  Console& c_;
  Layout layout_;
  std::vector<CredentialOutcome> outcomes_;
};

}  // namespace vx::cli
