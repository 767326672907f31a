// The facility and card fields of a credential in each EM4100 form, against
// worked values: the card 12,3456789012 holds the data bytes 0C CE 0A 6A 14,
// whose last 24 bits are 0A 6A 14 (682516; 0A is 10 and 6A14 is 27156).

#include <gtest/gtest.h>

#include "exports/credential_fields.h"

namespace vx {
namespace {

struct FormCase {
  const char* format;
  std::uint32_t fc, cn;
  const char* form;
  CredentialFields fields;
};

const FormCase kForms[] = {
    {"EM4100", 12, 3456789012u, "hex10", {"12", "0CCE0A6A14"}},
    {"EM4100", 12, 3456789012u, "dez10", {"12", "3456789012"}},
    {"EM4100", 12, 3456789012u, "dez8", {"12", "00682516"}},
    {"EM4100", 12, 3456789012u, "w26", {"010", "27156"}},
    // Leading zeros are kept in every form.
    {"EM4100", 0, 1, "hex10", {"0", "0000000001"}},
    {"EM4100", 0, 1, "dez10", {"0", "0000000001"}},
    {"EM4100", 0, 1, "dez8", {"0", "00000001"}},
    {"EM4100", 0, 1, "w26", {"000", "00001"}},
    {"EM4100", 255, 4294967295u, "hex10", {"255", "FFFFFFFFFF"}},
    {"EM4100", 255, 4294967295u, "DEZ8", {"255", "16777215"}},
    {"EM4100", 255, 4294967295u, "W26", {"255", "65535"}},
    // An HID credential is its two numbers, whatever the form.
    {"HID26", 12, 1000, "w26", {"12", "1000"}},
    {"HID37", 65535, 524287, "hex10", {"65535", "524287"}},
};

TEST(Em4100Forms, WriteTheNumbersAsTheSoftwareReadsThem) {
  for (const FormCase& c : kForms) {
    const std::optional<Em4100Form> form = Em4100FormOfName(c.form);
    ASSERT_TRUE(form) << c.form;
    ExportedCredential credential;
    credential.format = c.format;
    credential.facilityCode = c.fc;
    credential.cardNumber = c.cn;
    EXPECT_EQ(FieldsOf(credential, *form), c.fields) << c.format << " " << c.cn << " " << c.form;
  }
  EXPECT_FALSE(Em4100FormOfName("dez9"));
}

}  // namespace
}  // namespace vx
