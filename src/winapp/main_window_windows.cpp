#include "winapp/main_window_windows.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "device/system_serial_link_windows.h"
#include "winapp/control_ids_windows.h"
#include "winapp/file_dialogs_windows.h"
#include "winapp/message_wait_windows.h"
#include "winapp/export_layout_dialog_windows.h"
#include "winapp/printed_number_dialog_windows.h"
#include "winapp/shared_record_dialog_windows.h"
#include "winapp/window_fonts_windows.h"
#include "winapp/window_layout_windows.h"
#include "platform/utf16_text.h"
#include "operations/printed_check.h"

namespace vx::win {

namespace {

// Posted by CloseWindow(): the window is destroyed from the message loop,
// never from inside the handler of one of its own controls.
constexpr UINT kDestroyLater = WM_APP + 1;
// The window's only timers: the later beeps of a sound cue, one each.
constexpr UINT_PTR kBeepTimerBase = 1;

// The combo box's height with its list dropped down.
constexpr int kComboDropHeight = 300;

constexpr COLORREF kWarningColour = RGB(0xa0, 0x00, 0x00);

std::wstring WindowText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int CheckBoxId(CheckBox box) {
  switch (box) {
    case CheckBox::UseDatabase: return kUseDatabaseId;
    case CheckBox::KeepRecord: return kKeepRecordId;
    case CheckBox::Sound: return kSoundId;
    case CheckBox::CheckCardFirst: return kCheckCardFirstId;
    case CheckBox::SharedRecord: return kSharedRecordId;
    case CheckBox::CheckPrintedNumber: return kCheckPrintedNumberId;
  }
  return 0;
}

std::optional<CheckBox> CheckBoxOf(int id) {
  for (CheckBox box : {CheckBox::UseDatabase, CheckBox::KeepRecord, CheckBox::Sound, CheckBox::CheckCardFirst,
                       CheckBox::SharedRecord, CheckBox::CheckPrintedNumber})
    if (CheckBoxId(box) == id) return box;
  return std::nullopt;
}

// The tab an entry box belongs to, or nullptr (Text2 and unknown numbers).
const TabSpec* TabOfBox(int box) {
  for (const TabSpec& tab : kTabs)
    if (tab.fcBox == box || tab.cnBox == box) return &tab;
  return nullptr;
}

// An entry box the program reads and writes: a tab's, or the printed number's offset.
bool IsEntryBox(int box) { return TabOfBox(box) || box == kPrintedOffsetBox; }

int SystemDpi() { return DpiOf(nullptr); }

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, SerialLink& link)
    : instance_(instance),
      link_(link),
      systemPort_(dynamic_cast<WindowsSerialLink*>(&link)),
      core_(std::make_unique<WindowCore>(*this, link)) {}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
  if (keys_) DestroyAcceleratorTable(keys_);
  for (HBRUSH brush : bannerBrushes_)
    if (brush) DeleteObject(brush);
}

