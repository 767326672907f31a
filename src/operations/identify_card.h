#pragma once
// Identify Card: which formats read the card on the reader. Over one opening
// of the port the card is read in the layout of every tab whose format the
// format file defines, in tab order, then as EM4100. Every format that reads
// it is reported; of several the program picks none, since formats of the
// same length can both decode one card and only the site knows which it uses.

#include <string>
#include <vector>

#include "operations/result_banner.h"
#include "operations/tabs.h"
#include "operations/device_link.h"
#include "carddata/card_outcome.h"

namespace vx {

// One format that read the card: its tab and the read's outcome (verdict
// Read, the numbers read).
struct FormatReading {
  const TabSpec* tab = nullptr;
  CardOutcome outcome;
  std::string printed;  // the printed number the record has for these numbers written in this format, if any
};

struct Identification {
  bool ran = false;       // BusyFlag was free and the port opened
  bool cutShort = false;  // the window closed or the port went away before every format was read
  int formats = 0;        // the formats to read: the tabs HID.cfg defines, and EM4100
  int tried = 0;          // reads sent
  int refused = 0;        // reads answered with no card data
  std::vector<FormatReading> readings;
};

// The "Identify Card" button and F4. With "Keep Record" on, each format that
// reads the card gets its `read` line as it is read.
Identification IdentifyCard(Device& dev);

// "Identifying: HID WG36, 5 of 9"
std::string IdentifyProgressText(const TabSpec& tab, int index, int count);
// "HID26: 12,1000"; EM4100 with its ID: "EM4100: 12,3456789012 (ID 0CCE0A6A14)";
// with the printed number the record has: "HID26: 12,1000, printed 0004711"
std::string ReadingLine(const FormatReading& reading);
// The card's ten hexadecimal digits as EM4100 readers show them: the facility
// code byte, then the 32-bit card number.
std::string Em4100Id(const CardNumbers& card);
// The banner of a finished run.
ResultBanner IdentifyBanner(const Identification& identification);

}  // namespace vx
