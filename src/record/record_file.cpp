#include "record/record_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/record_platform.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"

namespace vx {

namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

RecordError SystemError(const std::string& path, int error) {
  return {path, error != 0 ? record_platform::ErrorText(error) : Tr("the write did not complete")};
}

RecordError NotAFile(const std::string& path) {
  return {path, Tr("it is not a regular file (it is a device, a pipe or a socket), so nothing is written to it")};
}

// The record opened for appending; a pipe, a device or a folder put in its
// place is refused at once rather than waited on.
std::optional<RecordError> OpenRecord(const std::string& path, bool create, File& file) {
  errno = 0;
  file.reset(record_platform::OpenForAppend(path, {.create = create}));
  if (file) return std::nullopt;
  return errno == EINVAL ? NotAFile(path) : SystemError(path, errno);
}

// Writes all of `text`, flushes and syncs; errno's reason on any failure.
std::optional<RecordError> WriteDurably(std::FILE* file, const std::string& path, const std::string& text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0)
    return SystemError(path, errno);
  if (!record_platform::SyncToDisk(file)) return SystemError(path, errno);
  return std::nullopt;
}

long SizeOf(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

}  // namespace

std::string RecordError::Message() const {
  // TRANSLATORS: %1$s is the record file, %2$s why it cannot be written.
  return Format(Tr("The card record cannot be written:\n%1$s\n%2$s\n\n\"Keep Record\" is now off."), path, reason);
}

std::optional<RecordError> StartRecord(const std::string& path, bool printedNumbersInUse) {
  if (path.empty()) return RecordError{path, Tr("no file was named")};
  // Looked at before it is opened: opening a pipe would wait for a reader.
  errno = 0;
  const record_platform::PathKind kind = record_platform::KindAt(path, true);
  switch (kind) {
    case record_platform::PathKind::Folder: return RecordError{path, Tr("it is a folder, not a file")};
    case record_platform::PathKind::Other: return NotAFile(path);
    case record_platform::PathKind::Unknown: return SystemError(path, errno);
    default: break;
  }
  const bool existed = kind != record_platform::PathKind::Absent;
  File file;
  if (auto error = OpenRecord(path, true, file)) return error;
  const long size = SizeOf(file.get());
  if (size < 0) return SystemError(path, errno);
  if (size == 0) {
    const std::string_view header = printedNumbersInUse ? kRecordHeaderWithPrinted : kRecordHeader;
    if (auto error = WriteDurably(file.get(), path, std::string(header) + "\r\n")) return error;
    // The first card's line is synced into the file; the file's name must
    // last as long.
    if (!existed && !record_platform::SyncFolderOf(path)) return SystemError(path, errno);
    return std::nullopt;
  }

  // Look at the first line and the last byte of what is there.
  std::ifstream in(PathOfUtf8(path), std::ios::binary);
  std::string first(kRecordHeader.size() + 3, '\0');
  in.read(first.data(), static_cast<std::streamsize>(first.size()));
  first.resize(static_cast<std::size_t>(in.gcount()));
  if (first.starts_with("\xEF\xBB\xBF")) first.erase(0, 3);
  if (!first.starts_with(kRecordHeader))
    return RecordError{path, Tr("it is not a card record: its first line is not the record's header")};
  in.clear();
  in.seekg(-1, std::ios::end);
  const int last = in.get();
  if (last != '\n') return WriteDurably(file.get(), path, "\r\n");
  return std::nullopt;
}

std::optional<RecordError> AppendRecordLine(const std::string& path, const RecordLine& line) {
  File file;
  if (auto error = OpenRecord(path, false, file)) return error;
  std::string text = FormatRecordLine(line);
  // Emptied since it was started: it gets its header again.
  if (SizeOf(file.get()) == 0)
    text = std::string(line.printedNumber.empty() ? kRecordHeader : kRecordHeaderWithPrinted) + "\r\n" + text;
  return WriteDurably(file.get(), path, text);
}

std::string RecordTimeText(std::chrono::system_clock::time_point when) {
  using namespace std::chrono;
  const auto ms = time_point_cast<milliseconds>(when);
  auto seconds = time_point_cast<std::chrono::seconds>(ms);
  if (seconds > ms) seconds -= std::chrono::seconds(1);  // before the epoch, round down
  const auto millis = static_cast<int>((ms - seconds).count());
  const record_platform::LocalTime local = record_platform::LocalTimeOf(system_clock::to_time_t(seconds));
  const std::tm& t = local.fields;
  const int offset = local.utcOffsetMinutes;
  const int absOffset = offset < 0 ? -offset : offset;
  char text[96];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d%c%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, millis, offset < 0 ? '-' : '+', absOffset / 60,
                absOffset % 60);
  return text;
}

std::string RecordTimeNow() { return RecordTimeText(std::chrono::system_clock::now()); }

}  // namespace vx