bool MainWindow::Create() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &MainWindow::Procedure;
  windowClass.hInstance = instance_;
  windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);

  const int systemDpi = SystemDpi();
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, MulDiv(kStartWidth, systemDpi, 96),
                            MulDiv(kStartHeight, systemDpi, 96), nullptr, nullptr, instance_, this);
  if (!window_) return false;
  dpi_ = DpiOf(window_);
  // On a monitor of another DPI than the system's the first size was wrong.
  if (dpi_ != systemDpi)
    SetWindowPos(window_, nullptr, 0, 0, Scaled(kStartWidth), Scaled(kStartHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  // Top to bottom, the order in which Tab walks through them.
  const DWORD child = WS_CHILD | WS_VISIBLE;
  // A button, check box or frame, with its caption in the language in use.
  const auto captioned = [this](DWORD style, int id) { return Add(L"BUTTON", FixedCaption(id), style, id); };
  groupBoxes_.push_back(captioned(child | BS_GROUPBOX, kComPortFrameId));
  focusOrder_.push_back(
      Add(L"COMBOBOX", L"", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, kCombo1Id));
  Add(L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, kDeviceNoteId);
  groupBoxes_.push_back(captioned(child | BS_GROUPBOX, kSystemFrameId));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kClearButton)));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kLinkButton)));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kUseDatabaseId));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kSoundId));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kKeepRecordId));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kCheckCardFirstId));
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kCheckPrintedNumberId));
  Add(L"STATIC", FixedCaption(kPrintedOffsetCaptionId), child | SS_LEFT | SS_NOPREFIX, kPrintedOffsetCaptionId);
  HWND offset = Add(L"EDIT", L"", child | WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER, TextId(kPrintedOffsetBox),
                    WS_EX_CLIENTEDGE);
  SendMessageW(offset, EM_LIMITTEXT, static_cast<WPARAM>(kPrintedOffsetDigits), 0);
  focusOrder_.push_back(offset);
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_AUTOCHECKBOX, kSharedRecordId));
  Add(L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kSharedRecordLineId);
  // A long path is shortened in the middle rather than widen the window.
  Add(L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kRecordPathId);

  groupBoxes_.push_back(captioned(WS_CHILD | BS_GROUPBOX, kFrame9Id));
  focusOrder_.push_back(
      Add(L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, TextId(2), WS_EX_CLIENTEDGE));
  focusOrder_.push_back(captioned(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kBrowseButton)));
  focusOrder_.push_back(captioned(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kExportButton)));
  focusOrder_.push_back(captioned(WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kReportButton)));
  Add(L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kBatchProgressId);

  focusOrder_.push_back(Add(L"LISTBOX", L"", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            kList1Id, WS_EX_CLIENTEDGE));
  // The banner's words are its window text, which screen readers read.
  // Words wrap onto the second line rather than being cut short.
  Add(L"STATIC", L"", child | SS_CENTER | SS_NOPREFIX, kResultBannerId);
  // Identify concerns every tab, so it sits outside them, beside the answer it gives.
  focusOrder_.push_back(captioned(child | WS_TABSTOP | BS_PUSHBUTTON, CommandId(kIdentifyButton)));

  // The tab strip is drawn under the controls of its tabs, which are the
  // main window's own children: it clips them out when it paints.
  HWND tabs = Add(WC_TABCONTROLW, L"", child | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE, kSSTab1Id);
  focusOrder_.push_back(tabs);
  for (const TabSpec& tab : kTabs) {
    std::wstring caption = Wide(std::string(tab.caption));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(tab.position), reinterpret_cast<LPARAM>(&item));
  }
  for (const TabSpec& tab : kTabs) BuildTab(tab);
  // Painted first: the frames and the strip under what they hold.
  for (HWND frame : groupBoxes_) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(tabs, TCM_SETCURSEL, kStartTab, 0);

  ACCEL keys[] = {
      {FVIRTKEY, VK_F2, static_cast<WORD>(kF2KeyId)},
      {FVIRTKEY, VK_F3, static_cast<WORD>(kF3KeyId)},
      {FVIRTKEY, VK_F4, static_cast<WORD>(kF4KeyId)},
      {FVIRTKEY | FCONTROL, VK_TAB, static_cast<WORD>(kNextTabKeyId)},
      {FVIRTKEY | FCONTROL | FSHIFT, VK_TAB, static_cast<WORD>(kPreviousTabKeyId)},
  };
  keys_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));

  AddToolTips();
  MakeFonts();
  ShowResult(FirstBanner());
  UpdateVisibility();
  FitToCaptions();
  return true;
}

