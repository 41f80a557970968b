#include "platform/win_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/png_icon.h"
#include "platform/property_sheet.h"
#include "platform/types.h"

namespace varnolix {
namespace {

CWinApp*& CurrentApp() {
  static CWinApp* app = nullptr;
  return app;
}

// While the toolkit starts, its messages wait: a start that fails for want of a display
// ends with one line that says so, in place of Qt's advice to reinstall.
struct StartingMessages {
  static inline std::string programName;
  static inline QStringList held;

  static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
      held << qFormatLogMessage(type, context, message);
      return;
    }
    const char* display = std::getenv("DISPLAY");
    const std::string where = display != nullptr && *display != '\0'
                                  ? std::string("DISPLAY=") + display + " could not be reached"
                                  : std::string("neither DISPLAY nor WAYLAND_DISPLAY is set");
    std::fprintf(stderr, "%s: needs a graphical session, and none was found (%s)\n", programName.c_str(),
                 where.c_str());
    std::_Exit(2);
  }
  static void Release() {
    qInstallMessageHandler(nullptr);
    for (const QString& line : held) std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    held.clear();
  }
};

}  // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName != nullptr ? appName : "") { CurrentApp() = this; }

CWinApp::~CWinApp() {
  if (CurrentApp() == this) CurrentApp() = nullptr;
}

bool CWinApp::InitInstance() { return true; }

void CWinApp::OnHelp() {
  if (m_pMainWnd == nullptr) return;
  std::uint32_t context = 0;
  if (auto* sheet = dynamic_cast<CPropertySheet*>(m_pMainWnd); sheet != nullptr && sheet->GetActivePage() != nullptr) {
    context = HID_BASE_RESOURCE + static_cast<std::uint32_t>(sheet->GetActivePage()->GetTemplate().id);
  }
  m_pMainWnd->WinHelp(context, HELP_CONTEXT);
}

std::string CWinApp::NameFromProgramPath(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

CWinApp* AfxGetApp() { return CurrentApp(); }

std::string AfxGetProgramPath() { return QCoreApplication::applicationFilePath().toStdString(); }

int AfxWinMain(int argc, char* argv[]) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  if (app->m_strAppName.empty()) app->m_strAppName = CWinApp::NameFromProgramPath(argc > 0 ? argv[0] : "");
  StartingMessages::programName = app->m_strAppName;
  qInstallMessageHandler(&StartingMessages::Hold);
  QApplication application(argc, argv);
  StartingMessages::Release();
  QApplication::setApplicationName(QString::fromStdString(app->m_strAppName));
  if (!app->InitInstance()) return 0;
  return QApplication::exec();
}

void SetDesktopEntry(std::string_view id) {
  QGuiApplication::setDesktopFileName(QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size())));
}

void SetApplicationIcon(std::span<const std::string_view> images) {
  std::vector<QString> paths;
  for (std::string_view image : images) paths.push_back(QString::fromUtf8(image.data(), static_cast<qsizetype>(image.size())));
  QApplication::setWindowIcon(PngFilesIcon(paths));
}

}  // namespace varnolix
