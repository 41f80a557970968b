// Preloaded into a test or into the tool (LD_PRELOAD), this makes every request for an
// unnamed file fail as it does on a file system without them, so that the tests also
// take the route that such systems get. Everything else goes to the C library.
#include <dlfcn.h>
#include <fcntl.h>

#include <cerrno>
#include <cstdarg>

namespace {

bool AsksForUnnamedFile(int flags) { return (flags & O_TMPFILE) == O_TMPFILE; }

bool TakesMode(int flags) { return (flags & O_CREAT) != 0 || AsksForUnnamedFile(flags); }

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

using Open = int (*)(const char*, int, ...);
using OpenAt = int (*)(int, const char*, int, ...);

int OpenPath(const char* name, const char* path, int flags, mode_t mode) {
  if (AsksForUnnamedFile(flags)) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return Next<Open>(name)(path, flags, mode);
}

int OpenPathAt(const char* name, int folder, const char* path, int flags, mode_t mode) {
  if (AsksForUnnamedFile(flags)) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return Next<OpenAt>(name)(folder, path, flags, mode);
}

}  // namespace

#define VARNOLIX_MODE_OF(flags)                       \
  mode_t mode = 0;                                    \
  if (TakesMode(flags)) {                             \
    va_list rest;                                     \
    va_start(rest, flags);                            \
    mode = static_cast<mode_t>(va_arg(rest, int));    \
    va_end(rest);                                     \
  }

extern "C" {

int open(const char* path, int flags, ...) {
  VARNOLIX_MODE_OF(flags)
  return OpenPath("open", path, flags, mode);
}

int open64(const char* path, int flags, ...) {
  VARNOLIX_MODE_OF(flags)
  return OpenPath("open64", path, flags, mode);
}

int openat(int folder, const char* path, int flags, ...) {
  VARNOLIX_MODE_OF(flags)
  return OpenPathAt("openat", folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...) {
  VARNOLIX_MODE_OF(flags)
  return OpenPathAt("openat64", folder, path, flags, mode);
}

}  // extern "C"