HWND MainWindow::Add(const wchar_t* kind, const std::wstring& text, DWORD style, int id, DWORD exStyle) {
  return CreateWindowExW(exStyle, kind, text.c_str(), style, 0, 0, 0, 0, window_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

void MainWindow::AddToolTips() {
  // Owned by the window, so it goes with it.
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                              instance_, nullptr);
  if (!tips) return;
  for (HWND control = GetWindow(window_, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    std::wstring tip = ToolTip(GetDlgCtrlID(control));
    if (tip.empty()) continue;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = tip.data();  // copied by the tooltip control
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  // A long tip wraps rather than run across the screen.
  SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, Scaled(360));
}

void MainWindow::BuildTab(const TabSpec& tab) {
  std::vector<HWND>& controls = tabControls_[static_cast<std::size_t>(tab.position)];
  const DWORD child = WS_CHILD;
  const auto entryBox = [&](int frameId, int box, int maxLength) {
    HWND frame = Add(L"BUTTON", FixedCaption(frameId), child | BS_GROUPBOX, frameId);
    groupBoxes_.push_back(frame);
    HWND edit = Add(L"EDIT", L"1", child | WS_TABSTOP | ES_AUTOHSCROLL, TextId(box), WS_EX_CLIENTEDGE);
    // Limits only what is typed; text the program puts in is shown whole.
    SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    controls.insert(controls.end(), {frame, edit});
    return edit;
  };
  const auto label = [&](int number, std::string_view caption) {
    controls.push_back(Add(L"STATIC", Wide(std::string(caption)), child | SS_LEFT | SS_NOPREFIX, LabelId(number)));
  };
  const auto button = [&](int number) {
    HWND created =
        Add(L"BUTTON", FixedCaption(CommandId(number)), child | WS_TABSTOP | BS_PUSHBUTTON, CommandId(number));
    controls.push_back(created);
    return created;
  };
  HWND facility = entryBox(kFacilityFrameBase + tab.position, tab.fcBox, tab.fcMaxLength);
  label(tab.fcLabel, tab.fcLabelCaption.str());
  HWND read = button(tab.readButton);
  HWND card = entryBox(kCardFrameBase + tab.position, tab.cnBox, tab.cnMaxLength);
  label(tab.cnLabel, tab.cnLabelCaption.str());
  HWND write = button(tab.writeButton);
  focusOrder_.insert(focusOrder_.end(), {facility, read, card, write});
  controls.push_back(Add(L"STATIC", L"", child | SS_LEFT | SS_NOPREFIX, FormatNoteId(tab.position)));
}

void MainWindow::MakeFonts() {
  fonts_ = std::make_unique<WindowFonts>(dpi_);
  for (HWND control = GetWindow(window_, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_->Of(FontRoleOf(GetDlgCtrlID(control)))), FALSE);
  InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::Layout() {
  if (!window_ || !fonts_) return;
  RECT client{};
  GetClientRect(window_, &client);
  const auto logical = [this](LONG pixels) { return static_cast<LONG>(MulDiv(pixels, 96, dpi_)); };
  HWND strip = Item(kSSTab1Id);
  LayoutInput input;
  input.client = {logical(client.right), logical(client.bottom)};
  input.deviceNote = deviceNoteShown_;
  input.sharedRecordLine = sharedRecordLineShown_;
  input.recordPath = recordPathShown_;
  input.databaseFrame = databaseFrameShown_;
  input.frontTab = FrontTab();
  input.formatNotes = formatNoteShown_;
  input.text = [this](int id) { return WindowText(Item(id)); };
  input.measure = MeasureIn(*fonts_);
  input.page = [&](const RECT& area) {
    RECT page{Scaled(area.left), Scaled(area.top), Scaled(area.right), Scaled(area.bottom)};
    SendMessageW(strip, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    return RECT{logical(page.left), logical(page.top), logical(page.right), logical(page.bottom)};
  };
  // The strip's captions wrap by its width: its page is known once it has it.
  const auto placeStrip = [&](const WindowLayout& laid) {
    for (const PlacedControl& placed : laid.controls) {
      if (placed.id != kSSTab1Id) continue;
      const RECT& r = placed.rect;
      const RECT wanted{Scaled(r.left), Scaled(r.top), Scaled(r.right), Scaled(r.bottom)};
      RECT now{};
      GetWindowRect(strip, &now);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&now), 2);
      if (EqualRect(&now, &wanted)) return false;
      MoveWindow(strip, wanted.left, wanted.top, wanted.right - wanted.left, wanted.bottom - wanted.top, FALSE);
      return true;
    }
    return false;
  };
  WindowLayout laid = LayOutWindow(input);
  if (placeStrip(laid)) laid = LayOutWindow(input);
  neededWidth_ = laid.neededWidth;
  neededHeight_ = laid.neededHeight;
  for (const PlacedControl& placed : laid.controls) {
    const RECT& r = placed.rect;
    const int height = placed.id == kCombo1Id ? kComboDropHeight : r.bottom - r.top;
    if (placed.id == kResultBannerId) banner_ = r;
    MoveWindow(Item(placed.id), Scaled(r.left), Scaled(r.top), Scaled(r.right - r.left), Scaled(height), FALSE);
  }
  // The window's face is drawn under the strip's page: the strip and the
  // controls on it are drawn again over it, or a control that kept its place
  // (the strip's captions) is left erased.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::FitToCaptions() {
  RECT frame{};
  RECT client{};
  GetWindowRect(window_, &frame);
  GetClientRect(window_, &client);
  const int wantedWidth = std::max(static_cast<int>(client.right), Scaled(neededWidth_));
  const int wantedHeight = std::max(static_cast<int>(client.bottom), Scaled(neededHeight_));
  if (client.right == wantedWidth && client.bottom == wantedHeight) return;
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + wantedWidth - client.right,
               frame.bottom - frame.top + wantedHeight - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::EraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // The strip paints its page around its tabs' controls, not under them;
  // beneath them goes the page's own face: white in the system's look,
  // the window's face in the classic one.
  HWND tabs = Item(kSSTab1Id);
  if (!tabs) return;
  RECT page{};
  GetWindowRect(tabs, &page);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&page), 2);
  SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  FillRect(dc, &page, GetSysColorBrush(IsAppThemed() ? COLOR_WINDOW : COLOR_BTNFACE));
}

