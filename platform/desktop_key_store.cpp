// The key store on the desktop: the default web browser as the desktop's own
// application settings name it.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

#include "platform/desktop_entry.h"
#include "platform/key_store.h"

namespace varnolix {
namespace {

constexpr std::string_view kHtmlDocuments = ".htm";
constexpr std::string_view kOpenCommand = "\\shell\\open\\command";

template <class T>
struct GObjectDeleter {
  void operator()(T* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

std::string OrEmpty(const char* text) { return text != nullptr ? text : ""; }

class DesktopKeyStore : public KeyStore {
 public:
  std::optional<std::string> DefaultValue(HKEY root, std::string_view path) override {
    if (root != HKEY_CLASSES_ROOT) return std::nullopt;
    if (path == kHtmlDocuments) return DefaultBrowserId();
    if (path.size() > kOpenCommand.size() && path.ends_with(kOpenCommand)) {
      return OpenCommandOf(path.substr(0, path.size() - kOpenCommand.size()));
    }
    return std::nullopt;
  }

 private:
  static std::optional<std::string> DefaultBrowserId() {
    const GObjectPtr<GAppInfo> browser(g_app_info_get_default_for_type("text/html", FALSE));
    if (!browser) return std::nullopt;
    const char* id = g_app_info_get_id(browser.get());
    if (id == nullptr) return std::nullopt;
    return std::string(id);
  }

  static std::optional<std::string> OpenCommandOf(std::string_view entryId) {
    const std::string id(entryId);
    const GObjectPtr<GDesktopAppInfo> entry(g_desktop_app_info_new(id.c_str()));
    if (!entry) return std::nullopt;
    GAppInfo* application = G_APP_INFO(entry.get());
    const char* exec = g_app_info_get_commandline(application);
    if (exec == nullptr) return std::nullopt;  // started over D-Bus only: no command line
    const std::unique_ptr<char, decltype(&g_free)> icon(g_desktop_app_info_get_string(entry.get(), "Icon"), &g_free);
    const DesktopEntryFacts facts{OrEmpty(icon.get()), OrEmpty(g_app_info_get_name(application)),
                                  OrEmpty(g_desktop_app_info_get_filename(entry.get()))};
    return CommandFromExecLine(exec, facts);
  }
};

}  // namespace

KeyStore& KeyStore::Production() {
  static DesktopKeyStore store;
  return store;
}

}  // namespace varnolix
