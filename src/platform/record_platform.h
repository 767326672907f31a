#pragma once
// What the record and the shared record's journal need of the operating
// system, in one small file per platform: looking at what a path names and
// opening a file by its UTF-8 name without waiting on a pipe or following a
// link, a private folder, pushing written bytes through to the disk, the
// system's words for an error, and the local time with its offset from UTC.

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>

namespace vx::record_platform {

// What a path names, looked at without opening it (opening a pipe waits for
// the other end). With `followLink`, a symbolic link is looked through to what
// it names; without, it is a Link (on Windows: any reparse point).
enum class PathKind {
  Absent,
  Regular,
  Folder,
  Link,
  Other,    // a device, a pipe or a socket
  Unknown,  // it cannot be looked at: errno says why
};
PathKind KindAt(const std::string& path, bool followLink);

struct OpenRules {
  bool create = false;       // made when absent
  bool privateFile = false;  // readable and writable by its owner alone (0600 on POSIX); an existing one is made so
  bool refuseLink = false;   // a symbolic link in its place is refused, never written through
};
// Opens `path` for reading and appending, in binary mode. Only a regular file
// is opened: a pipe, a device or a folder fails at once, without waiting on
// it (EINVAL), and a link refused by `rules` fails too (ELOOP, or EACCES on
// Windows). nullptr on failure, with errno set.
std::FILE* OpenForAppend(const std::string& path, const OpenRules& rules);
// Opens a regular file for reading in binary mode, as OpenForAppend does
// (never a pipe, never through a symbolic link). nullptr with errno set.
std::FILE* OpenForReading(const std::string& path);
// Makes `folder` and any folder above it that is missing. The folder itself is
// its owner's alone (0700 on POSIX, narrowed when it is wider); on Windows the
// user's own folder already is, and nothing is widened. False with errno set.
bool MakePrivateFolder(const std::string& folder);
// After fflush: makes the file's bytes durable. False with errno set.
bool SyncToDisk(std::FILE* file);
// After a file was created in it: makes the folder's entry of the file
// durable, so a power cut cannot lose the file's name while its bytes were
// synced. False with errno set. Where the system keeps names durable with the
// file itself, there is nothing to do.
bool SyncFolderOf(const std::string& path);
// The system's description of an errno value.
std::string ErrorText(int error);

struct LocalTime {
  std::tm fields{};
  int utcOffsetMinutes = 0;
};
// The local calendar time of `seconds` since the epoch, and the offset from
// UTC in force at that moment (daylight saving included).
LocalTime LocalTimeOf(std::time_t seconds);

}  // namespace vx::record_platform
