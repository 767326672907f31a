// The Windows program end to end: works the running window through its
// controls as an operator would -- chooses the port, changes tabs, types,
// clicks, answers message boxes, file dialogs and the printed-number entry
// box (digits then Enter, as a barcode scanner types them), presses F2 -- and checks
// what List1, the message boxes, the banner, the frames the simulated devices
// logged and the card record say. One table of steps; the first failing step
// ends the run with its name and what was seen.
//
// Run by scripts/test-windows-e2e in a folder that holds the simulated
// devices' logs (sim-COM1.log, ...); the window must be running already.
//   e2e_driver --corrupt-port N --silent-port N --no-device-port N --above-16-port N
//   e2e_driver --window-only   the window is up with its nine tabs; then closes it
//   e2e_driver --shared-record the window started with --shared-record: writes
//                              through the shared record, and asks about a card
//                              the Linux station LINUX-DESK wrote as 12,2000
//   e2e_driver --german        the window, started with --language de, shows the German
//                              catalogue's captions, none cut short or covered; then closes it
//                              (with --keep-open it stays, for a picture)

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "operations/tabs.h"
#include "window/window_core.h"
#include "i18n/translate.h"
#include "i18n/use_language.h"
#include "winapp/control_ids_windows.h"
#include "winapp/export_layout_dialog_ids_windows.h"
#include "winapp/printed_number_dialog_ids_windows.h"
#include "winapp/window_fonts_windows.h"
#include "winapp/window_layout_windows.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

using vx::win::CommandId;
using vx::win::TextId;
constexpr int kLink = CommandId(12);
constexpr int kBrowse = CommandId(2);
constexpr int kMessageText = 0xFFFF;  // the static that carries a message box's text
constexpr int kFileNameCombo = 0x47C;  // cmb13 of the file dialogs
constexpr int kFileNameEdit = 0x480;   // edt1, in dialogs of the older layout

const wchar_t* const kTitle = vx::win::kWindowTitle;

std::wstring Wide(const std::string& text) {
  std::wstring out(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()));
  return out;
}

