#include "platform/win_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
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
  QApplication application(argc, argv);
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return 1;
  if (app->m_strAppName.empty()) app->m_strAppName = CWinApp::NameFromProgramPath(argc > 0 ? argv[0] : "");
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