void MainWindow::UpdateVisibility() {
  const auto show = [this](int id, bool visible) { ShowWindow(Item(id), visible ? SW_SHOWNA : SW_HIDE); };
  show(kDeviceNoteId, deviceNoteShown_);
  show(kRecordPathId, recordPathShown_);
  show(kSharedRecordLineId, sharedRecordLineShown_);
  for (int id : {kFrame9Id, TextId(2), CommandId(kBrowseButton), CommandId(kExportButton), CommandId(kReportButton),
                 kBatchProgressId})
    show(id, databaseFrameShown_);
  ShowFrontTab();
  Layout();
}

void MainWindow::ShowFrontTab() {
  const int front = FrontTab();
  for (const TabSpec& tab : kTabs) {
    const bool inFront = tab.position == front;
    for (HWND control : tabControls_[static_cast<std::size_t>(tab.position)]) {
      const bool note = GetDlgCtrlID(control) == FormatNoteId(tab.position);
      const bool visible = inFront && (!note || formatNoteShown_[static_cast<std::size_t>(tab.position)]);
      ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    }
  }
  // The focus must not stay on a control that is no longer shown.
  HWND focus = GetFocus();
  if (focus && IsChild(window_, focus) && !IsWindowVisible(focus)) SetFocus(Item(kSSTab1Id));
}

void MainWindow::ChangeTab(int step) {
  HWND tabs = Item(kSSTab1Id);
  const int next = (FrontTab() + step + kTabCount) % kTabCount;
  // As a click on the strip does: TCN_SELCHANGING and TCN_SELCHANGE follow.
  SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
  ShowFrontTab();
}

