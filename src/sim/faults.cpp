#include "sim/faults.h"
#include "i18n/ascii_case.h"

#include <cctype>

namespace vx::sim {

std::string_view FaultName(Fault fault) {
  switch (fault) {
    case Fault::Silent: return "silent";
    case Fault::Refuse: return "refuse";
    case Fault::NoCard: return "nocard";
    case Fault::Corrupt: return "corrupt";
    case Fault::Split: return "split";
    case Fault::Garbage: return "garbage";
    case Fault::NoRead: return "noread";
    case Fault::Unplug: return "unplug";
    case Fault::Bytewise: return "bytewise";
    case Fault::AnyLayout: return "anylayout";
  }
  return "?";
}

std::string FaultNameList() {
  std::string list;
  for (Fault f : kAllFaults) {
    if (!list.empty()) list += ", ";
    list += FaultName(f);
  }
  return list;
}

FaultParse ParseFaults(std::string_view text) {
  FaultParse result;
  FaultSet faults;
  std::string word;
  auto take = [&]() -> bool {
    if (word.empty() || word == "none") {
      word.clear();
      return true;
    }
    for (Fault f : kAllFaults) {
      if (word == FaultName(f)) {
        faults.Add(f);
        word.clear();
        return true;
      }
    }
    result.error = "unknown fault \"" + word + "\" (known faults: " + FaultNameList() + ")";
    return false;
  };
  for (char c : text) {
    if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
      if (!take()) return result;
    } else {
      word.push_back(AsciiLower(c));
    }
  }
  if (!take()) return result;
  result.faults = faults;
  return result;
}

}  // namespace vx::sim
