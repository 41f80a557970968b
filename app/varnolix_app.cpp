#include "app/varnolix_app.h"

#include "app/mod_property_sheet.h"
#include "resources/dialog_templates.h"
#include "varnolix/version.h"

namespace varnolix {

CVarnolixApp theApp;

// Without a name of its own, the application is named after its program file, and
// every message box is captioned with that name.
CVarnolixApp::CVarnolixApp() = default;

// Handling the help command is what gives the sheet its Help button.
const MessageMap& CVarnolixApp::GetMessageMap() const {
  static const MessageMap map{&CWinApp::GetMessageMap(), {OnCommand(ID_HELP, &CWinApp::OnHelp)}};
  return map;
}

bool CVarnolixApp::InitInstance() {
  SetDesktopEntry(kApplicationId);
  SetApplicationIcon(resources::ApplicationIconImages());
  CModPropertySheet sheet("Varnolix", nullptr, 0);
  sheet.OpenAtStart(m_startFile);
  m_pMainWnd = &sheet;
  sheet.DoModal();
  m_pMainWnd = nullptr;
  return false;  // the program ends when the sheet closes
}

}  // namespace varnolix
