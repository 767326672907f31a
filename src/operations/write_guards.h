#pragma once
// The guards in front of a write. Two cards with the same format, facility
// code and card number are one credential to the door, and a card written
// over loses the number it carried; so before Write Card sends its write, the
// card about to be written is looked up in the record, and with "Check Card
// First" the card on the reader is read first. Each guard refuses or asks
// (No preset) and leaves the batch where it was when the operator says No.

#include <string>
#include <string_view>

#include "operations/form_state.h"
#include "operations/device_link.h"
#include "operations/card_binding.h"
#include "record/record_index.h"

namespace vx {

// The "Check Card First" check box changed to `ticked`.
void CheckCardFirst_Click(FormState& state, bool ticked);

// With a record kept: true when `card` is not written in the record in the
// binding's format, or the operator wants it written again. Sends nothing;
// on No the banner says why nothing was written.
bool AllowedByRecord(Device& dev, const CardBinding& b, const CardNumbers& card);

// With "Check Card First" ticked: reads the card on the reader in the tab's
// format and returns true when it may be written. The card this run wrote
// last is refused; a card the record has as written is written over only on
// Yes (the shared record's, when it is on). No card, a blank card or one of
// another format is written as usual.
bool AllowedByCardOnReader(Device& dev, const CardBinding& b);

// The words of the guards; `station` is the one that wrote it, as the shared
// record names it (empty for the card record, which names none).
std::string AlreadyWrittenQuestion(const CardNumbers& card, std::string_view format, const WrittenCard& written,
                                   std::string_view station = {});
std::string JustWrittenText(const CardNumbers& card);
std::string HoldsWrittenQuestion(const CardNumbers& card, const WrittenCard& written, std::string_view station = {});
// The banner after No to AlreadyWrittenQuestion: "Not written: 12,1000 is already written".
std::string AlreadyWrittenRefusal(const CardNumbers& card);

}  // namespace vx
