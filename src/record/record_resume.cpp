#include "record/record_resume.h"

#include <charconv>

#include "record/record_line.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"

namespace vx {

namespace {

bool EntryNumber(const std::string& text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value > 0;
}

// A line without quotes whose source field is `cardFile`, judged on views of
// the line.
bool PlainLineMayCount(std::string_view line, const std::string& cardFile) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  std::string_view fields[kRecordColumns];
  std::size_t count = 0;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    if (count == kRecordColumns) return false;
    fields[count++] = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return IsRecordFieldCount(count) && fields[kSourceAt] == cardFile;
}

ResumePoint Changed(int entry, const std::vector<std::string>& fields, const std::string& fileFc,
                    const std::string& fileCn) {
  ResumePoint point;
  point.kind = ResumePoint::Kind::Changed;
  point.changedEntry = entry;
  point.recordedFc = fields[kFacilityCodeAt];
  point.recordedCn = fields[kCardNumberAt];
  point.fileFc = fileFc;
  point.fileCn = fileCn;
  return point;
}

}  // namespace

ResumePoint FindResumePoint(std::string_view recordText, const std::string& cardFile,
                            const std::vector<CardEntry>& entries) {
  ResumePoint point;
  // For each entry of the file, the time of its last "written" line.
  std::vector<std::string> writtenAt(entries.size());
  std::vector<std::string> fileFc(entries.size()), fileCn(entries.size());
  std::vector<bool> known(entries.size(), false);
  int failedAttempts = 0;

  std::size_t pos = recordText.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::vector<std::string> f;
  while (pos < recordText.size()) {
    // Most lines carry no quotes: those are told apart without copying, and
    // only the lines of this file's written cards are split into fields.
    const std::size_t end = recordText.find('\n', pos);
    if (end == std::string_view::npos) break;  // a partial last line is no card
    const std::string_view line = recordText.substr(pos, end - pos);
    if (line.find('"') == std::string_view::npos) {
      if (!PlainLineMayCount(line, cardFile)) {
        pos = end + 1;
        continue;
      }
    }
    const std::size_t count = NextCsvLine(recordText, pos, f);
    if (count == 0) break;
    if (!IsRecordFieldCount(count) || f[kSourceAt] != cardFile) continue;
    if (f[kOutcomeAt] != kWrittenOutcome) {
      ++failedAttempts;
      continue;
    }
    int entry = 0;
    if (!EntryNumber(f[kEntryAt], entry)) continue;
    const std::size_t index = static_cast<std::size_t>(entry) - 1;
    if (index >= entries.size()) {
      if (point.kind != ResumePoint::Kind::Changed || entry < point.changedEntry) point = Changed(entry, f, "", "");
      continue;
    }
    if (!known[index]) {
      fileFc[index] = FacilityCodeText(entries[index]);
      fileCn[index] = CardNumberText(entries[index]);
      known[index] = true;
    }
    if (f[kFacilityCodeAt] != fileFc[index] || f[kCardNumberAt] != fileCn[index]) {
      if (point.kind != ResumePoint::Kind::Changed || entry < point.changedEntry)
        point = Changed(entry, f, fileFc[index], fileCn[index]);
      continue;
    }
    writtenAt[index] = f[kTimeAt];
  }
  if (point.kind == ResumePoint::Kind::Changed) return point;

  std::size_t k = 0;
  while (k < entries.size() && !writtenAt[k].empty()) ++k;
  if (k == 0) return point;
  point.written = static_cast<int>(k);
  point.failedAttempts = failedAttempts;
  point.lastTime = writtenAt[k - 1];
  point.kind = k == entries.size() ? ResumePoint::Kind::AllWritten : ResumePoint::Kind::Continue;
  return point;
}

std::string ResumeQuestion(const ResumePoint& point) {
  switch (point.kind) {
    case ResumePoint::Kind::Nothing:
      return {};
    case ResumePoint::Kind::Continue:
      // TRANSLATORS: %1$d is the entries written, %2$s when the last was
      // written, %3$d the entry the batch would go on with.
      return Format(Tr("Entries 1 to %1$d of this file are already written (the last at %2$s). Continue with entry "
                       "%3$d?"),
                    point.written, point.lastTime, point.written + 1);
    case ResumePoint::Kind::AllWritten:
      // TRANSLATORS: %1$d is the entries of the file, %2$s when the last was written.
      return Format(Tr("All %1$d entries of this file are already written (the last at %2$s). The batch is complete: "
                       "the next Write Card will say the list has ended."),
                    point.written, point.lastTime);
    case ResumePoint::Kind::Changed: {
      const std::string was = point.recordedFc + "," + point.recordedCn;
      if (point.fileFc.empty()) {
        // TRANSLATORS: %1$d is the entry, %2$s the numbers it was written as ("12,1000").
        return Format(Tr("This file has changed since cards were written from it: entry %1$d was written as %2$s, but "
                         "the file has no entry %1$d any more. The batch starts at entry 1; check the file against "
                         "the record before writing."),
                      point.changedEntry, was);
      }
      // TRANSLATORS: %1$d is the entry, %2$s the numbers it was written as,
      // %3$s the numbers the file holds there now.
      return Format(Tr("This file has changed since cards were written from it: entry %1$d was written as %2$s, but it "
                       "now holds %3$s. The batch starts at entry 1; check the file against the record before "
                       "writing."),
                    point.changedEntry, was, point.fileFc + "," + point.fileCn);
    }
  }
  return {};
}

}  // namespace vx
