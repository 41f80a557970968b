// The application: starts the program and runs its one sheet until it closes.
#pragma once

#include "platform/win_app.h"

namespace varnolix {

class CVarnolixApp : public CWinApp {
 public:
  CVarnolixApp();
  const MessageMap& GetMessageMap() const override;
  bool InitInstance() override;
};

extern CVarnolixApp theApp;

}  // namespace varnolix
