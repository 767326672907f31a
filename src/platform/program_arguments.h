#pragma once
// The program's command-line arguments in UTF-8, the encoding every path in
// the program is in. Windows hands main() its arguments in the local code
// page, in which a file name outside it cannot even be written, so there they
// are taken from the system's wide-character command line instead.

#include <string>
#include <vector>

namespace vx {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char* argv[]);

#ifdef _WIN32
// A Windows command line split as the system splits it (quotes, backslashes),
// in UTF-8, the program's name left out.
std::vector<std::string> ArgumentsOfCommandLine(const wchar_t* commandLine);
#endif

}  // namespace vx
