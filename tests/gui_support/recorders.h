// Test doubles for the services with outside effects: they record what the program
// asked for and show or open nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/service.h"
#include "platform/shell.h"

namespace varnolix::test {

struct RecordedBox {
  std::string caption, text;
  unsigned type;
};

// Answers every box with OK at once.
struct RecordingMessageBoxes : MessageBoxes {
  int Show(std::string_view caption, std::string_view text, unsigned type) override {
    boxes.push_back({std::string(caption), std::string(text), type});
    return IDOK;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes) texts.push_back(box.text);
    return texts;
  }
  std::vector<RecordedBox> boxes;
};

// Answers every request as a missing file.
struct RecordingShell : Shell {
  std::intptr_t Execute(const ShellRequest& request) override {
    requests.push_back(request);
    return SE_ERR_FNF;
  }
  std::vector<ShellRequest> requests;
};

// Both recorders in place for the lifetime of the object.
struct RecordedServices {
  RecordingMessageBoxes boxes;
  RecordingShell shell;
  ScopedService<MessageBoxes> boxesInPlace{boxes};
  ScopedService<Shell> shellInPlace{shell};
};

}  // namespace varnolix::test