void MainWindow::MoveFocus(bool backwards) {
  HWND focus = GetFocus();
  // The combo box's field is a child of the combo box.
  if (focus && GetParent(focus) != window_ && IsChild(window_, focus)) focus = GetParent(focus);
  const auto count = static_cast<int>(focusOrder_.size());
  const auto at = std::find(focusOrder_.begin(), focusOrder_.end(), focus);
  int index = at == focusOrder_.end() ? (backwards ? 0 : -1) : static_cast<int>(at - focusOrder_.begin());
  for (int step = 0; step < count; ++step) {
    index = (index + (backwards ? count - 1 : 1)) % count;
    HWND candidate = focusOrder_[static_cast<std::size_t>(index)];
    if (!IsWindowVisible(candidate) || !IsWindowEnabled(candidate)) continue;
    SetFocus(candidate);
    // As in a dialog: a box reached by Tab has its text selected, ready to type over.
    wchar_t kind[16] = {};
    GetClassNameW(candidate, kind, 16);
    if (lstrcmpiW(kind, L"Edit") == 0) SendMessageW(candidate, EM_SETSEL, 0, -1);
    if (lstrcmpiW(kind, L"ComboBox") == 0) SendMessageW(candidate, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    break;
  }
  // Keyboard use: show where the focus is.
  SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool MainWindow::TranslateKeys(MSG& message) {
  if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
  if (keys_ && TranslateAcceleratorW(window_, keys_, &message)) return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !(GetKeyState(VK_CONTROL) & 0x8000)) {
    // Tab walks the controls top to bottom; the stacking order the strip
    // needs to paint under its tabs' controls says nothing about that.
    MoveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  if (message.message == WM_CHAR && message.wParam == L'\t') return true;
  return IsDialogMessageW(window_, &message) != 0;
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == static_cast<UINT_PTR>(kSSTab1Id) && header->code == static_cast<UINT>(TCN_SELCHANGE))
        ShowFrontTab();
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      // Never so narrow that a caption is cut.
      RECT frame{};
      RECT client{};
      GetWindowRect(window_, &frame);
      GetClientRect(window_, &client);
      const int edges = (frame.right - frame.left) - client.right;
      const int edgesAbove = (frame.bottom - frame.top) - client.bottom;
      limits->ptMinTrackSize = {std::max(Scaled(kMinWidth), Scaled(neededWidth_) + edges),
                                std::max(Scaled(kMinHeight), Scaled(neededHeight_) + edgesAbove)};
      return 0;
    }
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      MakeFonts();
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
    case WM_CLOSE:
      // During a wait the core cuts the wait short and asks for the close
      // again (CloseWindow) once the waiting handler has returned.
      if (core_->CloseRequested()) DestroyWindow(window_);
      return 0;
    case WM_TIMER:
      KillTimer(window_, wParam);
      MessageBeep(MB_OK);
      return 0;
    case kDestroyLater:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      link_.Close();
      quitting_ = true;
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code) {
  switch (id) {
    case kF2KeyId:
      core_->FunctionKey(2);
      return;
    case kF3KeyId:
      core_->FunctionKey(3);
      return;
    case kF4KeyId:
      core_->FunctionKey(4);
      return;
    case kNextTabKeyId:
      ChangeTab(1);
      return;
    case kPreviousTabKeyId:
      ChangeTab(-1);
      return;
    default:
      break;
  }
  if (id == kCombo1Id) {
    // Read again as it drops down: a reader plugged in since is offered, one
    // pulled out is gone.
    if (code == CBN_DROPDOWN) core_->PortListDropping();
    return;
  }
  if (const std::optional<CheckBox> box = CheckBoxOf(id)) {
    // However the box changed (mouse, Space, an assistive technology's
    // default action), it arrives here with its new state.
    if (code == BN_CLICKED) core_->CheckBoxChanged(*box, SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
    return;
  }
  if (id > CommandId(0) && id < TextId(0)) {
    if (code == BN_CLICKED) core_->ButtonClicked(id - CommandId(0));
    return;
  }
  if (id > TextId(0) && id < LabelId(0) && code == EN_CHANGE && IsEntryBox(id - TextId(0))) {
    const int box = id - TextId(0);
    // Read before the validator runs, which may put text in itself.
    const bool edited = !programSetsText_;
    core_->BoxChanged(box);
    if (edited) core_->BoxEdited(box);
  }
}

LRESULT MainWindow::OnColorStatic(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id == kResultBannerId) {
    // White on a dark shade of the tone: the contrast stays high, and the
    // words and the symbol carry the meaning without the colour.
    const Rgb background = BannerBackground(bannerTone_);
    const COLORREF colour = RGB(background.r, background.g, background.b);
    HBRUSH& brush = bannerBrushes_[static_cast<std::size_t>(bannerTone_)];
    if (!brush) brush = CreateSolidBrush(colour);
    SetTextColor(dc, RGB(kBannerText.r, kBannerText.g, kBannerText.b));
    SetBkColor(dc, colour);
    return reinterpret_cast<LRESULT>(brush);
  }
  const bool note = id >= FormatNoteId(0) && id < FormatNoteId(kTabCount);
  const bool onTab = note || (id > LabelId(0) && id < kCombo1Id) ||
                     (id >= kFacilityFrameBase && id < kCardFrameBase + kTabCount);
  if (note) SetTextColor(dc, kWarningColour);
  if (onTab) {
    // On the tab's page, whose face may be lighter than the window's.
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

std::optional<FormatFileError> MainWindow::Startup(const std::string& formatFile) {
  return core_->Startup(formatFile);
}

void MainWindow::SetPortText(const std::string& text) { SetWindowTextW(Item(kCombo1Id), Wide(text).c_str()); }

void MainWindow::ShowDeviceNote(const std::string& text) {
  SetWindowTextW(Item(kDeviceNoteId), Wide(text).c_str());
  deviceNoteShown_ = !text.empty();
  UpdateVisibility();
}

void MainWindow::Show(int showCommand) {
  ShowWindow(window_, showCommand);
  UpdateWindow(window_);
  SetFocus(Item(kCombo1Id));
}

void MainWindow::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the program's own loop, once the waiting handler has returned.
      quitting_ = true;
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (TranslateKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void MainWindow::ProcessEventsOnce() { PumpMessages(); }

void MainWindow::WaitForEvents(std::chrono::milliseconds timeout) {
  if (!Closing()) SleepUntilMessageOr(systemPort_ ? static_cast<HANDLE>(systemPort_->InputEvent()) : nullptr, timeout);
  PumpMessages();
}

bool MainWindow::Closing() const { return quitting_ || core_->Closing(); }

void MainWindow::LogLine(const std::string& text) {
  SendMessageW(Item(kList1Id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
  SelectLastLine();
}

void MainWindow::SelectLastLine() {
  const LRESULT count = SendMessageW(Item(kList1Id), LB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageW(Item(kList1Id), LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}

void MainWindow::ShowMessage(const std::string& text) {
  if (Closing()) return;
  MessageBoxW(window_, Wide(text).c_str(), kWindowTitle, MB_OK);
}

bool MainWindow::AskYesNo(const std::string& question, Answer preset) {
  if (Closing()) return false;
  const UINT defaultButton = preset == Answer::No ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
  return MessageBoxW(window_, Wide(question).c_str(), kWindowTitle, MB_YESNO | MB_ICONQUESTION | defaultButton) ==
         IDYES;
}

std::optional<std::string> MainWindow::AskPrintedNumber(const std::string& prompt) {
  if (Closing()) return std::nullopt;
  return AskForPrintedNumber(instance_, window_, CaptionOf(Control::CheckPrintedNumber), prompt);
}

void MainWindow::ShowResult(const ResultBanner& banner) {
  bannerTone_ = banner.tone;
  HWND control = Item(kResultBannerId);
  const std::wstring text = Wide(banner.text);
  SetWindowTextW(control, text.c_str());
  InvalidateRect(control, nullptr, TRUE);
  // A banner that needs more lines, or fewer, than it has is laid out again.
  const int laidHeight = banner_.bottom - banner_.top;
  if (fonts_ && laidHeight > 0 &&
      BannerHeight(text, banner_.right - banner_.left, MeasureIn(*fonts_)) != laidHeight) {
    Layout();
    FitToCaptions();
  }
  // Screen readers speak the new outcome without the focus moving there.
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  // The sound cue: the first beep now, the others by one-shot timers, so
  // nothing wakes the window once they are played.
  UINT_PTR timer = kBeepTimerBase;
  for (const std::chrono::milliseconds delay : core_->SoundCue(banner.tone)) {
    if (delay.count() <= 0)
      MessageBeep(MB_OK);
    else
      SetTimer(window_, timer++, static_cast<UINT>(delay.count()), nullptr);
  }
}

bool MainWindow::UseDatabaseTicked() { return SendMessageW(Item(kUseDatabaseId), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::SetDatabaseFrameVisible(bool visible) {
  databaseFrameShown_ = visible;
  UpdateVisibility();
}

void MainWindow::SetDatabasePath(const std::string& path) { SetWindowTextW(Item(TextId(2)), Wide(path).c_str()); }

void MainWindow::ShowBatchProgress(const std::string& text) {
  SetWindowTextW(Item(kBatchProgressId), Wide(text).c_str());
}

std::optional<std::string> MainWindow::ChooseCardFile() { return win::ChooseFileToOpen(window_); }

std::optional<ExportChoice> MainWindow::ChooseExportLayout() {
  if (Closing()) return std::nullopt;
  return AskForExportLayout(instance_, window_, CaptionOf(Control::Export));
}

std::optional<std::string> MainWindow::ChooseSaveFile(SaveKind kind, const std::string& suggestedName) {
  if (Closing()) return std::nullopt;
  return win::ChooseSaveFile(window_, kind, suggestedName);
}

void MainWindow::SetKeepRecord(bool ticked, const std::string& path) {
  SendMessageW(Item(kKeepRecordId), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextW(Item(kRecordPathId), Wide(path).c_str());
  recordPathShown_ = !path.empty();
  UpdateVisibility();
}

std::optional<std::string> MainWindow::ChooseRecordFile() {
  SYSTEMTIME today{};
  GetLocalTime(&today);
  return win::ChooseRecordFile(window_, DefaultRecordFileName(today.wYear, today.wMonth, today.wDay));
}

std::string MainWindow::BoxText(int box) {
  return IsEntryBox(box) ? Utf8(WindowText(Item(TextId(box)))) : std::string();
}

void MainWindow::SetBoxText(int box, const std::string& text) {
  if (!IsEntryBox(box)) return;
  const bool outer = programSetsText_;
  programSetsText_ = true;
  SetWindowTextW(Item(TextId(box)), Wide(text).c_str());
  programSetsText_ = outer;
}

PortChoice MainWindow::ComPortChoice() {
  HWND combo = Item(kCombo1Id);
  PortChoice choice;
  const std::wstring text = WindowText(combo);
  choice.typedText = Utf8(text);
  const auto index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  std::wstring entry;
  if (index >= 0) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length >= 0) {
      entry.assign(static_cast<std::size_t>(length) + 1, L'\0');
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(entry.data()));
      entry.resize(static_cast<std::size_t>(length));
    }
  }
  // Text typed over the field may leave the selection where it was: the
  // entry counts only while the field still shows it.
  choice.selectedIndex = index >= 0 && entry == text ? index : -1;
  return choice;
}

int MainWindow::FrontTab() { return static_cast<int>(SendMessageW(Item(kSSTab1Id), TCM_GETCURSEL, 0, 0)); }

void MainWindow::ShowTab(int position) {
  // Setting the selection sends no TCN_SELCHANGE: the tab's controls are shown here.
  SendMessageW(Item(kSSTab1Id), TCM_SETCURSEL, static_cast<WPARAM>(position), 0);
  ShowFrontTab();
}

void MainWindow::ShowPortEntries(const PortEntryState& ports) {
  HWND combo = Item(kCombo1Id);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : ports.entries)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(ports.selected), 0);
  if (ports.selected < 0) SetWindowTextW(combo, Wide(ports.text).c_str());
  // The list drops down wide enough for "COM7 — USB Serial Port" although
  // the field itself is narrow.
  SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Scaled(320)), 0);
}

void MainWindow::SetLabelCaption(int label, const std::string& caption) {
  SetWindowTextW(Item(LabelId(label)), Wide(caption).c_str());
  RepaintBehind(Item(LabelId(label)));
  // A longer range may need a wider label.
  Layout();
  FitToCaptions();
}

void MainWindow::ShowFormatNote(int tabPosition, const std::string& text) {
  if (!TabAt(tabPosition)) return;
  SetWindowTextW(Item(FormatNoteId(tabPosition)), Wide(text).c_str());
  formatNoteShown_[static_cast<std::size_t>(tabPosition)] = !text.empty();
  ShowFrontTab();
  // Its words may take a second line.
  Layout();
  RepaintBehind(Item(FormatNoteId(tabPosition)));
}

void MainWindow::RepaintBehind(HWND control) {
  // A see-through control leaves its old text behind unless what is under
  // it is drawn again.
  RECT area{};
  GetWindowRect(control, &area);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(window_, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::ClearList() { SendMessageW(Item(kList1Id), LB_RESETCONTENT, 0, 0); }

void MainWindow::SetCheckBox(CheckBox box, bool ticked) {
  SendMessageW(Item(CheckBoxId(box)), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::string> MainWindow::ChooseSharedRecord(const std::vector<std::string>& dataSources) {
  return win::ChooseSharedRecord(instance_, window_, dataSources);
}

void MainWindow::ShowSharedRecordLine(const std::string& text) {
  SetWindowTextW(Item(kSharedRecordLineId), Wide(text).c_str());
  sharedRecordLineShown_ = !text.empty();
  UpdateVisibility();
}

void MainWindow::CloseWindow() {
  if (window_) PostMessageW(window_, kDestroyLater, 0, 0);
}

}  // namespace vx::win
