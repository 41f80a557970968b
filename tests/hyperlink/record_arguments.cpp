// A stand-in browser: writes to the file its first argument names where its standard
// streams lead, whether it leads a session of its own, and then each further argument,
// one to a line, so a test can see exactly how it was started.
#include <unistd.h>

#include <array>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  std::ofstream out(argv[1]);
  for (const char* stream : {"/proc/self/fd/0", "/proc/self/fd/1", "/proc/self/fd/2"}) {
    std::array<char, 256> target{};
    const ssize_t length = ::readlink(stream, target.data(), target.size() - 1);
    out << (length > 0 ? std::string(target.data(), static_cast<size_t>(length)) : "?") << '\n';
  }
  out << (::getsid(0) == ::getpid() ? "own session" : "shared session") << '\n';
  for (int i = 2; i < argc; ++i) out << argv[i] << '\n';
  return out ? 0 : 1;
}
