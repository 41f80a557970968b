// The program's command line: Varnolix [FILE], Varnolix --print-to-pdf OUT.pdf FILE,
// --help and --version.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace varnolix {

struct ProgramOptions {
  bool help = false;
  bool version = false;
  std::string pdf;   // --print-to-pdf's output; empty to start the sheet
  std::string file;  // the file to open or print; may be empty for the sheet
};

struct ParsedProgramOptions {
  ProgramOptions options;
  std::string error;  // empty when the command line is sound
};

// `args` without the program name.
ParsedProgramOptions ParseProgramOptions(std::span<const std::string_view> args);

std::string ProgramHelpText();

// The whole program: prints and exits for --help, --version and --print-to-pdf, else
// runs the sheet. Returns the exit status.
int RunProgram(int argc, char* argv[]);

}  // namespace varnolix
