// The application: starts the program and runs its one sheet until it closes.
#pragma once

#include <string>

#include "platform/win_app.h"

namespace varnolix {

class CVarnolixApp : public CWinApp {
 public:
  CVarnolixApp();
  const MessageMap& GetMessageMap() const override;
  bool InitInstance() override;

  // The file the sheet opens when it starts; empty for none.
  void OpenAtStart(std::string path) { m_startFile = std::move(path); }

 private:
  std::string m_startFile;
};

extern CVarnolixApp theApp;

}  // namespace varnolix
