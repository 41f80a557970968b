// varnolix-assess: the assessment over a CSV file of employees, one row each.
#include <string_view>
#include <vector>

#include "cli/tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return varnolix::cli::RunTool(args);
}
