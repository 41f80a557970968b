// Choosing a file to open, or a name to save under, in the desktop's file dialog.
#pragma once

#include <optional>
#include <string>

namespace varnolix {

struct FileChoice {
  bool save = false;   // a name to save under
  bool askToReplace = true;  // whether the dialog asks before a file is replaced; off when the caller asks itself
  std::string caption;
  std::string start;   // the folder to start in, or the file to suggest
  std::string filter;  // "CSV files (*.csv);;All files (*)"
  std::string defaultSuffix;  // added to a name saved without one, before asking to replace
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The path chosen, as the file system spells it; nothing when the person cancelled.
  virtual std::optional<std::string> Choose(const FileChoice& choice) = 0;
  static FileDialogs& Production();
};

std::optional<std::string> ChooseFile(const FileChoice& choice);

}  // namespace varnolix
