// The command line:
//   varnolix-assess [--lenient] [--explain] [--threads N] [--keep-column NAME]... [-o OUTPUT] [INPUT]
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnolix::cli {

struct Options {
  bool lenient = false;
  bool explain = false;
  bool help = false;
  bool version = false;
  std::string input = {};   // empty for standard input
  std::string output = {};  // empty for standard output
  unsigned threads = 0;     // 0 for one per processor
  std::vector<std::string> keptColumns = {};  // pass through whatever their names
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the command line is sound
};

// `args` without the program name. "-" stands for standard input or output.
ParsedOptions ParseOptions(std::span<const std::string_view> args);

std::string HelpText();
std::string VersionText();

}  // namespace varnolix::cli
