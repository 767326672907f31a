#include "program/shared_record_access.h"

#include "store/station_lock.h"
#include "store/store_connection.h"

namespace vx {

SharedRecordAccess SystemSharedRecordAccess(const std::string& userFolder) {
  SharedRecordAccess access;
  access.connect = ConnectSharedStore;
  access.dataSources = ListDataSources;
  access.lockStation = [userFolder](const std::string& station, std::unique_ptr<StationLock>& lock) {
    return LockStation(userFolder, station, lock);
  };
  access.userFolder = userFolder;
  return access;
}

}  // namespace vx
