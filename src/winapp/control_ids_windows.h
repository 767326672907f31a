#pragma once
// The Windows window's control identifiers. The window creates its controls
// with them and the end-to-end test driver finds the controls by them, so the
// numbers are a contract between the two: change them in both or not at all.
// Numbered controls follow the control numbers of the table of tabs
// (Command4 is 1004, Text3 is 2003, Label1 is 3001).

namespace vx::win {

// The main window.
inline constexpr wchar_t kWindowClass[] = L"VandorixProgrammerWindow";
inline constexpr wchar_t kWindowTitle[] = L"VANDORIX PROGRAMMER";

constexpr int CommandId(int command) { return 1000 + command; }  // buttons: Command<n>
constexpr int TextId(int box) { return 2000 + box; }             // entry boxes: Text<n>, Text2 the database path
constexpr int LabelId(int label) { return 3000 + label; }        // range labels: Label<n>
constexpr int FormatNoteId(int tabPosition) { return 5000 + tabPosition; }

inline constexpr int kCombo1Id = 4001;          // "Com Port"
inline constexpr int kList1Id = 4002;
inline constexpr int kSSTab1Id = 4003;
inline constexpr int kUseDatabaseId = 4004;     // Check1
inline constexpr int kKeepRecordId = 4005;
inline constexpr int kSoundId = 4006;
inline constexpr int kCheckCardFirstId = 4007;
inline constexpr int kFrame9Id = 4008;          // group box "Database Path ..."
inline constexpr int kResultBannerId = 4010;    // its window text is the banner's words
inline constexpr int kRecordPathId = 4011;
inline constexpr int kBatchProgressId = 4012;
inline constexpr int kDeviceNoteId = 4013;
inline constexpr int kSharedRecordId = 4014;
inline constexpr int kSharedRecordLineId = 4015;  // "Shared record: cards on db1, station DESK-2"
inline constexpr int kCheckPrintedNumberId = 4016;
inline constexpr int kPrintedOffsetCaptionId = 4017;  // beside the offset box, TextId(kPrintedOffsetBox)

// Commands of the accelerator table (never control identifiers).
inline constexpr int kF2KeyId = 6002;           // "Write Card" of the tab in front
inline constexpr int kF3KeyId = 6003;           // "Read Card" of the tab in front
inline constexpr int kF4KeyId = 6004;           // "Identify Card"
inline constexpr int kNextTabKeyId = 6010;      // Ctrl+Tab
inline constexpr int kPreviousTabKeyId = 6011;  // Ctrl+Shift+Tab

}  // namespace vx::win
