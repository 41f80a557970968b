// The key store on the desktop: the applications the desktop's own settings name for
// web pages and for the schemes of addresses, passing over any that need a terminal.
#include <dlfcn.h>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/desktop_entry.h"
#include "platform/key_store.h"

namespace varnolix {
namespace {

constexpr std::string_view kHtmlDocuments = ".htm";
constexpr std::string_view kOpenCommand = "\\shell\\open\\command";
constexpr std::string_view kDesktopEntry = ".desktop";

// GIO, and GObject with it, are loaded when the store is first asked, which is only when
// the desktop's opener has refused a link: not on every start of the program.
struct Gio {
  decltype(&g_app_info_get_default_for_type) getDefaultForType;
  decltype(&g_app_info_get_recommended_for_type) getRecommendedForType;
  decltype(&g_app_info_get_id) getId;
  decltype(&g_app_info_get_commandline) getCommandline;
  decltype(&g_app_info_get_name) getName;
  decltype(&g_desktop_app_info_new) desktopEntryNew;
  decltype(&g_desktop_app_info_get_string) desktopEntryString;
  decltype(&g_desktop_app_info_get_boolean) desktopEntryBoolean;
  decltype(&g_desktop_app_info_get_filename) desktopEntryFilename;
  decltype(&g_object_unref) unref;
};

// Null when GIO cannot be loaded: then the store holds no keys. It stays loaded.
const Gio* LoadedGio() {
  static const std::optional<Gio> gio = []() -> std::optional<Gio> {
    void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return std::nullopt;
    Gio loaded{};
    bool complete = true;
    const auto bind = [&](auto& function, const char* name) {
      function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
      complete = complete && function != nullptr;
    };
    bind(loaded.getDefaultForType, "g_app_info_get_default_for_type");
    bind(loaded.getRecommendedForType, "g_app_info_get_recommended_for_type");
    bind(loaded.getId, "g_app_info_get_id");
    bind(loaded.getCommandline, "g_app_info_get_commandline");
    bind(loaded.getName, "g_app_info_get_name");
    bind(loaded.desktopEntryNew, "g_desktop_app_info_new");
    bind(loaded.desktopEntryString, "g_desktop_app_info_get_string");
    bind(loaded.desktopEntryBoolean, "g_desktop_app_info_get_boolean");
    bind(loaded.desktopEntryFilename, "g_desktop_app_info_get_filename");
    bind(loaded.unref, "g_object_unref");
    if (complete) return loaded;
    return std::nullopt;
  }();
  return gio ? &*gio : nullptr;
}

template <class T>
struct GObjectDeleter {
  void operator()(T* object) const { LoadedGio()->unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

std::string OrEmpty(const char* text) { return text != nullptr ? text : ""; }

class DesktopKeyStore : public KeyStore {
 public:
  std::optional<std::string> DefaultValue(HKEY root, std::string_view path) override {
    const Gio* gio = LoadedGio();
    if (root != HKEY_CLASSES_ROOT || gio == nullptr) return std::nullopt;
    if (path == kHtmlDocuments) return ApplicationFor(*gio, "text/html");
    if (path.size() <= kOpenCommand.size() || !path.ends_with(kOpenCommand)) return std::nullopt;
    const std::string_view owner = path.substr(0, path.size() - kOpenCommand.size());
    if (!owner.ends_with(kDesktopEntry) && IsUriScheme(owner)) {
      const std::optional<std::string> handler = ApplicationFor(*gio, "x-scheme-handler/" + std::string(owner));
      return handler ? OpenCommandOf(*gio, *handler) : std::nullopt;
    }
    return OpenCommandOf(*gio, owner);
  }

 private:
  // The first application for `type` that needs no terminal: the default (the user's own
  // choice counts first), then the others the desktop recommends for it.
  static std::optional<std::string> ApplicationFor(const Gio& gio, const std::string& type) {
    std::vector<std::string> ids;
    if (const GObjectPtr<GAppInfo> chosen(gio.getDefaultForType(type.c_str(), FALSE)); chosen) {
      ids.push_back(OrEmpty(gio.getId(chosen.get())));
    }
    GList* recommended = gio.getRecommendedForType(type.c_str());
    for (GList* item = recommended; item != nullptr; item = item->next) {
      ids.push_back(OrEmpty(gio.getId(static_cast<GAppInfo*>(item->data))));
    }
    g_list_free_full(recommended, gio.unref);
    for (const std::string& id : ids) {
      if (!id.empty() && !NeedsTerminal(gio, id)) return id;
    }
    return std::nullopt;
  }

  // An application that must run in a terminal would take over this program's own.
  static bool NeedsTerminal(const Gio& gio, const std::string& id) {
    const GObjectPtr<GDesktopAppInfo> entry(gio.desktopEntryNew(id.c_str()));
    return entry && gio.desktopEntryBoolean(entry.get(), "Terminal");
  }

  static std::optional<std::string> OpenCommandOf(const Gio& gio, std::string_view entryId) {
    const std::string id(entryId);
    const GObjectPtr<GDesktopAppInfo> entry(gio.desktopEntryNew(id.c_str()));
    if (!entry || gio.desktopEntryBoolean(entry.get(), "Terminal")) return std::nullopt;
    // A desktop entry is an application; the checked cast would need GObject linked in.
    auto* application = reinterpret_cast<GAppInfo*>(entry.get());
    const char* exec = gio.getCommandline(application);
    if (exec == nullptr) return std::nullopt;  // started over D-Bus only: no command line
    const std::unique_ptr<char, decltype(&g_free)> icon(gio.desktopEntryString(entry.get(), "Icon"), &g_free);
    const DesktopEntryFacts facts{OrEmpty(icon.get()), OrEmpty(gio.getName(application)),
                                  OrEmpty(gio.desktopEntryFilename(entry.get()))};
    return CommandFromExecLine(exec, facts);
  }
};

}  // namespace

KeyStore& KeyStore::Production() {
  static DesktopKeyStore store;
  return store;
}

}  // namespace varnolix
