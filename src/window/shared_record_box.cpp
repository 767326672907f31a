#include "window/shared_record_box.h"

#include <vector>

#include "operations/card_feed.h"
#include "operations/shared_batch.h"
#include "window/window_core.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "operations/unsettled_reservations.h"

namespace vx {

std::string SharedRecordLine(const StorePlace& place) {
  const bool inClear = place.encrypted == false;
  if (!place.database.empty() && !place.server.empty()) {
    if (inClear) {
      // TRANSLATORS: the line under the "Shared Record" box, the connection
      // to the database server not being encrypted; %1$s is the database,
      // %2$s its server, %3$s this station's name.
      return Format(Tr("Shared record: %1$s on %2$s, station %3$s, not encrypted"), place.database, place.server,
                    place.station);
    }
    // TRANSLATORS: the line under the "Shared Record" box; %1$s is the
    // database, %2$s its server, %3$s this station's name.
    return Format(Tr("Shared record: %1$s on %2$s, station %3$s"), place.database, place.server, place.station);
  }
  const std::string& where = place.database.empty() ? place.server : place.database;
  if (inClear) {
    // TRANSLATORS: the line under the "Shared Record" box, the connection to
    // the database server not being encrypted; %1$s is the database or its
    // server, %2$s this station's name.
    return Format(Tr("Shared record: %1$s, station %2$s, not encrypted"), where, place.station);
  }
  // TRANSLATORS: the line under the "Shared Record" box; %1$s is the database
  // or its server, %2$s this station's name.
  return Format(Tr("Shared record: %1$s, station %2$s"), where, place.station);
}

void SharedRecord_Click(Device& dev, WindowView& view, const SharedRecordAccess& access, bool ticked) {
  SharedRecordState& shared = dev.state.shared;
  if (!ticked) {
    // The journal stays: what it holds goes in at the next connection.
    shared.store.reset();
    shared.stationLock.reset();
    shared.inHand.reset();
    view.ShowSharedRecordLine("");
    ReportBatchProgress(dev.state.cards, view);
    return;
  }
  if (shared.store) return;
  SharedRecordConnection reach(access);
  if (const std::optional<std::string> refusal = reach.CheckStation()) {
    view.ShowMessage(*refusal);
    return;
  }
  std::string connection = access.connection;
  if (connection.empty()) {
    const std::optional<std::string> chosen =
        view.ChooseSharedRecord(access.dataSources ? access.dataSources() : std::vector<std::string>{});
    if (!chosen || chosen->empty()) return;
    connection = *chosen;
  }
  if (const std::optional<std::string> refusal = reach.LockStation()) {
    view.ShowMessage(*refusal);
    return;
  }
  if (const std::optional<StoreFault> fault = reach.Connect(connection)) {
    view.ShowMessage(fault->Message());
    return;
  }
  reach.TakeUp(shared, true);
  view.ShowSharedRecordLine(SharedRecordLine(shared.store->Place()));
  TakeUpSharedRecord(dev, true);
  if (const TabSpec* front = TabAt(view.FrontTab()))
    ReportSharedBatchProgress(dev.state, view, SharedFormatOf(*front));
}

}  // namespace vx