std::string Utf8(const std::wstring& text) {
  std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND window) {
  const int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// ---- what the table asks for ------------------------------------------------

enum class Act {
  Link,           // "Link"
  Write,          // the tab's "Write Card"
  Read,           // the tab's "Read Card"
  F2,             // the F2 key: "Write Card" of the tab in front
  UseDatabase,    // tick "Use Database"
  Browse,         // "Browse", answering the open dialog with the card-number file
  BrowsePrinted,  // "Browse", answering the open dialog with the card-number file of printed numbers
  KeepRecord,     // tick "Keep Record", answering the save dialog with the record's name; or untick it
  CheckPrinted,   // tick or untick "Check Printed Number"
  Identify,       // "Identify Card"
  Export,         // "Export…", choosing kExportLayout, answering the save dialog with the export's name
  Report,         // "Report…", answering the save dialog with the report's name
};

enum Port { kDevice = 1, kCorrupt = -1, kSilent = -2, kNothing = -3, kAbove16 = -4 };

struct Step {
  const char* name;
  Act act;
  int port;        // Combo1 entry: kDevice, or one the command line names
  int tab;         // SSTab1 position brought to front first
  const char* fc;  // typed into the tab's boxes first, when given
  const char* cn;
  std::vector<std::string> lines;     // the lines List1 gains, in order (as simLines, "..." for anything)
  const char* box;                    // the message box that must come, or nullptr
  std::vector<std::string> simLines;  // lines the port's device logs, in order (a line may end in "...")
  const char* banner;                 // what the banner must start with, or nullptr
  int frontAfter = -1;                // the tab in front afterwards, when given
  bool lineQuiet = false;             // the port's device logs nothing at all
  const char* printed = nullptr;      // typed into the printed-number entry box, then Enter; without, none may come
  const char* progress = nullptr;     // what the batch line says afterwards, when given
};

// Names outside ASCII, as an operator's may be: the window must carry them
// through the file dialogs, the card-number file and the record unchanged.
const wchar_t kCardFile[] = L"Zo\u00EB cards.txt";
const wchar_t kPrintedCardFile[] = L"Zo\u00EB printed.txt";
const wchar_t kRecordFile[] = L"Zo\u00EB record.csv";
const wchar_t kExportFile[] = L"Zo\u00EB export.csv";
const wchar_t kReportFile[] = L"Zo\u00EB report.html";
constexpr std::string_view kExportLayout = "camel";

// Card images and frames as the device logs them; one card per format, with
// numbers near the top of each range so every byte of the layout is used.
const std::vector<Step> kSteps = {
    {"Link", Act::Link, kDevice, 8, nullptr, nullptr, {"System Link Success"}, nullptr,
     {"<- 02 01 00 00 03 03", "-> 02 01 00 00 03 03"}, nullptr},
    {"Write Card HID WG24", Act::Write, kDevice, 8, "33", "4001", {"33,4001", "Write AND Read Block Success"}, nullptr,
     {"<- 02 01 A5 0B 00 00 06 10 00 00 00 21 00 0F A1 34 03", "-- card Wiegand, 24 bits: 1 1000010000111110100001 1"},
     "\u2714 Written and verified: 33,4001"},
    {"Write Card HID  WG26", Act::Write, kDevice, 0, "18", "300", {"18,300", "Write AND Read Block Success"}, nullptr,
     {"<- 02 01 A5 0B 00 00 08 10 00 00 00 12 00 01 2C 8A 03", "-- card Wiegand, 26 bits: 0 000100100000000100101100 1"},
     nullptr},
    {"Write Card HID  WG32", Act::Write, kDevice, 1, "9001", "60001", {"9001,60001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 0E 10 00 00 23 29 00 EA 61 32 03",
      "-- card Wiegand, 32 bits: 1 100011001010011110101001100001 0"},
     nullptr},
    {"Write Card HID WG34", Act::Write, kDevice, 2, "40001", "50001", {"40001,50001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 10 10 00 00 9C 41 00 C3 51 E2 03",
      "-- card Wiegand, 34 bits: 0 10011100010000011100001101010001 0"},
     nullptr},
    {"Write Card HID WG35", Act::Write, kDevice, 3, "5001", "1000001", {"5001,1000001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 0D 14 00 00 13 89 0F 42 41 22 03",
      "-- card Wiegand, 35 bits: 0 100111000100111110100001001000001 1"},
     nullptr},
    {"Write Card HID WG36", Act::Write, kDevice, 4, "20001", "400001", {"20001,400001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 0F 13 00 00 4E 21 06 1A 81 43 03",
      "-- card Wiegand, 36 bits: 0 1001110001000011100001101010000001 0"},
     nullptr},
    {"Write Card HID WG37", Act::Write, kDevice, 5, "50001", "500001", {"50001,500001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 10 13 00 00 C3 51 07 A1 21 BB 03",
      "-- card Wiegand, 37 bits: 1 11000011010100011111010000100100001 1"},
     nullptr},
    {"Write Card HID WG40", Act::Write, kDevice, 6, "60001", "4000001", {"60001,4000001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 10 16 00 00 EA 61 3D 09 01 15 03",
      "-- card Wiegand, 40 bits: 1 11101010011000011111010000100100000001 0"},
     nullptr},
    {"Write Card EM4100", Act::Write, kDevice, 7, "200", "4000000001", {"200,4000000001", "Write AND Read Block Success"},
     nullptr,
     {"<- 02 01 A5 0B 00 00 00 00 00 00 C8 EE 6B 28 01 C9 03",
      "-- card EM4100, 64 bits: 111111111 11000 10001 11101 11101 01100 10111 00101 10001 00000 00011 0010 0"},
     nullptr},
    // The EM4100 card just written is in the field.
    {"Read Card EM4100", Act::Read, kDevice, 7, nullptr, nullptr, {"200,4000000001"}, nullptr,
     {"<- 02 01 A4 0B 00 00 00 00 00 00 ..."}, "\u25CF Read: 200,4000000001"},
    {"F2 writes on the tab in front", Act::F2, kDevice, 0, "18", "301", {"18,301", "Write AND Read Block Success"},
     nullptr, {"<- 02 01 A5 0B 00 00 08 10 00 00 00 12 00 01 2D 8B 03", "-- card ..."}, nullptr},
    {"Read Card HID  WG26", Act::Read, kDevice, 0, nullptr, nullptr, {"18,301"}, nullptr, {"<- 02 01 A4 ..."}, nullptr},
    // Started from another tab: every format is read, and the card's own tab comes to the front.
    {"Identify Card", Act::Identify, kDevice, 8, nullptr, nullptr, {"HID26: 18,301"}, nullptr,
     {"<- 02 01 A4 0B 00 00 08 10 00 00 ...", "<- 02 01 A4 0B 00 00 06 10 00 00 ...",
      "<- 02 01 A4 0B 00 00 00 00 00 00 ..."},
     "\u25CF HID  WG26: 18,301", 0},
    {"verify fault", Act::Write, kCorrupt, 0, "18", "400", {"18,401", "Verify Block Data Fail"}, nullptr,
     {"<- 02 01 A5 ...", "-- card ...", "<- 02 01 A4 ..."}, "\u2718 Verify failed: the card holds 18,401, not 18,400"},
    {"silent device", Act::Write, kSilent, 0, "18", "500", {"Write Block Data Fail"}, nullptr, {"<- 02 01 A5 ..."},
     nullptr},
    // Typed into Combo1's field: a port beyond its entries, the good device behind it.
    {"a port above 16, typed", Act::Link, kAbove16, 0, nullptr, nullptr, {"System Link Success"}, nullptr, {}, nullptr},
    {"nothing behind the port", Act::Link, kNothing, 0, nullptr, nullptr, {}, "COM port open failure!", {}, nullptr},
    // A batch of three cards from a card-number file, recorded.
    {"tick Use Database", Act::UseDatabase, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
    {"tick Keep Record", Act::KeepRecord, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
    {"Browse the card-number file", Act::Browse, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
    {"batch card 1", Act::Write, kDevice, 0, nullptr, nullptr, {"12,1001", "Write AND Read Block Success"}, nullptr,
     {"<- 02 01 A5 0B 00 00 08 10 00 00 00 0C 00 03 E9 ..."}, nullptr},
    {"batch card 2", Act::F2, kDevice, 0, nullptr, nullptr, {"12,1002", "Write AND Read Block Success"}, nullptr,
     {"<- 02 01 A5 0B 00 00 08 10 00 00 00 0C 00 03 EA ..."}, nullptr},
    {"batch card 3", Act::Write, kDevice, 0, nullptr, nullptr, {"12,1003", "Write AND Read Block Success"},
     " The Card is End!", {"<- 02 01 A5 0B 00 00 08 10 00 00 00 0C 00 03 EB ..."}, "\u2714 Batch complete: 3 written"},
    // The record those three cards left, saved for the site's system and as a
    // report; scripts/test-windows-e2e reads both files. Nothing reaches the device.
    {"Export\u2026 the batch", Act::Export, kDevice, 0, nullptr, nullptr,
     {"3 credentials exported (...\\Zo\u00EB export.csv)"}, nullptr, {}, nullptr, -1, true},
    {"Report\u2026 on the batch", Act::Report, kDevice, 0, nullptr, nullptr,
     {"The job report is written (...\\Zo\u00EB report.html)."}, nullptr, {}, nullptr, -1, true},
    // A file of printed numbers, the record left as the batch made it. The
    // card in hand is printed as the second entry: nothing is sent and the
    // first entry waits for its own card.
    {"untick Keep Record", Act::KeepRecord, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
    {"Browse the card-number file of printed numbers", Act::BrowsePrinted, kDevice, 0, nullptr, nullptr, {}, nullptr,
     {}, nullptr, -1, false, nullptr, "Next card: 1 of 3"},
    {"tick Check Printed Number", Act::CheckPrinted, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
    {"Write Card, the card printed as the next entry", Act::Write, kDevice, 0, nullptr, nullptr, {},
     "Not written: this card is printed 0004712, the next entry is printed 0004711", {},
     "\u2718 Not written: this card is printed 0004712, the next entry is printed 0004711", -1, true, "0004712",
     "Next card: 1 of 3"},
    {"Write Card, the card printed as its entry", Act::Write, kDevice, 0, nullptr, nullptr,
     {"12,1101", "Write AND Read Block Success"}, nullptr, {"<- 02 01 A5 0B 00 00 08 10 00 00 00 0C 00 04 4D ..."},
     "\u2714 Written and verified: 12,1101 (card 1 of 3)", -1, false, "0004711", "Next card: 2 of 3"},
    {"untick Check Printed Number", Act::CheckPrinted, kDevice, 0, nullptr, nullptr, {}, nullptr, {}, nullptr},
};

// With the shared record: a card written through it, then one that another
// station wrote first. The question presets No, and No sends nothing.
const std::vector<Step> kSharedSteps = {
    {"shared record: Write Card reserves and settles", Act::Write, kDevice, 0, "18", "700",
     {"18,700", "Write AND Read Block Success"}, nullptr, {"<- 02 01 A5 0B 00 00 08 10 00 00 00 12 00 02 BC ...", "-- card ..."},
     "\u2714 Written and verified: 18,700"},
    {"shared record: written at another station, No", Act::Write, kDevice, 0, "12", "2000", {},
     "12,2000 (HID26) is already written: ... at station LINUX-DESK, typed. Write it again?", {},
     "\u2718 Not written: 12,2000 is already written", -1, true},
};

// The record those three cards leave: card number, entry in the file.
const std::vector<std::pair<std::string, std::string>> kRecordedCards = {{"1001", "1"}, {"1002", "2"}, {"1003", "3"}};

// The card-number file of printed numbers, with their leading zeros.
constexpr std::string_view kPrintedCards = "fc,cn,printed\r\n12,1101,0004711\r\n12,1102,0004712\r\n12,1103,0004713\r\n";

// ---- finding and working the window -------------------------------------------

struct Failure {
  std::string what;
};

[[noreturn]] void Fail(const std::string& what) { throw Failure{what}; }

HWND gMain = nullptr;
DWORD gProcess = 0;

HWND Control(int id) {
  HWND control = GetDlgItem(gMain, id);
  if (!control) Fail("the window has no control with id " + std::to_string(id));
  return control;
}

struct FoundDialog {
  HWND window = nullptr;
  bool messageBox = false;
};

// A dialog the program shows: a message box (titled as the program, with its
// text in a static), or a file dialog.
FoundDialog FindDialog() {
  FoundDialog found;
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        wchar_t cls[64] = {};
        GetClassNameW(window, cls, 64);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != gProcess || std::wstring(cls) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        auto* out = reinterpret_cast<FoundDialog*>(param);
        out->window = window;
        out->messageBox = TextOf(window) == kTitle && GetDlgItem(window, kMessageText) != nullptr;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The button a message box presets, drawn as the default one.
int PresetButton(HWND box) {
  for (const int id : {IDYES, IDNO, IDOK, IDCANCEL}) {
    HWND button = GetDlgItem(box, id);
    if (button && (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
  }
  const LRESULT preset = SendMessageW(box, DM_GETDEFID, 0, 0);
  return HIWORD(preset) == DC_HASDEFID ? LOWORD(preset) : IDOK;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::wstring> ListLines() {
  HWND list = Control(vx::win::kList1Id);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::vector<std::wstring> lines;
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, i, 0));
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
    line.resize(static_cast<std::size_t>(length));
    lines.push_back(line);
  }
  return lines;
}

std::string FullPath(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  GetFullPathNameW(name, MAX_PATH, path, nullptr);
  return Utf8(path);
}

// The name a step's save or open dialog is answered with; none for a step
// that must bring no file dialog.
const wchar_t* FileAnswering(Act act) {
  switch (act) {
    case Act::Browse: return kCardFile;
    case Act::BrowsePrinted: return kPrintedCardFile;
    case Act::KeepRecord: return kRecordFile;
    case Act::Export: return kExportFile;
    case Act::Report: return kReportFile;
    default: return nullptr;
  }
}

// ---- the devices' logs ----------------------------------------------------------

std::string LogName(int port) { return "sim-COM" + std::to_string(port) + ".log"; }

std::vector<std::string> LogLinesFrom(int port, std::size_t offset) {
  std::ifstream in(LogName(port), std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::size_t LogSize(int port) {
  std::ifstream in(LogName(port), std::ios::binary | std::ios::ate);
  return in ? static_cast<std::size_t>(in.tellg()) : 0;
}

// "..." in the expected text stands for anything at all.
bool LineMatches(const std::string& line, const std::string& expected) {
  const std::size_t gap = expected.find("...");
  if (gap == std::string::npos) return line == expected;
  const std::string_view head(expected.data(), gap), tail(expected.data() + gap + 3, expected.size() - gap - 3);
  return line.size() >= head.size() + tail.size() && line.starts_with(head) && line.ends_with(tail);
}

// The expected lines appear in this order among the lines logged since `offset`.
bool LogHolds(int port, std::size_t offset, const std::vector<std::string>& expected) {
  std::size_t next = 0;
  for (const std::string& line : LogLinesFrom(port, offset))
    if (next < expected.size() && LineMatches(line, expected[next])) ++next;
  return next == expected.size();
}

// ---- running one step -----------------------------------------------------------

struct Ports {
  int corrupt = 2, silent = 3, nothing = 9, above16 = 17;
  int Of(int port) const {
    switch (port) {
      case kCorrupt: return corrupt;
      case kSilent: return silent;
      case kNothing: return nothing;
      case kAbove16: return above16;
      default: return port;
    }
  }
};

// Ports 1 to 16 by their entry, as a click in the list chooses it; others
// typed into the field by name.
void ChoosePort(int port) {
  HWND combo = Control(vx::win::kCombo1Id);
  if (port <= 16) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(port - 1), 0);
    SendMessageW(gMain, WM_COMMAND, MAKEWPARAM(vx::win::kCombo1Id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return;
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  const std::wstring name = L"COM" + std::to_wstring(port);
  SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  SendMessageW(gMain, WM_COMMAND, MAKEWPARAM(vx::win::kCombo1Id, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(combo));
}

void BringTab(int position) {
  HWND strip = Control(vx::win::kSSTab1Id);
  if (SendMessageW(strip, TCM_GETCURSEL, 0, 0) == position) return;
  SendMessageW(strip, TCM_SETCURFOCUS, static_cast<WPARAM>(position), 0);
  if (SendMessageW(strip, TCM_GETCURSEL, 0, 0) != position) Fail("tab " + std::to_string(position) + " did not come to front");
}

void Type(int box, const char* text) {
  SendMessageW(Control(TextId(box)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  const std::string shown = Utf8(TextOf(Control(TextId(box))));
  if (shown != text) Fail(std::string("Text") + std::to_string(box) + " shows \"" + shown + "\" after typing \"" + text + "\"");
}

// Answers a file dialog with a file name, as typed into its name box.
void AnswerFileDialog(HWND dialog, const std::string& path) {
  HWND name = GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = GetDlgItem(dialog, kFileNameEdit);
  if (!name) Fail("the file dialog has no file-name box");
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(path).c_str()));
  PressDialogButton(dialog, IDOK);
}

// Chooses a named layout in the dialog of "Export…", as picked from its list, and presses OK.
void AnswerLayoutDialog(HWND dialog, std::string_view layout) {
  HWND list = GetDlgItem(dialog, VX_EXPORT_LAYOUT_LIST);
  const LRESULT entry =
      SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(std::string(layout)).c_str()));
  if (entry == CB_ERR) Fail("the layout dialog offers no " + std::string(layout));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  PressDialogButton(dialog, IDOK);
}

// Types into the printed-number entry box as a keyboard-wedge scanner does,
// into whatever has the focus: the digits, then Enter. The entry line must
// have the focus without a click, and Enter must answer the box.
void AnswerPrintedNumber(HWND dialog, const std::string& printed) {
  HWND field = GetDlgItem(dialog, VX_PRINTED_NUMBER_FIELD);
  const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
  GUITHREADINFO focus{};
  focus.cbSize = sizeof focus;
  const auto focusDeadline = Clock::now() + 2s;
  while (!(GetGUIThreadInfo(thread, &focus) && focus.hwndFocus == field)) {
    if (Clock::now() > focusDeadline) Fail("the entry line of the printed number does not have the focus");
    Sleep(20);
  }
  for (const char digit : printed) PostMessageW(focus.hwndFocus, WM_CHAR, static_cast<WPARAM>(digit), 1);
  const auto typedDeadline = Clock::now() + 2s;
  while (Utf8(TextOf(field)) != printed) {
    if (Clock::now() > typedDeadline)
      Fail("the entry line shows \"" + Utf8(TextOf(field)) + "\" after typing \"" + printed + "\"");
    Sleep(20);
  }
  PostMessageW(focus.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(focus.hwndFocus, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
  const auto closeDeadline = Clock::now() + 2s;
  while (IsWindow(dialog) && IsWindowVisible(dialog)) {
    if (Clock::now() > closeDeadline) Fail("Enter did not answer the printed-number entry box");
    Sleep(20);
  }
}

// Presses a control from a second thread (the press returns only when its
// handler has, and the handler may wait on a dialog that this thread answers),
// or posts F2. Then answers what comes up until the handler is done.
void Perform(const Step& step, HWND control, std::size_t linesBefore, std::vector<std::string>& boxes,
             bool& fileDialogAnswered, bool& printedAnswered) {
  // Shared with the pressing thread, which may outlive a step that timed out.
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread presser;
  if (step.act == Act::F2) {
    PostMessageW(gMain, WM_KEYDOWN, VK_F2, 0x003C0001);
    PostMessageW(gMain, WM_KEYUP, VK_F2, static_cast<LPARAM>(0xC03C0001));
  } else {
    presser = std::thread([control, done] {
      SendMessageW(control, BM_CLICK, 0, 0);
      *done = true;
    });
  }
  // A step that fails leaves the pressing thread to itself.
  struct LetGoOnThrow {
    std::thread& thread;
    ~LetGoOnThrow() {
      if (thread.joinable()) thread.detach();
    }
  } letGo{presser};
  // A dialog is answered once, however long it takes to go away.
  std::set<HWND> answered;
  const auto deadline = Clock::now() + 20s;
  while (Clock::now() < deadline) {
    FoundDialog dialog = FindDialog();
    if (answered.contains(dialog.window)) dialog = {};
    if (dialog.window) answered.insert(dialog.window);
    if (dialog.window && dialog.messageBox) {
      boxes.push_back(Utf8(TextOf(GetDlgItem(dialog.window, kMessageText))));
      // Answered as Enter answers it: with the preset button. Every question
      // in the steps presets No.
      const int button = PresetButton(dialog.window);
      if (GetDlgItem(dialog.window, IDNO) && button != IDNO) Fail("the question \"" + boxes.back() + "\" does not preset No");
      PressDialogButton(dialog.window, button);
      Sleep(100);
      continue;
    }
    if (dialog.window && GetDlgItem(dialog.window, VX_PRINTED_NUMBER_FIELD)) {
      if (!step.printed) Fail("an unexpected printed-number entry box");
      AnswerPrintedNumber(dialog.window, step.printed);
      printedAnswered = true;
      continue;
    }
    if (dialog.window && step.act == Act::Export && GetDlgItem(dialog.window, VX_EXPORT_LAYOUT_LIST)) {
      AnswerLayoutDialog(dialog.window, kExportLayout);
      Sleep(100);
      continue;
    }
    if (dialog.window) {
      const wchar_t* file = FileAnswering(step.act);
      if (!file) Fail("an unexpected dialog \"" + Utf8(TextOf(dialog.window)) + "\"");
      AnswerFileDialog(dialog.window, FullPath(file));
      fileDialogAnswered = true;
      Sleep(100);
      continue;
    }
    if (step.act == Act::F2) {
      // A posted key has no return to wait for: the step is done when
      // List1 has its lines and the box, if any, has come and gone.
      if (ListLines().size() >= linesBefore + step.lines.size() && (!step.box || !boxes.empty())) {
        *done = true;
        Sleep(200);
        const HWND late = FindDialog().window;
        if (late && !answered.contains(late)) continue;
      }
    }
    if (*done) break;
    Sleep(20);
  }
  if (presser.joinable()) {
    if (!*done) {
      presser.detach();
      Fail("the window did not finish within 20 s");
    }
    presser.join();
  }
}

void RunStep(const Step& step, const Ports& ports) {
  const int port = ports.Of(step.port);
  ChoosePort(port);
  BringTab(step.tab);
  const vx::TabSpec& tab = *vx::TabAt(step.tab);
  if (step.fc) Type(tab.fcBox, step.fc);
  if (step.cn) Type(tab.cnBox, step.cn);

  HWND control = nullptr;
  switch (step.act) {
    case Act::Link: control = Control(kLink); break;
    case Act::Write: control = Control(CommandId(tab.writeButton)); break;
    case Act::Read: control = Control(CommandId(tab.readButton)); break;
    case Act::UseDatabase: control = Control(vx::win::kUseDatabaseId); break;
    case Act::KeepRecord: control = Control(vx::win::kKeepRecordId); break;
    case Act::Browse:
    case Act::BrowsePrinted: control = Control(kBrowse); break;
    case Act::CheckPrinted: control = Control(vx::win::kCheckPrintedNumberId); break;
    case Act::Identify: control = Control(CommandId(vx::kIdentifyButton)); break;
    case Act::Export: control = Control(CommandId(vx::kExportButton)); break;
    case Act::Report: control = Control(CommandId(vx::kReportButton)); break;
    case Act::F2: break;
  }
  const std::size_t logOffset = LogSize(port);
  const std::vector<std::wstring> before = ListLines();
  const bool checkBox = step.act == Act::UseDatabase || step.act == Act::KeepRecord || step.act == Act::CheckPrinted;
  const auto ticked = [control] { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; };
  const bool tickedBefore = checkBox && ticked();
  std::vector<std::string> boxes;
  bool fileDialogAnswered = false;
  bool printedAnswered = false;
  Perform(step, control, before.size(), boxes, fileDialogAnswered, printedAnswered);

  const std::vector<std::wstring> after = ListLines();
  std::vector<std::string> added;
  for (std::size_t i = before.size(); i < after.size(); ++i) added.push_back(Utf8(after[i]));
  bool listAsWanted = added.size() == step.lines.size();
  for (std::size_t i = 0; listAsWanted && i < added.size(); ++i) listAsWanted = LineMatches(added[i], step.lines[i]);
  if (!listAsWanted) {
    std::string seen;
    for (const std::string& line : added) seen += "\n    \"" + line + "\"";
    Fail("List1 gained" + (seen.empty() ? std::string(" nothing") : seen));
  }
  const std::vector<std::string> wanted = step.box ? std::vector<std::string>{step.box} : std::vector<std::string>{};
  if (boxes.size() != wanted.size() || (step.box && !LineMatches(boxes.front(), step.box)))
    Fail(boxes.empty() ? "no message box came" : "message box \"" + boxes.front() + "\"");
  // Unticking "Keep Record" asks for no file.
  const bool wantsFile = FileAnswering(step.act) && !(step.act == Act::KeepRecord && tickedBefore);
  if (wantsFile && !fileDialogAnswered) Fail("no file dialog came");
  if (step.printed && !printedAnswered) Fail("no printed-number entry box came");
  if (checkBox && ticked() == tickedBefore) Fail(tickedBefore ? "the box is still ticked" : "the box is not ticked");
  if (step.banner) {
    const std::string banner = Utf8(TextOf(Control(vx::win::kResultBannerId)));
    if (!banner.starts_with(step.banner)) Fail("the banner says \"" + banner + "\"");
  }
  if (step.progress) {
    const std::string progress = Utf8(TextOf(Control(vx::win::kBatchProgressId)));
    if (progress != step.progress) Fail("the batch line says \"" + progress + "\"");
  }
  if (step.frontAfter >= 0) {
    const auto front = static_cast<int>(SendMessageW(Control(vx::win::kSSTab1Id), TCM_GETCURSEL, 0, 0));
    if (front != step.frontAfter) Fail("tab " + std::to_string(front) + " is in front");
  }
  if (step.lineQuiet) {
    Sleep(300);
    if (LogSize(port) != logOffset) Fail("the device on COM" + std::to_string(port) + " was sent something");
  }
  if (!step.simLines.empty()) {
    // The device logs a frame as it takes it in; allow the log a moment to reach the disk.
    const auto deadline = Clock::now() + 2s;
    while (!LogHolds(port, logOffset, step.simLines)) {
      if (Clock::now() > deadline) {
        std::string logged;
        for (const std::string& line : LogLinesFrom(port, logOffset)) logged += "\n    " + line;
        Fail("the device on COM" + std::to_string(port) + " logged:" + (logged.empty() ? " nothing" : logged));
      }
      Sleep(50);
    }
  }
}

std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') {
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// The record the batch left: its header, then one line per card, each from
// the card-number file's entry, written and read back as sent.
void CheckRecord() {
  std::ifstream in(std::filesystem::path(kRecordFile), std::ios::binary);
  if (!in) Fail(std::string("no record at ") + FullPath(kRecordFile));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  if (lines.size() != kRecordedCards.size() + 1 || !lines[0].starts_with("time,port,tab,format,"))
    Fail("the record holds " + std::to_string(lines.size()) + " lines, first \"" + (lines.empty() ? "" : lines[0]) + "\"");
  for (std::size_t i = 0; i < kRecordedCards.size(); ++i) {
    const std::vector<std::string> f = CsvFields(lines[i + 1]);
    const auto& [cn, entry] = kRecordedCards[i];
    const bool ok = f.size() == 15 && f[1] == "COM1" && f[3] == "HID26" && f[8] == "12" && f[9] == cn &&
                    f[10] == FullPath(kCardFile) && f[11] == entry && f[12] == "written" && f[13] == "12" && f[14] == cn;
    if (!ok) Fail("record line " + std::to_string(i + 2) + ": " + lines[i + 1]);
  }
}

void WriteCardFiles() {
  std::ofstream out(std::filesystem::path(kCardFile), std::ios::binary | std::ios::trunc);
  for (const auto& [cn, entry] : kRecordedCards) out << "12," << cn << "\r\n";
  std::ofstream(std::filesystem::path(kPrintedCardFile), std::ios::binary | std::ios::trunc) << kPrintedCards;
  std::error_code ignored;
  std::filesystem::remove(kRecordFile, ignored);
}

bool FindMainWindow() {
  const auto deadline = Clock::now() + 60s;
  while (Clock::now() < deadline) {
    gMain = FindWindowW(vx::win::kWindowClass, kTitle);
    if (gMain && IsWindowVisible(gMain)) {
      GetWindowThreadProcessId(gMain, &gProcess);
      return true;
    }
    Sleep(200);
  }
  return false;
}

}  // namespace

// For the installed program: its window came up whole, and closes when asked.
int CheckWindowAndClose() {
  const auto tabs = SendMessageW(Control(vx::win::kSSTab1Id), TCM_GETITEMCOUNT, 0, 0);
  if (tabs != vx::kTabCount) {
    std::printf("FAIL: the window shows %d tabs\n", static_cast<int>(tabs));
    return 1;
  }
  PostMessageW(gMain, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(gMain); ++i) Sleep(100);
  if (IsWindow(gMain)) {
    std::puts("FAIL: the window did not close");
    return 1;
  }
  return 0;
}

// The controls the window shows, where they are, at 96 DPI as the layout
// rules count.
std::vector<vx::win::ShownControl> ShownControls(int dpi) {
  std::vector<vx::win::ShownControl> shown;
  for (HWND control = GetWindow(gMain, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    if (!IsWindowVisible(control)) continue;
    wchar_t cls[64] = {};
    GetClassNameW(control, cls, 64);
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, gMain, reinterpret_cast<POINT*>(&place), 2);
    const RECT logical{MulDiv(place.left, 96, dpi), MulDiv(place.top, 96, dpi), MulDiv(place.right, 96, dpi),
                       MulDiv(place.bottom, 96, dpi)};
    shown.push_back({GetDlgCtrlID(control),
                     vx::win::KindOf(cls, static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE))), logical,
                     TextOf(control)});
  }
  return shown;
}

// For the window started with --language de: a few captions are the German
// catalogue's (through the program's own Tr, so the check follows the .po),
// and on every tab no text is cut short and no control covers another.
void CheckGerman() {
  if (vx::UseLanguage("de") != "de") Fail("the program has no German catalogue");
  struct Caption {
    int id;
    const char* english;
  };
  const vx::TabSpec& front = *vx::TabAt(vx::kStartTab);
  const Caption captions[] = {
      {CommandId(front.writeButton), "Write Card"},
      {CommandId(front.readButton), "Read Card"},
      {vx::win::kKeepRecordId, "Keep Record"},
      {CommandId(vx::kIdentifyButton), "Identify Card"},
  };
  for (const Caption& caption : captions) {
    const std::string german = vx::Tr(caption.english);
    if (german == caption.english) Fail(std::string("the German catalogue leaves \"") + caption.english + "\" English");
    const std::string shown = Utf8(TextOf(Control(caption.id)));
    if (shown != german)
      Fail("control " + std::to_string(caption.id) + " shows \"" + shown + "\", not \"" + german + "\"");
  }
  const int dpi = vx::win::DpiOf(gMain);
  const vx::win::WindowFonts fonts(dpi);
  const vx::win::MeasureText measure = vx::win::MeasureIn(fonts);
  for (const vx::TabSpec& tab : vx::kTabs) {
    BringTab(tab.position);
    RECT client{};
    GetClientRect(gMain, &client);
    const SIZE area{MulDiv(client.right, 96, dpi), MulDiv(client.bottom, 96, dpi)};
    std::string faults;
    for (const std::string& fault : vx::win::LayoutFaults(ShownControls(dpi), area, measure)) faults += "\n    " + fault;
    if (!faults.empty()) Fail("on the tab " + std::string(tab.caption) + ":" + faults);
  }
}

int wmain(int argc, wchar_t** argv) {
  Ports ports;
  const bool windowOnly = argc == 2 && std::wstring(argv[1]) == L"--window-only";
  const bool sharedRecord = argc == 2 && std::wstring(argv[1]) == L"--shared-record";
  const bool german = argc >= 2 && std::wstring(argv[1]) == L"--german";
  const bool keepOpen = argc == 3 && std::wstring(argv[2]) == L"--keep-open";  // for a picture
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    const int value = _wtoi(argv[i + 1]);
    if (option == L"--corrupt-port") ports.corrupt = value;
    else if (option == L"--silent-port") ports.silent = value;
    else if (option == L"--no-device-port") ports.nothing = value;
    else if (option == L"--above-16-port") ports.above16 = value;
  }
  if (!FindMainWindow()) {
    std::puts("FAIL: no window \"VANDORIX PROGRAMMER\" within 60 s");
    return 1;
  }
  if (windowOnly || german) {
    try {
      if (german) CheckGerman();
      return keepOpen ? 0 : CheckWindowAndClose();
    } catch (const Failure& failure) {
      std::printf("FAIL: %s\n", failure.what.c_str());
      return 1;
    }
  }
  if (!sharedRecord) WriteCardFiles();
  int failed = 0;
  for (const Step& step : sharedRecord ? kSharedSteps : kSteps) {
    try {
      RunStep(step, ports);
      std::printf("ok    %s\n", step.name);
    } catch (const Failure& failure) {
      std::printf("FAIL  %s: %s\n", step.name, failure.what.c_str());
      ++failed;
      break;  // the steps build on each other
    }
    std::fflush(stdout);
  }
  if (!failed && !sharedRecord) {
    try {
      CheckRecord();
      std::printf("ok    the record read back\n");
    } catch (const Failure& failure) {
      std::printf("FAIL  the record read back: %s\n", failure.what.c_str());
      ++failed;
    }
  }
  std::fflush(stdout);
  return failed ? 1 : 0;
}
