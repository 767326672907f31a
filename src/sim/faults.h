#pragma once
// Misbehaviours the simulated device can be told to show, so the program's
// handling of a failing reader/writer can be tried without one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx::sim {

enum class Fault : std::uint8_t {
  Silent,   // never answers anything
  Refuse,   // answers writes with status 01 and leaves the card alone
  NoCard,   // answers reads with status 01 (nothing in the field)
  Corrupt,  // reads return the card number plus one (wrapped to the format's width)
  Split,    // replies come in three pieces with gaps between them
  Garbage,  // stray bytes go out before every reply
  NoRead,   // acknowledges writes, never answers reads
  Unplug,   // drops the line after receiving a write, before answering it
  Bytewise, // replies come one byte at a time with gaps between them
  AnyLayout, // decodes a Wiegand card with the layout it was written in, whatever layout a read asks for
};

inline constexpr Fault kAllFaults[] = {Fault::Silent, Fault::Refuse, Fault::NoCard, Fault::Corrupt,
                                       Fault::Split,  Fault::Garbage, Fault::NoRead, Fault::Unplug,
                                       Fault::Bytewise, Fault::AnyLayout};

// The name used on command lines: "silent", "refuse", ...
std::string_view FaultName(Fault fault);

class FaultSet {
 public:
  FaultSet() = default;
  FaultSet(std::initializer_list<Fault> faults) {
    for (Fault f : faults) Add(f);
  }
  void Add(Fault fault) { bits_ |= Bit(fault); }
  bool Has(Fault fault) const { return (bits_ & Bit(fault)) != 0; }
  bool Empty() const { return bits_ == 0; }
  bool operator==(const FaultSet&) const = default;

 private:
  static unsigned Bit(Fault fault) { return 1U << static_cast<unsigned>(fault); }
  unsigned bits_ = 0;
};

struct FaultParse {
  std::optional<FaultSet> faults;  // nothing when a name is unknown
  std::string error;               // says which name, and lists the known ones
};

// Names separated by commas or blanks, any case; "" and "none" mean no fault.
FaultParse ParseFaults(std::string_view text);

// "silent, refuse, ..." for help texts and error messages.
std::string FaultNameList();

}  // namespace vx::sim
