#pragma once
// Reading a card record for an export: the whole file, only a regular file of
// at most the record's size limit, and only a card record: a file whose first
// line is not the record's header is refused rather than read as no cards.

#include <optional>
#include <string>
#include <vector>

#include "exports/written_credentials.h"

namespace vx {

// Appends the record's outcomes to `outcomes`; why it cannot be read, in
// plain words, when it cannot.
std::optional<std::string> ReadRecordOutcomes(const std::string& path, std::vector<CredentialOutcome>& outcomes);

}  // namespace vx
