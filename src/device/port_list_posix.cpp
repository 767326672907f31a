#include "device/port_list_posix.h"

#include <fstream>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

// The first line of a sysfs attribute, blanks trimmed; empty when unreadable.
std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!line.empty() && blank(line.back())) line.pop_back();
  std::size_t start = 0;
  while (start < line.size() && blank(line[start])) ++start;
  return line.substr(start);
}

bool Exists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// The serial UART types the kernel names in a port's "type" attribute.
std::string_view UartName(std::string_view type) {
  static const std::map<std::string_view, std::string_view> kNames = {
      {"1", "8250"},   {"2", "16450"},   {"3", "16550"},  {"4", "16550A"}, {"6", "16650"},
      {"7", "16650V2"}, {"8", "16750"}, {"10", "16C950"}, {"11", "16654"}, {"12", "16850"},
  };
  const auto it = kNames.find(type);
  return it == kNames.end() ? std::string_view() : it->second;
}

// The first folder of `device` under the device tree: "pnp0", "platform",
// "pci0000:00"; empty when it lies elsewhere.
std::string TopFolder(const fs::path& device, const fs::path& devicesRoot) {
  const fs::path relative = device.lexically_relative(devicesRoot);
  if (relative.empty() || *relative.begin() == "..") return {};
  return relative.begin()->string();
}

// The USB device above a tty's device folder: the first folder upwards that
// carries the descriptors (idVendor), within the sysfs device tree.
std::optional<fs::path> UsbDeviceOf(const fs::path& device, const fs::path& devicesRoot) {
  if (TopFolder(device, devicesRoot).empty()) return std::nullopt;
  for (fs::path folder = device; folder != devicesRoot && folder.has_relative_path(); folder = folder.parent_path())
    if (Exists(folder / "idVendor")) return folder;
  return std::nullopt;
}

// The entries of a folder, none when it cannot be read.
std::vector<fs::path> FolderEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    entries.push_back(it->path());
  return entries;
}

// The by-id names of the ttys: /dev/serial/by-id/usb-FTDI_..-port0 -> ../../ttyUSB0.
std::map<std::string, std::string> ByIdNames(const fs::path& root) {
  std::map<std::string, std::string> names;
  for (const fs::path& link : FolderEntries(root / "dev/serial/by-id")) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) continue;
    names.emplace(target.filename().string(), link.filename().string());
  }
  return names;
}

std::string UsbDescription(const fs::path& usb) {
  const std::string product = ReadAttribute(usb / "product");
  const std::string maker = ReadAttribute(usb / "manufacturer");
  if (!product.empty() && !maker.empty()) return product + " (" + maker + ")";
  if (!product.empty()) return product;
  return maker;
}

std::string Describe(const fs::path& tty, const fs::path& devicesRoot, const std::string& byId) {
  std::error_code error;
  const fs::path device = fs::canonical(tty / "device", error);
  if (error) return byId;
  if (const auto usb = UsbDeviceOf(device, devicesRoot)) {
    if (std::string text = UsbDescription(*usb); !text.empty()) return text;
    if (!byId.empty()) return byId;
    // TRANSLATORS: a port's description; %1$s and %2$s are the USB vendor and product numbers.
    return Format(Tr("USB serial device %1$s:%2$s"), ReadAttribute(*usb / "idVendor"),
                  ReadAttribute(*usb / "idProduct"));
  }
  const std::string_view uart = UartName(ReadAttribute(tty / "type"));
  const std::string top = TopFolder(device, devicesRoot);
  // TRANSLATORS: a port's description; %s is its UART ("16550A").
  if (top.rfind("pnp", 0) == 0 || top == "platform")
    return uart.empty() ? Tr("Built-in serial port") : Format(Tr("Built-in serial port (%s)"), uart);
  // TRANSLATORS: a port's description; %s is its UART ("16550A").
  if (top.rfind("pci", 0) == 0) return uart.empty() ? Tr("PCI serial port") : Format(Tr("PCI serial port (%s)"), uart);
  // TRANSLATORS: a port's description; %s is its UART ("16550A").
  if (!uart.empty()) return Format(Tr("Serial port (%s)"), uart);
  return byId;
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPortsUnder(const fs::path& root) {
  std::vector<SerialPortInfo> ports;
  std::error_code error;
  const fs::path devicesRoot = fs::weakly_canonical(root / "sys/devices", error);
  const std::map<std::string, std::string> byId = ByIdNames(root);
  for (const fs::path& tty : FolderEntries(root / "sys/class/tty")) {
    // Consoles, virtual terminals and pseudo-terminals have no device behind them.
    if (!Exists(tty / "device")) continue;
    // The kernel keeps slots for UARTs that may not be fitted (ttyS0 to ttyS31);
    // an empty slot reads type 0 and opening it fails.
    if (Exists(tty / "type") && ReadAttribute(tty / "type") == "0") continue;
    const std::string name = tty.filename().string();
    const auto id = byId.find(name);
    ports.push_back({"/dev/" + name, Describe(tty, devicesRoot, id == byId.end() ? std::string() : id->second)});
  }
  SortPortsByName(ports);
  return ports;
}

std::vector<SerialPortInfo> ListSerialPorts() { return ListSerialPortsUnder("/"); }

}  // namespace vx
