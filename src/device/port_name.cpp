#include "device/port_name.h"

#include <cctype>
#include <string_view>

#include "device/port_entries.h"
#include "i18n/ascii_case.h"

namespace vx {

namespace {

constexpr int kComboEntries = kNumberedPortEntries;

std::string_view TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// The port of the combo's entry n (0-based).
std::string EntryPort(int entry, PortNaming naming) {
  return naming == PortNaming::Windows ? "COM" + std::to_string(entry + 1) : "/dev/ttyS" + std::to_string(entry);
}

bool IsComName(std::string_view text) {
  if (text.size() < 4) return false;
  return EqualsIgnoringAsciiCase(text.substr(0, 3), "COM") && AllDigits(text.substr(3));
}

bool IsDevicePath(std::string_view text) {
  if (text.size() > 1 && text.front() == '/') return true;
  constexpr std::string_view kWindowsDevice = "\\\\.\\";
  return text.size() > kWindowsDevice.size() && text.substr(0, kWindowsDevice.size()) == kWindowsDevice;
}

}  // namespace

PortNaming NativePortNaming() {
#ifdef _WIN32
  return PortNaming::Windows;
#else
  return PortNaming::Posix;
#endif
}

std::optional<std::string> PortNameFor(const PortChoice& choice, PortNaming naming) {
  const bool entryChosen = choice.selectedIndex >= 0 && choice.selectedIndex < kComboEntries;
  // The combo may keep reporting its entry after the operator edited its text;
  // what is shown is what the operator means.
  if (entryChosen && choice.typedText == std::to_string(choice.selectedIndex + 1))
    return EntryPort(choice.selectedIndex, naming);

  const std::string_view text = TrimBlanks(choice.typedText);
  // A port's entry, chosen or its text typed out: "NAME — DESCRIPTION", or
  // the name alone when the system gave no description.
  const bool portEntryChosen = choice.selectedIndex >= kComboEntries;
  const bool nameAlone =
      portEntryChosen && !text.empty() && !AllDigits(text) && text.find(' ') == std::string_view::npos;
  if (const auto name = PortOfEntryText(text); name || nameAlone) {
    const std::string port = name ? *name : std::string(text);
    if (IsDevicePath(port) || IsComName(port)) return port;
    // A chosen entry's name came from the system: on Windows a port not named
    // COMn (a virtual one's, say) opens in the device namespace, never as a file.
    if (portEntryChosen && naming == PortNaming::Windows) return "\\\\.\\" + port;
    return std::nullopt;
  }
  if (AllDigits(text)) {
    // At most two significant digits matter; "0016" is still the 16th port.
    std::string_view digits = text;
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 2) return std::nullopt;
    const int number = std::stoi(std::string(digits));
    if (number < 1 || number > kComboEntries) return std::nullopt;
    return EntryPort(number - 1, naming);
  }
  if (IsComName(text)) {
    // Only names spelt "COM..." get the \\.\ prefix that COM10 and above
    // need from the Windows serial layer, so "com12" would never open there.
    if (naming == PortNaming::Windows) return "COM" + std::string(text.substr(3));
    return std::string(text);
  }
  if (IsDevicePath(text)) return std::string(text);
  return std::nullopt;
}

}  // namespace vx
