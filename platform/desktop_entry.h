// Desktop entries as the key store shows them: the Exec line of an application's
// entry turned into a command line that takes an address in place of "%1".
#pragma once

#include <string>
#include <string_view>

namespace varnolix {

// What the entry says of itself, for the field codes that stand for it.
struct DesktopEntryFacts {
  std::string icon;      // the Icon key
  std::string name;      // the (translated) Name key
  std::string location;  // where the entry file is
};

// `exec` with its field codes replaced as the desktop-entry rules say: %u %U %f %F
// become %1 (inside quotes where the code stood quoted), %i becomes "--icon" and the
// icon, %c the name, %k the location, %% a percent sign; the deprecated and unknown
// codes are dropped.
std::string CommandFromExecLine(std::string_view exec, const DesktopEntryFacts& entry);

}  // namespace varnolix
