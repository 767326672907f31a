// The serial ports Windows has: the names under HARDWARE\DEVICEMAP\SERIALCOMM,
// which every serial driver fills for the ports present, described by the
// friendly names Device Manager shows under "Ports (COM & LPT)".

#include <windows.h>
// clang-format off
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
// clang-format on

#include <map>
#include <string>

#include "platform/utf16_text.h"
#include "device/port_list.h"

namespace vx {

namespace {

// A REG_SZ value's text, without the terminating nulls a writer may leave.
std::wstring TextOf(const std::wstring& data) {
  const std::size_t end = data.find(L'\0');
  return end == std::wstring::npos ? data : data.substr(0, end);
}

std::wstring RegistryText(HKEY key, const wchar_t* valueName) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
    return {};
  std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
      ERROR_SUCCESS)
    return {};
  return TextOf(data);
}

std::wstring DeviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t buffer[512] = {};
  DWORD type = 0;
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, &type, reinterpret_cast<BYTE*>(buffer),
                                         sizeof buffer - sizeof(wchar_t), nullptr) ||
      type != REG_SZ)
    return {};
  return buffer;
}

// "USB Serial Port (COM7)" says "USB Serial Port" of COM7.
std::wstring WithoutPortSuffix(std::wstring name, const std::wstring& port) {
  const std::wstring suffix = L" (" + port + L")";
  if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.resize(name.size() - suffix.size());
  return name;
}

// Port name -> friendly name, for the devices present in the classes that
// hold serial ports (modems with a COM port among them).
std::map<std::wstring, std::wstring> FriendlyNames() {
  std::map<std::wstring, std::wstring> names;
  for (const GUID* deviceClass : {&GUID_DEVCLASS_PORTS, &GUID_DEVCLASS_MODEM}) {
    const HDEVINFO devices = SetupDiGetClassDevsW(deviceClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) continue;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
      const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
      if (key == INVALID_HANDLE_VALUE) continue;
      const std::wstring port = RegistryText(key, L"PortName");
      RegCloseKey(key);
      if (port.empty()) continue;
      std::wstring name = DeviceProperty(devices, device, SPDRP_FRIENDLYNAME);
      if (name.empty()) name = DeviceProperty(devices, device, SPDRP_DEVICEDESC);
      if (!name.empty()) names[port] = WithoutPortSuffix(name, port);
    }
    SetupDiDestroyDeviceInfoList(devices);
  }
  return names;
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts() {
  std::vector<SerialPortInfo> ports;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS)
    return ports;
  DWORD longestName = 0;
  DWORD longestData = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longestName, &longestData,
                   nullptr, nullptr);
  const std::map<std::wstring, std::wstring> friendly = FriendlyNames();
  for (DWORD i = 0;; ++i) {
    std::wstring valueName(longestName + 1, L'\0');
    std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
    DWORD nameLength = longestName + 1;
    DWORD dataBytes = longestData;
    DWORD type = 0;
    const LONG status = RegEnumValueW(key, i, valueName.data(), &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(data.data()), &dataBytes);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS || type != REG_SZ) continue;
    const std::wstring port = TextOf(data.substr(0, dataBytes / sizeof(wchar_t)));
    if (port.empty()) continue;
    const auto description = friendly.find(port);
    ports.push_back({Utf8(port), description == friendly.end() ? std::string() : Utf8(description->second)});
  }
  RegCloseKey(key);
  SortPortsByName(ports);
  return ports;
}

}  // namespace vx
