// Test doubles for the services with outside effects: they record what the program
// asked for, answer as the test says, and show, sound, open or start nothing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/beep.h"
#include "platform/command_start.h"
#include "platform/cursor.h"
#include "platform/key_store.h"
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

// Answers a request for a file named in `answers` as that says, any other with
// `answer`: by default, a missing file.
struct RecordingShell : Shell {
  std::intptr_t Execute(const ShellRequest& request) override {
    requests.push_back(request);
    const auto found = answers.find(request.file);
    return found != answers.end() ? found->second : answer;
  }
  std::intptr_t answer = SE_ERR_FNF;
  std::map<std::string, std::intptr_t> answers;
  std::vector<ShellRequest> requests;
};

// Keys by their full path below HKEY_CLASSES_ROOT; empty unless the test fills it.
struct RecordingKeyStore : KeyStore {
  std::optional<std::string> DefaultValue(HKEY root, std::string_view path) override {
    reads.emplace_back(path);
    const auto found = keys.find(std::string(path));
    if (root != HKEY_CLASSES_ROOT || found == keys.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::string> keys;
  std::vector<std::string> reads;
};

struct RecordingCommandStarter : CommandStarter {
  unsigned Start(std::string_view commandLine, int /*showCommand*/) override {
    commandLines.emplace_back(commandLine);
    return answer;
  }
  unsigned answer = kCommandStarted;
  std::vector<std::string> commandLines;
};

// Each beep with the number of boxes shown before it.
struct RecordingBeeper : Beeper {
  explicit RecordingBeeper(const RecordingMessageBoxes& shown) : boxes(shown) {}
  void Beep(unsigned type) override { beeps.emplace_back(type, boxes.boxes.size()); }
  const RecordingMessageBoxes& boxes;
  std::vector<std::pair<unsigned, size_t>> beeps;
};

// A hand that is there, or missing, as the test says.
struct SwitchableHandCursor : HandCursorSource {
  HCURSOR Load() override { return missing ? nullptr : HandCursorSource::Production().Load(); }
  bool missing = false;
};

// Every double in place for the lifetime of the object.
struct RecordedServices {
  RecordingMessageBoxes boxes;
  RecordingShell shell;
  RecordingKeyStore keyStore;
  RecordingCommandStarter commands;
  RecordingBeeper beeper{boxes};
  ScopedService<MessageBoxes> boxesInPlace{boxes};
  ScopedService<Shell> shellInPlace{shell};
  ScopedService<KeyStore> keyStoreInPlace{keyStore};
  ScopedService<CommandStarter> commandsInPlace{commands};
  ScopedService<Beeper> beeperInPlace{beeper};
};

}  // namespace varnolix::test
