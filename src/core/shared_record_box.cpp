#include "core/shared_record_box.h"

#include "cardlist/card_feed.h"
#include "cardlist/shared_batch.h"
#include "core/window_core.h"
#include "operations/unsettled_reservations.h"
#include "store/store_connection.h"

namespace vx {

void SharedRecord_Click(Device& dev, WindowView& view, const SharedRecordAccess& access, bool ticked) {
  SharedRecordState& shared = dev.state.shared;
  if (!ticked) {
    // The journal stays: what it holds goes in at the next connection.
    shared.store.reset();
    shared.inHand.reset();
    view.ShowSharedRecordLine("");
    ReportBatchProgress(dev.state.cards, view);
    return;
  }
  if (shared.store) return;
  std::string connection = access.connection;
  if (connection.empty()) {
    const std::optional<std::string> chosen =
        view.ChooseSharedRecord(access.dataSources ? access.dataSources() : std::vector<std::string>{});
    if (!chosen || chosen->empty()) return;
    connection = *chosen;
  }
  std::unique_ptr<SharedStore> store;
  std::optional<StoreFault> fault = access.connect ? access.connect(connection, access.station, store)
                                                   : StoreFault{MaskPasswords(connection), "no database access"};
  if (!fault && !store) fault = StoreFault{MaskPasswords(connection), "no store"};
  if (fault) {
    view.ShowMessage(fault->Message());
    return;
  }
  shared.store = std::move(store);
  shared.journalPath = access.journalPath;
  view.ShowSharedRecordLine("Shared record: " + shared.store->Where());
  TakeUpSharedRecord(dev, true);
  if (const TabSpec* front = TabAt(view.FrontTab()))
    ReportSharedBatchProgress(dev.state, view, SharedFormatOf(*front));
}

}  // namespace vx
