// Marks a file for removal on an interruption, says so, and waits to be interrupted. The
// file is a plain one, with no mark of its own to be deleted when closed, so that only
// the console's Ctrl+C handler can remove it.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "payroll/system/temporary_files.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ofstream(argv[1]) << "half-written\n";
  varnolix::payroll::system::RemoveOnInterruption(argv[1]);
  std::puts("marked");
  std::fflush(stdout);
  std::this_thread::sleep_for(std::chrono::minutes(1));
  return 1;
}
