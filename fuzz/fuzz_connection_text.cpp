// A connection string or a driver's message as any bytes at all: the
// operator types the one, a server's driver writes the other. Reading and
// masking may neither crash nor run away, and no password that the reader
// finds in a masked text is anything but the mask.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "store/connection_string.h"
#include "store/store_connection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> secrets;
  for (const vx::ConnectionAttribute& attribute : vx::ConnectionAttributes(text)) {
    FUZZ_CHECK(attribute.key.size() <= text.size() && attribute.value.size() <= text.size());
    if (vx::IsPasswordKey(attribute.key)) secrets.push_back(attribute.value);
  }
  const std::string masked = vx::MaskPasswords(text, secrets);
  for (const vx::ConnectionAttribute& attribute : vx::ConnectionAttributes(masked))
    if (vx::IsPasswordKey(attribute.key)) FUZZ_CHECK(attribute.value.empty() || attribute.value.starts_with("***"));

  // A password joined to a connection comes back whole as its last attribute
  // (a connection with a brace it never closes swallows whatever follows).
  const std::string connection = text.substr(0, size / 2);
  const std::string joined = vx::WithPassword(connection, text.substr(size / 2));
  if (size / 2 < size && connection.find('{') == std::string::npos) {
    const std::vector<vx::ConnectionAttribute> attributes = vx::ConnectionAttributes(joined);
    FUZZ_CHECK(!attributes.empty() && attributes.back().value == text.substr(size / 2));
  }
  return 0;
}
