// A stand-in browser: writes each argument after the first to the file the first
// names, one to a line, so a test can see exactly what it was started with.
#include <fstream>

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  std::ofstream out(argv[1]);
  for (int i = 2; i < argc; ++i) out << argv[i] << '\n';
  return out ? 0 : 1;
}
