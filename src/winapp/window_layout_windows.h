#pragma once
// Where the window's controls go, and how much room their texts need. Every
// control keeps the place and size it has in English and grows to its text
// where the operator's language needs more; what stands to its right moves
// along, and the window widens rather than cut a caption. All in pixels at
// 96 DPI: the window scales them.
//
// The same rules judge a window already laid out (LayoutFaults): the unit
// tests hold the layout to them in every language, and the end-to-end driver
// holds the running window to them.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "operations/tabs.h"
#include "window/window_controls.h"

namespace vx::win {

// The window's size at 96 dots per inch; everything scales with the DPI.
// It is wider where the language's captions need it (WindowLayout::neededWidth).
inline constexpr int kStartWidth = 800;
inline constexpr int kStartHeight = 650;
inline constexpr int kMinWidth = 780;
inline constexpr int kMinHeight = 540;

// The window's own identifiers of controls that the end-to-end driver does
// not work (control_ids_windows.h has the others).
inline constexpr int kComPortFrameId = 4020;
inline constexpr int kSystemFrameId = 4021;
inline constexpr int kFacilityFrameBase = 4030;  // + tab position
inline constexpr int kCardFrameBase = 4040;      // + tab position

// The described control (window_controls.h) a control identifier stands
// for; none for the boxes, the list and the lines the program fills.
std::optional<Control> ControlOfId(int id);

// The caption and the tooltip the window gives a control of fixed text, in
// the language in use; empty for the others.
std::wstring FixedCaption(int id);
std::wstring ToolTip(int id);

enum class FontRole { Normal, Banner, Note };
FontRole FontRoleOf(int id);

enum class ControlKind {
  PushButton,
  CheckBox,
  GroupBox,       // holds the controls wholly inside it
  Text,           // a static: its words wrap onto as many lines as it is high
  ShortenedText,  // a static that ends in "..." rather than wrap (a path, a long line)
  Field,          // an entry box, the list, the combo box: the operator's data
  TabStrip,       // holds its tabs' controls
};

// The size of a text in the font of its role: one line when wrapWidth is 0,
// else with its words wrapped at wrapWidth.
using MeasureText = std::function<SIZE(FontRole role, const std::wstring& text, int wrapWidth)>;

// The room a control of `kind` needs to show `text` whole: for a Text the
// height at `width`; zero where the text may be shortened or is data.
SIZE NeededSize(ControlKind kind, FontRole role, const std::wstring& text, int width, const MeasureText& measure);

struct PlacedControl {
  int id;
  ControlKind kind;
  RECT rect;     // in the client area; the combo box's without its list
  bool visible;  // what the window shows in the state laid out
};

struct LayoutInput {
  SIZE client{};  // the client area
  bool deviceNote = false;
  bool sharedRecordLine = false;
  bool recordPath = false;
  bool databaseFrame = false;
  int frontTab = kStartTab;
  std::array<bool, kTabCount> formatNotes{};
  std::function<std::wstring(int id)> text;       // what a control shows
  MeasureText measure;
  std::function<RECT(const RECT& strip)> page;    // the part of the strip under its captions
};

struct WindowLayout {
  std::vector<PlacedControl> controls;
  int neededWidth = 0;   // the narrowest client area in which nothing is cut
  int neededHeight = 0;  // the lowest, with the list at its least
};

// The banner's height for `text` at `width`: two lines of its large letters at
// the least, more where the outcome's words need them (a server's reason).
int BannerHeight(const std::wstring& text, int width, const MeasureText& measure);

WindowLayout LayOutWindow(const LayoutInput& input);

// A control as shown, for LayoutFaults.
struct ShownControl {
  int id;
  ControlKind kind;
  RECT rect;
  std::wstring text;
};

// What is wrong with a laid-out window: a text cut short, a control reaching
// out of the client area, two controls on top of each other (but for one
// wholly inside a frame or the tab strip). One line each; none when all is well.
std::vector<std::string> LayoutFaults(const std::vector<ShownControl>& shown, SIZE client,
                                      const MeasureText& measure);

// The kind of a control by its window class and style (for a window laid
// out by another process).
ControlKind KindOf(const std::wstring& windowClass, DWORD style);

}  // namespace vx::win
