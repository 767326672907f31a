#include "sim/device_note.h"

#include <gtest/gtest.h>

namespace vx::sim {
namespace {

TEST(SimulatedDeviceNote, NamesTheFaultsInTheirOrder) {
  const struct {
    FaultSet faults;
    const char* note;
  } cases[] = {
      {{}, "Simulated reader/writer"},
      {{Fault::Refuse}, "Simulated reader/writer (faults: refuse)"},
      {{Fault::Garbage, Fault::Split}, "Simulated reader/writer (faults: split, garbage)"},
  };
  for (const auto& c : cases) EXPECT_EQ(SimulatedDeviceNote(c.faults), c.note);
}

}  // namespace
}  // namespace vx::sim
