#pragma once
// Writing the card record: each line is appended, flushed and synced to disk
// before the caller goes on, so whatever the window has shown is on disk even
// if the program dies the next moment.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "record/record_line.h"

namespace vx {

// Why the record could not be used: the file and the system's reason.
// A line takes about 150 bytes: this is well over a million cards. A larger
// file is refused for resuming rather than read whole on the window's thread.
inline constexpr std::uintmax_t kRecordMaxBytes = 256 * 1024 * 1024;

struct RecordError {
  std::string path;
  std::string reason;
  std::string Message() const;
};

// Makes `path` (UTF-8) the record: creates it if absent and gives a new or
// empty file the header line. An existing record is appended to, never
// truncated; a partial last line left by a crash is ended so the next line
// starts on its own. A non-empty file whose first line is not the header is
// refused, so a file chosen by mistake is never written into. A file made
// while printed numbers are in use gets the header that names them; any
// other, the header records have always had.
std::optional<RecordError> StartRecord(const std::string& path, bool printedNumbersInUse = false);

// Appends one line and syncs it (with its header again when the file was
// emptied meanwhile, naming the printed number when the line has one). The file must exist: a record deleted or
// moved away since StartRecord is an error rather than silently begun anew.
std::optional<RecordError> AppendRecordLine(const std::string& path, const RecordLine& line);

// "2026-12-08T19:02:03.123+01:00": local time, to the millisecond, with its
// offset from UTC.
std::string RecordTimeText(std::chrono::system_clock::time_point when);
std::string RecordTimeNow();

}  // namespace vx
