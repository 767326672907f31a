#include "exports/record_reading.h"

#include "i18n/translate.h"
#include "platform/text_file.h"
#include "record/record_file.h"

namespace vx {

std::optional<std::string> ReadRecordOutcomes(const std::string& path, std::vector<CredentialOutcome>& outcomes) {
  const TextFileResult file = ReadTextFile(path, kRecordMaxBytes, TrCtx("file kind", "a card record"));
  if (!file.content) return file.problem;
  const std::string_view text = WithoutByteOrderMark(*file.content);
  if (!text.empty() && !text.starts_with(kRecordHeader))
    return Tr("it is not a card record: its first line is not the record's header");
  std::vector<CredentialOutcome> read = OutcomesOfRecord(ParseRecordText(text));
  outcomes.insert(outcomes.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
  return std::nullopt;
}

}  // namespace vx
