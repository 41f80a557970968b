// Opening a document or an address with the program the desktop associates with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnolix {

// Results of a failed open; anything above 32 means the document was opened.
inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_PNF = 3;
inline constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
inline constexpr std::intptr_t SE_ERR_OOM = 8;
inline constexpr std::intptr_t SE_ERR_ASSOCINCOMPLETE = 27;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;
inline constexpr std::intptr_t kShellOpened = 42;

struct ShellRequest {
  std::string verb;
  std::string file;
  std::string parameters;
  std::string directory;
  int showCommand = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual std::intptr_t Execute(const ShellRequest& request) = 0;
  static Shell& Production();
};

// A relative file is looked for in `directory`, or else the current directory.
std::intptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                           std::string_view directory, int showCommand);

}  // namespace varnolix
