#include "exports/credential_fields.h"

#include <cstdio>

#include "carddata/card_data.h"
#include "i18n/ascii_case.h"

namespace vx {

namespace {

// `value` in decimal, at least `width` digits.
std::string Padded(std::uint32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*u", width, static_cast<unsigned>(value));
  return text;
}

}  // namespace

std::optional<Em4100Form> Em4100FormOfName(std::string_view name) {
  for (const Em4100FormName& form : kEm4100Forms)
    if (EqualsIgnoringAsciiCase(form.name, name)) return form.form;
  return std::nullopt;
}

CredentialFields FieldsOf(const ExportedCredential& credential, Em4100Form form) {
  const std::uint32_t fc = credential.facilityCode;
  const std::uint32_t cn = credential.cardNumber;
  if (credential.format != kEm4100FormatName) return {std::to_string(fc), std::to_string(cn)};
  const std::uint32_t last24 = cn & 0xFFFFFFu;
  switch (form) {
    case Em4100Form::Hex10: {
      char id[16];
      std::snprintf(id, sizeof id, "%02X%08X", static_cast<unsigned>(fc & 0xFFu), static_cast<unsigned>(cn));
      return {std::to_string(fc), id};
    }
    case Em4100Form::Dez10: return {std::to_string(fc), Padded(cn, 10)};
    case Em4100Form::Dez8: return {std::to_string(fc), Padded(last24, 8)};
    case Em4100Form::W26: return {Padded(last24 >> 16, 3), Padded(last24 & 0xFFFFu, 5)};
  }
  return {};
}

}  // namespace vx
