#pragma once
// The Qt window as the program starts it (program/window_start.h). The
// program and the developer tool that drives the window for pictures start it
// the same way.

#include <memory>
#include <string>

#include "program/command_line.h"
#include "app/tesselmain.h"

namespace vx {

struct ProgramWindow {
  std::unique_ptr<Tesselmain> window;  // ready to show; null when `fault` says why not
  std::string fault;
  int exitCode = 0;                    // for a fault: 1 the folder or HID.cfg, 2 the serial link
};

// Needs the QApplication.
ProgramWindow OpenProgramWindow(const CommandLine& commandLine);

}  // namespace vx
