// The application object: one per program, constructed statically, found through
// AfxGetApp. Its name, the program file's name without extension, captions every
// message box.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/message_map.h"

namespace varnolix {

class CWnd;

class CWinApp : public CCmdTarget {
 public:
  // Without a name the application is named after its program file.
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  // Runs after the toolkit starts. Returning false ends the program without a
  // message loop.
  virtual bool InitInstance();

  // The help command: asks the main window for help on the active page.
  void OnHelp();

  static std::string NameFromProgramPath(std::string_view path);

  CWnd* m_pMainWnd = nullptr;
  std::string m_strAppName;
};

CWinApp* AfxGetApp();

// The full path of the running program's file.
std::string AfxGetProgramPath();

// The program's entry: starts the toolkit, names the application and runs it.
int AfxWinMain(int argc, char* argv[]);

// Names the installed desktop entry (without ".desktop") that the program's windows belong
// to, so that a desktop shows them with its menu entry.
void SetDesktopEntry(std::string_view id);

// The window icon of every window of the program, from PNG resources of several sizes.
void SetApplicationIcon(std::span<const std::string_view> images);

}  // namespace varnolix
