// Test doubles for the services with outside effects: they record what the program
// asked for, answer as the test says, and show, sound, open, start or print nothing.
#pragma once

#include <QPageSize>
#include <QPdfWriter>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/beep.h"
#include "platform/command_start.h"
#include "platform/cursor.h"
#include "platform/file_dialog.h"
#include "platform/key_store.h"
#include "platform/list_choice.h"
#include "platform/message_box.h"
#include "platform/printing.h"
#include "platform/service.h"
#include "platform/shell.h"

namespace varnolix::test {

struct RecordedBox {
  std::string caption, text;
  unsigned type;
  std::vector<std::string> buttons;  // a question's own
};

// Answers a box of one button with OK, and any other with the next of `answers`, or
// Cancel when none is left; a question with the next of `pressed`, the index of a
// button, or its escape button when none is left.
struct RecordingMessageBoxes : MessageBoxes {
  int Show(std::string_view caption, std::string_view text, unsigned type) override {
    boxes.push_back({std::string(caption), std::string(text), type, {}});
    if ((type & 0x0F) == MB_OK) return IDOK;
    if (answers.empty()) return IDCANCEL;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::size_t Ask(std::string_view caption, const Question& question) override {
    boxes.push_back({std::string(caption), question.text, MB_ICONQUESTION, question.buttons});
    if (pressed.empty()) return question.escapeButton;
    const std::size_t answer = pressed.front();
    pressed.pop_front();
    return answer;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes) texts.push_back(box.text);
    return texts;
  }
  std::vector<RecordedBox> boxes;
  std::deque<int> answers;
  std::deque<std::size_t> pressed;
};

// Answers each file dialog with the next of `paths`, or a cancel when none is left.
struct RecordingFileDialogs : FileDialogs {
  std::optional<std::string> Choose(const FileChoice& choice) override {
    choices.push_back(choice);
    if (paths.empty()) return std::nullopt;
    std::string path = paths.front();
    paths.pop_front();
    return path;
  }
  std::deque<std::string> paths;
  std::vector<FileChoice> choices;
};

// Picks item `pick` of every list, or cancels when it is empty.
struct RecordingListChoosers : ListChoosers {
  std::optional<std::size_t> Choose(const ListChoice& choice) override {
    prompt = choice.prompt;
    items.clear();
    for (std::size_t i = 0; i < choice.count; ++i) items.push_back(choice.item(i));
    return pick;
  }
  std::optional<std::size_t> pick;
  std::string prompt;
  std::vector<std::string> items;
};

// Prints to a PDF file at `pdf`, as choosing "Print to File" would.
struct RecordingPrinters : Printers {
  PrintOutcome Print(std::string_view documentName, const QPageSize& /*paper*/,
                     const std::function<bool(QPagedPaintDevice&)>& paint) override {
    documents.emplace_back(documentName);
    QPdfWriter writer(QString::fromStdString(pdf));
    return paint(writer) ? PrintOutcome::kPrinted : PrintOutcome::kFailed;
  }
  std::string pdf;
  std::vector<std::string> documents;
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
  RecordingFileDialogs files;
  RecordingListChoosers lists;
  RecordingPrinters printers;
  ScopedService<MessageBoxes> boxesInPlace{boxes};
  ScopedService<FileDialogs> filesInPlace{files};
  ScopedService<ListChoosers> listsInPlace{lists};
  ScopedService<Printers> printersInPlace{printers};
  ScopedService<Shell> shellInPlace{shell};
  ScopedService<KeyStore> keyStoreInPlace{keyStore};
  ScopedService<CommandStarter> commandsInPlace{commands};
  ScopedService<Beeper> beeperInPlace{beeper};
};

}  // namespace varnolix::test
