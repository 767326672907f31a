#include "window/window_controls.h"

namespace vx {

namespace {

// No text of the control's own (not a translatable text).
constexpr LazyText kNone("", "");

std::string Shown(const LazyText& text) { return text.English().empty() ? std::string() : text.str(); }

}  // namespace

// In the order of Control. Each note to translators stands above the caption it is for.
const std::array<ControlSpec, kControlCount> kControls{{
    {Control::ComPort, "ComPort",
     // TRANSLATORS: the serial port the reader/writer is on.
     TrLater("Com Port"), kNone, kNone},
    {Control::System, "System",
     // TRANSLATORS: the frame around the buttons that concern the list and the
     // reader/writer as a whole.
     TrLater("System"), kNone, kNone},
    {Control::Clear, "Clear",
     // TRANSLATORS: a button; empties the list of messages.
     TrLater("Clear"), kNone, kNone},
    {Control::Link, "Link",
     // TRANSLATORS: a button; opens the port and checks that a reader/writer answers.
     TrLater("Link"), kNone, kNone},
    {Control::UseDatabase, "UseDatabase",
     // TRANSLATORS: a check box; the card numbers come from a file ("Browse").
     TrLater("Use Database"), kNone, kNone},
    {Control::KeepRecord, "KeepRecord",
     // TRANSLATORS: a check box; every card is written down in a record file.
     TrLater("Keep Record"), kNone, TrLater("Append every card written or read to a record file (CSV)")},
    {Control::SharedRecord, "SharedRecord",
     // TRANSLATORS: a check box: stations share one record of cards in a database.
     TrLater("Shared Record"), kNone, TrLater("Write through the shared record of several stations (a database)")},
    {Control::Sound, "Sound",
     // TRANSLATORS: a check box; a beep after each card.
     TrLater("Sound"), kNone, TrLater("Beep once after a good card, three times after a failure")},
    {Control::CheckCardFirst, "CheckCardFirst",
     // TRANSLATORS: a check box: read what the card holds before writing it.
     TrLater("Check Card First"), kNone,
     TrLater("Read the card on the reader before writing, so a card just written is not written over")},
    {Control::CheckPrintedNumber, "CheckPrintedNumber",
     // TRANSLATORS: a check box: before each write, the number printed on the
     // card in hand is asked for (a barcode scanner may type it) and compared.
     TrLater("Check Printed Number"), kNone,
     TrLater("Before each write, ask for the number printed on the card in hand and write only the card expected")},
    {Control::PrintedOffset, "PrintedOffset",
     // TRANSLATORS: the caption of a small box: the number added to a card
     // number to give the number printed on the card.
     TrLater("Printed Offset"), kNone,
     TrLater("For a card-number file without printed numbers and for typed cards: the printed number is the card "
             "number plus this (empty: 0)")},
    {Control::DatabasePath, "DatabasePath",
     // TRANSLATORS: the frame of the card-number file's path, shown with "Use Database".
     TrLater("Database Path ..."),
     // TRANSLATORS: what a screen reader calls the box that shows the card-number file's path.
     TrLater("Database Path"), kNone},
    {Control::Browse, "Browse",
     // TRANSLATORS: a button; chooses the card-number file.
     TrLater("Browse"), kNone, kNone},
    {Control::Export, "Export",
     // TRANSLATORS: a button; saves the cards written as a file an access-control
     // system imports. The ellipsis says a dialog follows.
     TrLater("Export…"), kNone,
     TrLater("Save the cards written from the card-number file loaded as a file to import into the door system")},
    {Control::Report, "Report",
     // TRANSLATORS: a button; saves a page listing the job's cards for the customer.
     TrLater("Report…"), kNone, TrLater("Save the job report of the cards written from the card-number file loaded")},
    {Control::Messages, "Messages", kNone,
     // TRANSLATORS: the list of what the reader/writer and the program said.
     TrLater("Messages"), kNone},
    {Control::IdentifyCard, "IdentifyCard",
     // TRANSLATORS: a button; tells which of the formats the card on the reader is in.
     TrLater("Identify Card"), kNone,
     TrLater("Read the card in every format HID.cfg defines and tell which read it (F4)")},
    {Control::FacilityCode, "FacilityCode",
     // TRANSLATORS: the frames of a card's two numbers: the site's code, shared by
     // the cards of one building or customer, and the card's own number.
     TrLater("Facility Code"), kNone, kNone},
    {Control::CardNumber, "CardNumber",
     // TRANSLATORS: the frame around the card-number box of a card format.
     TrLater("Card Number"), kNone, kNone},
    {Control::ReadCard, "ReadCard",
     // TRANSLATORS: a button; reads the card on the reader/writer.
     TrLater("Read Card"), kNone, TrLater("Read the card on the reader/writer (F3)")},
    {Control::WriteCard, "WriteCard",
     // TRANSLATORS: a button; writes the card, reads it back and verifies it.
     TrLater("Write Card"), kNone, TrLater("Write the card, read it back and verify it (F2)")},
}};

const ControlSpec& ControlOf(Control control) { return kControls[static_cast<std::size_t>(control)]; }

std::string CaptionOf(Control control) { return Shown(ControlOf(control).caption); }

std::string AccessibleNameOf(Control control) {
  const ControlSpec& entry = ControlOf(control);
  return Shown(entry.accessibleName.English().empty() ? entry.caption : entry.accessibleName);
}

std::string ToolTipOf(Control control) { return Shown(ControlOf(control).toolTip); }

}  // namespace vx
