// varnolix-assess on Windows: the arguments come as UTF-16 and go on as UTF-8, so that a
// file named in any script opens, whatever the console's code page.
#include <string>
#include <string_view>
#include <vector>

#include "cli/tool.h"
#include "payroll/system/windows_support.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> utf8;
  for (int i = 1; i < argc; ++i) utf8.push_back(varnolix::payroll::system::Utf8(argv[i]));
  const std::vector<std::string_view> args(utf8.begin(), utf8.end());
  return varnolix::cli::RunTool(args);
}
