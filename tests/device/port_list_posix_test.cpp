// The Linux port list read from a made-up sysfs tree in a temporary folder,
// laid out as the kernel lays it out: /sys/class/tty/<tty> is a link into the
// device tree, and <tty>/device a link to the hardware behind it.

#include "device/port_list_posix.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_file.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

struct FakeTty {
  std::string name;    // ttyUSB0
  std::string device;  // the hardware's folder under sys/devices; empty for a virtual terminal
  std::string type;    // the "type" attribute of a UART; empty for none
};

struct FakeUsb {
  std::string folder;  // under sys/devices
  std::string product, manufacturer;
  std::string vendorId = "0403", productId = "6001";
};

struct ByIdLink {
  std::string link;  // its name in /dev/serial/by-id
  std::string tty;
};

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text << '\n';
}

void MakeTree(const fs::path& root, const std::vector<FakeTty>& ttys, const std::vector<FakeUsb>& usbs,
              const std::vector<ByIdLink>& byIds) {
  const fs::path devices = root / "sys/devices";
  for (const FakeUsb& usb : usbs) {
    Write(devices / usb.folder / "idVendor", usb.vendorId);
    Write(devices / usb.folder / "idProduct", usb.productId);
    if (!usb.product.empty()) Write(devices / usb.folder / "product", usb.product);
    if (!usb.manufacturer.empty()) Write(devices / usb.folder / "manufacturer", usb.manufacturer);
  }
  fs::create_directories(root / "sys/class/tty");
  for (const FakeTty& tty : ttys) {
    const fs::path folder = tty.device.empty() ? devices / "virtual/tty" / tty.name : devices / tty.device / "tty" / tty.name;
    fs::create_directories(folder);
    Write(folder / "dev", "4:64");
    fs::create_directory_symlink(fs::relative(folder, root / "sys/class/tty"), root / "sys/class/tty" / tty.name);
    if (!tty.device.empty()) fs::create_directory_symlink(fs::relative(devices / tty.device, folder), folder / "device");
    if (!tty.type.empty()) Write(folder / "type", tty.type);
  }
  for (const ByIdLink& byId : byIds) {
    fs::create_directories(root / "dev/serial/by-id");
    fs::create_symlink("../../" + byId.tty, root / "dev/serial/by-id" / byId.link);
  }
}

TEST(PosixPortList, ReadFromSysfs) {
  const std::string usbHub = "pci0000:00/0000:00:14.0/usb1";
  struct Case {
    const char* name;
    std::vector<FakeTty> ttys;
    std::vector<FakeUsb> usbs;
    std::vector<ByIdLink> byIds;
    std::vector<SerialPortInfo> listed;
  };
  const Case cases[] = {
      {"USB adapter: product and maker",
       {{"ttyUSB0", usbHub + "/1-2/1-2:1.0/ttyUSB0", ""}},
       {{usbHub + "/1-2", "FT232R USB UART", "FTDI"}},
       {{"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0"}},
       {{"/dev/ttyUSB0", "FT232R USB UART (FTDI)"}}},
      {"CDC ACM device with a product only",
       {{"ttyACM0", usbHub + "/1-3/1-3:1.0", ""}},
       {{usbHub + "/1-3", "Pico", ""}},
       {},
       {{"/dev/ttyACM0", "Pico"}}},
      {"USB adapter without strings: its by-id name",
       {{"ttyUSB1", usbHub + "/1-4/1-4:1.0/ttyUSB1", ""}},
       {{usbHub + "/1-4", "", "", "1a86", "7523"}},
       {{"usb-1a86_USB_Serial-if00-port0", "ttyUSB1"}},
       {{"/dev/ttyUSB1", "usb-1a86_USB_Serial-if00-port0"}}},
      {"USB adapter without strings or by-id name: its ids",
       {{"ttyUSB1", usbHub + "/1-4/1-4:1.0/ttyUSB1", ""}},
       {{usbHub + "/1-4", "", "", "1a86", "7523"}},
       {},
       {{"/dev/ttyUSB1", "USB serial device 1a86:7523"}}},
      {"UARTs: fitted ones listed, empty slots and virtual terminals not",
       {{"ttyS0", "pnp0/00:04", "4"},
        {"ttyS1", "platform/serial8250", "0"},
        {"ttyS2", "platform/serial8250", "0"},
        {"ttyS4", "pci0000:00/0000:00:16.3", "4"},
        {"ttyAMA0", "platform/fe201000.serial", "32"},
        {"tty1", "", ""},
        {"console", "", ""}},
       {},
       {},
       {{"/dev/ttyAMA0", "Built-in serial port"},
        {"/dev/ttyS0", "Built-in serial port (16550A)"},
        {"/dev/ttyS4", "PCI serial port (16550A)"}}},
      {"numbers in names in their order",
       {{"ttyUSB10", usbHub + "/1-5/1-5:1.0/ttyUSB10", ""},
        {"ttyUSB2", usbHub + "/1-6/1-6:1.0/ttyUSB2", ""},
        {"ttyS0", "pnp0/00:04", "4"}},
       {{usbHub + "/1-5", "A", ""}, {usbHub + "/1-6", "B", ""}},
       {},
       {{"/dev/ttyS0", "Built-in serial port (16550A)"}, {"/dev/ttyUSB2", "B"}, {"/dev/ttyUSB10", "A"}}},
      {"a by-id link whose adapter was pulled out",
       {},
       {},
       {{"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "ttyUSB0"}},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFile folder("");
    MakeTree(folder.dir(), c.ttys, c.usbs, c.byIds);
    EXPECT_EQ(ListSerialPortsUnder(folder.dir()), c.listed);
  }
}

TEST(PosixPortList, NoSysfsNoPorts) {
  test::TempFile folder("");
  EXPECT_TRUE(ListSerialPortsUnder(folder.dir()).empty());
}

}  // namespace
}  // namespace vx
