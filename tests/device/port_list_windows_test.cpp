// The Windows port list, with ports added for the test where every serial
// driver announces its ports (HARDWARE\DEVICEMAP\SERIALCOMM) and, for a
// friendly name, a device of the "Ports (COM & LPT)" class as Device Manager
// shows it. The ports are numbered far above any the system has.

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "device/port_list.h"

namespace vx {
namespace {

constexpr const wchar_t* kSerialComm = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

struct AddedValue {
  std::wstring name;  // the driver's device, e.g. \Device\Serial0
  std::wstring port;  // its data: the port's name
  DWORD type = REG_SZ;
};

struct AddedDevice {
  std::wstring port;
  std::wstring friendlyName;
};

// Values added to SERIALCOMM for as long as it lives.
class SerialCommValues {
 public:
  explicit SerialCommValues(const std::vector<AddedValue>& values) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialComm, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    for (const AddedValue& value : values) {
      const auto* data = reinterpret_cast<const BYTE*>(value.port.c_str());
      const DWORD bytes = static_cast<DWORD>((value.port.size() + 1) * sizeof(wchar_t));
      EXPECT_EQ(RegSetValueExW(key_, value.name.c_str(), 0, value.type, data, bytes), ERROR_SUCCESS);
      names_.push_back(value.name);
    }
  }
  ~SerialCommValues() {
    for (const std::wstring& name : names_) RegDeleteValueW(key_, name.c_str());
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  std::vector<std::wstring> names_;
};

// A device of the ports class, registered for as long as it lives.
class PortsClassDevice {
 public:
  explicit PortsClassDevice(const AddedDevice& device) {
    set_ = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
    data_.cbSize = sizeof data_;
    const auto* name = reinterpret_cast<const BYTE*>(device.friendlyName.c_str());
    const auto nameBytes = static_cast<DWORD>((device.friendlyName.size() + 1) * sizeof(wchar_t));
    if (!SetupDiCreateDeviceInfoW(set_, L"VXTESTPORT", &GUID_DEVCLASS_PORTS, nullptr, nullptr, DICD_GENERATE_ID,
                                  &data_) ||
        !SetupDiSetDeviceRegistryPropertyW(set_, &data_, SPDRP_FRIENDLYNAME, name, nameBytes) ||
        !SetupDiRegisterDeviceInfo(set_, &data_, 0, nullptr, nullptr, nullptr)) {
      ADD_FAILURE() << "no device registered, error " << GetLastError();
      return;
    }
    registered_ = true;
    const HKEY key = SetupDiCreateDevRegKeyW(set_, &data_, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
    if (key == INVALID_HANDLE_VALUE) {
      ADD_FAILURE() << "no registry key for the device, error " << GetLastError();
      return;
    }
    RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.port.c_str()),
                   static_cast<DWORD>((device.port.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  ~PortsClassDevice() {
    if (registered_) SetupDiRemoveDevice(set_, &data_);
    SetupDiDestroyDeviceInfoList(set_);
  }

 private:
  HDEVINFO set_ = INVALID_HANDLE_VALUE;
  SP_DEVINFO_DATA data_{};
  bool registered_ = false;
};

// COM200 and up: the test's own ports.
bool IsTestPort(const std::string& name) {
  if (name.size() < 6 || name.size() > 8 || name.rfind("COM", 0) != 0) return false;
  if (!std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  return std::stoi(name.substr(3)) >= 200;
}

TEST(WindowsPortList, ReadFromTheRegistry) {
  struct Case {
    const char* name;
    std::vector<AddedValue> values;
    std::vector<AddedDevice> devices;
    std::vector<SerialPortInfo> listed;  // of the test's ports, COM200 and up
  };
  const Case cases[] = {
      {"a port with no device behind it", {{L"\\Device\\VxSerial0", L"COM201"}}, {}, {{"COM201", ""}}},
      {"numbers in their order",
       {{L"\\Device\\VxSerial0", L"COM1000"}, {L"\\Device\\VxSerial1", L"COM202"}},
       {},
       {{"COM202", ""}, {"COM1000", ""}}},
      {"Device Manager's name, without the port's name after it",
       {{L"\\Device\\VxSerial0", L"COM203"}},
       {{L"COM203", L"Vx Test Serial Port (COM203)"}},
       {{"COM203", "Vx Test Serial Port"}}},
      {"a port named twice is listed once",
       {{L"\\Device\\VxSerial0", L"COM204"}, {L"\\Device\\VxSerial1", L"COM204"}},
       {},
       {{"COM204", ""}}},
      {"a value that is no name is passed over", {{L"\\Device\\VxSerial0", L"COM205", REG_BINARY}}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SerialCommValues values(c.values);
    std::vector<std::unique_ptr<PortsClassDevice>> devices;
    for (const AddedDevice& device : c.devices) devices.push_back(std::make_unique<PortsClassDevice>(device));
    std::vector<SerialPortInfo> ours = ListSerialPorts();
    std::erase_if(ours, [](const SerialPortInfo& port) { return !IsTestPort(port.name); });
    EXPECT_EQ(ours, c.listed);
  }
}

}  // namespace
}  // namespace vx
