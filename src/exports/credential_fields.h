#pragma once
// The facility code and card number of a credential as an import file
// writes them. An HID credential's are its two numbers in decimal. An
// EM4100 card's ID is written in one of the ways access-control software
// reads it, each keeping its leading zeros:
//   hex10  the ten hexadecimal digits of the facility byte and the 32-bit
//          number: card 0CCE0A6A14, facility 12
//   dez10  the 32-bit number in ten decimal digits: card 3456789012, facility 12
//   dez8   the last 24 bits in eight decimal digits: card 00682516, facility 12
//   w26    the last 24 bits as a 26-bit pair: facility 010 (bits 23..16, three
//          digits), card 27156 (bits 15..0, five digits)
// So the card field always holds the number the software looks up, and the
// facility field the facility byte in decimal, except for w26, which splits
// the number into its own two parts.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "exports/written_credentials.h"

namespace vx {

enum class Em4100Form { Hex10, Dez10, Dez8, W26 };

struct Em4100FormName {
  std::string_view name;
  Em4100Form form;
};
inline constexpr std::array<Em4100FormName, 4> kEm4100Forms{
    {{"hex10", Em4100Form::Hex10}, {"dez10", Em4100Form::Dez10}, {"dez8", Em4100Form::Dez8}, {"w26", Em4100Form::W26}}};

// The form of a name of kEm4100Forms, in either case.
std::optional<Em4100Form> Em4100FormOfName(std::string_view name);

struct CredentialFields {
  std::string facility;
  std::string card;
  bool operator==(const CredentialFields&) const = default;
};

CredentialFields FieldsOf(const ExportedCredential& credential, Em4100Form form);

}  // namespace vx
