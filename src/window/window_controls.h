#pragma once
// The one description of the window's controls of fixed text: what each is
// called, what it shows, what a screen reader calls it and what its tooltip
// says. The Qt window and the Windows window both take their texts from here,
// so a caption, its note to translators or a tooltip is changed in one place.
// The tab table (tabs.h) numbers the controls of each tab; a tab's Read Card
// button is the same control description on every tab.

#include <array>
#include <string>
#include <string_view>

#include "i18n/translate.h"

namespace vx {

enum class Control {
  ComPort,         // the port's frame and its combo box
  System,          // the frame around Clear and Link
  Clear,
  Link,
  UseDatabase,
  KeepRecord,
  SharedRecord,
  Sound,
  CheckCardFirst,
  CheckPrintedNumber,
  PrintedOffset,   // the offset box beside "Check Printed Number", and its caption
  DatabasePath,    // the card-number file's frame, shown with Use Database, and its path
  Browse,
  Export,          // beside Browse: saves the import file of the record in use
  Report,          // beside Export: saves the job report of the record in use
  Messages,        // the list of what the reader/writer and the program said
  IdentifyCard,
  FacilityCode,    // a tab's facility-code frame and box
  CardNumber,      // a tab's card-number frame and box
  ReadCard,        // every tab's Read Card button
  WriteCard,       // every tab's Write Card button
};

struct ControlSpec {
  Control control;
  std::string_view name;    // unique; how tests and faults name it
  LazyText caption;         // what it, or the frame around it, shows; empty for none
  LazyText accessibleName;  // empty: the caption
  LazyText toolTip;         // empty: none
};

inline constexpr int kControlCount = 21;
extern const std::array<ControlSpec, kControlCount> kControls;

const ControlSpec& ControlOf(Control control);

// The texts in the language in use; empty where the control has none.
std::string CaptionOf(Control control);
std::string AccessibleNameOf(Control control);
std::string ToolTipOf(Control control);

}  // namespace vx
