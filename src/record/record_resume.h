#pragma once
// How far a card-number file got according to the record: the longest run of
// entries 1..k of the same file with the same numbers that were written and
// verified. Only "written" lines count; a failed attempt is no card.

#include <string>
#include <string_view>
#include <vector>

#include "cardlist/card_list.h"

namespace vx {

struct ResumePoint {
  enum class Kind {
    Nothing,     // the record shows no written entry of this file
    Continue,    // entries 1..written are done; entry written+1 is next
    AllWritten,  // every entry of the file is done
    Changed,     // the file no longer holds what was written from it
  };
  Kind kind = Kind::Nothing;
  int written = 0;        // k: entries 1..k written
  std::string lastTime;   // when entry k was written (Continue, AllWritten)
  int failedAttempts = 0; // lines of this file's cards other than "written" (Continue, AllWritten)
  // Changed: the first entry whose numbers differ, as recorded and as the
  // file holds them now (both empty when the file has no such entry any more).
  int changedEntry = 0;
  std::string recordedFc, recordedCn;
  std::string fileFc, fileCn;
};

// `cardFile` is the full path the record's `source` column names.
ResumePoint FindResumePoint(std::string_view recordText, const std::string& cardFile,
                            const std::vector<CardEntry>& entries);

// The question or the message a resume point gives the operator; empty for
// Nothing.
std::string ResumeQuestion(const ResumePoint& point);

}  // namespace vx
