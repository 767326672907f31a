// A layout file as any bytes at all: the operator may name any file with
// --layout @FILE. Reading it may not crash or run away; a layout it takes has
// a field, and the lines it makes of two credentials end as the file's lines
// do, with no value a spreadsheet would run as a formula left bare.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exports/export_writer.h"
#include "exports/layout_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vx::LayoutFileResult result = vx::ParseLayoutText(text);
  if (!result.layout) {
    FUZZ_CHECK(!result.problem.empty());
    return 0;
  }
  bool field = false;
  for (const vx::LayoutPiece& piece : result.layout->pieces) {
    field = field || piece.field.has_value();
    // The separators are written as they are: no line break may be among them.
    FUZZ_CHECK(piece.field || piece.literal.find_first_of("\r\n") == std::string::npos);
  }
  FUZZ_CHECK(field);

  std::vector<vx::ExportedCredential> credentials(2);
  credentials[0].format = "HID26";
  credentials[0].facilityCode = 12;
  credentials[0].cardNumber = 1000;
  credentials[1].format = "EM4100";
  credentials[1].facilityCode = 255;
  credentials[1].cardNumber = 4294967295u;
  for (vx::Em4100Form form : {vx::Em4100Form::Hex10, vx::Em4100Form::W26}) {
    const vx::ExportText file = vx::ExportFileText(*result.layout, credentials, form, false);
    if (!file.unmappedFormat.empty()) {
      FUZZ_CHECK(file.bytes.empty());
      continue;
    }
    FUZZ_CHECK(file.bytes.ends_with("\r\n"));
    FUZZ_CHECK(!file.bytes.starts_with("\xEF\xBB\xBF"));
  }
  return 0;
}
