#include "platform/key_store.h"

#include <algorithm>
#include <map>

#include "platform/service.h"

namespace varnolix {
namespace {

// The keys open now, each with the value it had when it was opened.
std::map<std::uintptr_t, std::string>& OpenKeys() {
  static std::map<std::uintptr_t, std::string> keys;
  return keys;
}

}  // namespace

bool IsUriScheme(std::string_view text) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  const auto other = [&letter](char c) {
    return letter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
  };
  return !text.empty() && letter(text.front()) && std::all_of(text.begin(), text.end(), other);
}

long RegOpenKeyEx(HKEY root, std::string_view subKey, unsigned /*options*/, unsigned /*access*/, HKEY* result) {
  std::optional<std::string> value = Service<KeyStore>().DefaultValue(root, subKey);
  if (!value) return ERROR_FILE_NOT_FOUND;
  static std::uintptr_t lastHandle = 0;
  const std::uintptr_t handle = ++lastHandle;
  OpenKeys().emplace(handle, std::move(*value));
  *result = HKEY{handle};
  return ERROR_SUCCESS;
}

long RegQueryValue(HKEY key, std::string& value, long* size) {
  const auto found = OpenKeys().find(static_cast<std::uintptr_t>(key));
  if (found == OpenKeys().end()) return ERROR_INVALID_HANDLE;
  const std::string& stored = found->second;
  const bool fits = *size > 0 && stored.size() < static_cast<std::size_t>(*size);
  *size = static_cast<long>(stored.size() + 1);
  if (!fits) return ERROR_MORE_DATA;
  value = stored;
  return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key) {
  return OpenKeys().erase(static_cast<std::uintptr_t>(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace varnolix
