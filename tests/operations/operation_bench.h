#pragma once
// A window, a port and a card reader/writer for the card operations' tests:
// a format table like a typical HID.cfg, the fake host and link, and a device
// with a card in its field.

#include <cstdint>
#include <string>
#include <vector>

#include "operations/form_state.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "support/card_device.h"
#include "support/fake_host.h"
#include "support/fake_link.h"
#include "support/temp_file.h"

namespace vx::test {

using Strings = std::vector<std::string>;

struct LayoutLine {
  const char* name;
  std::int16_t fcBits, cnBits, paramY, paramZ;
};

// HID26 is the worked example's line: WW=08 XX=16 YY=02 ZZ=10.
inline constexpr LayoutLine kLayouts[] = {
    {"HID26", 8, 16, 2, 10},  {"HID32", 14, 16, 3, 11}, {"HID34", 16, 16, 4, 12}, {"HID35", 13, 20, 5, 13},
    {"HID36", 15, 19, 6, 14}, {"HID37", 16, 19, 7, 15}, {"HID40", 16, 22, 8, 16}, {"hid24", 6, 16, 9, 17},
};

inline void LoadLayouts(FormatTable& table) {
  int r = 0;
  for (const LayoutLine& line : kLayouts) {
    FormatRow& row = table.rows[static_cast<std::size_t>(r++)];
    row.FormatName = line.name;
    row.FcBits = line.fcBits;
    row.CnBits = line.cnBits;
    row.ParamY = line.paramY;
    row.ParamZ = line.paramZ;
    row.FcMax = (1 << line.fcBits) - 1;
    row.CnMax = static_cast<double>((1LL << line.cnBits) - 1);
  }
  table.FormatCount = static_cast<std::int16_t>(r);
}

struct Bench {
  FormState state;
  FakeLink link;
  FakeHost host{state, link};
  CardInFieldDevice device;
  Device dev{state, host, link};

  Bench() {
    LoadLayouts(state.formats);
    device.Attach(link);
  }
  FormatRow& RowOf(const TabSpec& tab) {
    return FindFormatRowOf(state.formats, tab.formatName);
  }
  void LoadCards(std::vector<CardEntry> entries) {
    state.cards.entries = std::move(entries);
    state.cards.CardCount = static_cast<std::int16_t>(state.cards.entries.size());
    state.cards.CardCursor = 0;
  }
  // Both texts of the tab's boxes, "fc/cn".
  std::string Boxes(const TabSpec& tab) { return host.BoxText(tab.fcBox) + "/" + host.BoxText(tab.cnBox); }
};

inline const TabSpec& Tab(std::string_view formatName) { return *TabOfFormat(formatName); }
inline const TabSpec& Em4100Tab() { return kTabs[7]; }

// "read", "write": the commands that went out on the line, in order.
inline Strings Commands(const FakeLink& link) {
  Strings commands;
  for (const Bytes& frame : link.written) commands.push_back(frame[2] == 0xA4 ? "read" : "write");
  return commands;
}

}  // namespace vx::test
