// Picking one item of a list that may be long: the items are asked for only as they come
// into view, so a list of 1,00,000 opens at once, and a find field narrows it to the
// items whose search text holds what is typed, in any case.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnolix {

struct ListChoice {
  std::string caption;
  std::string prompt;
  std::size_t count = 0;
  std::function<std::string(std::size_t)> item;  // the text of item i, i < count
  // What the find field looks through for item i; its text when not given.
  std::function<std::string_view(std::size_t)> searchText;
  std::string noMatch;  // said in place of the list when nothing matches the find
};

class ListChoosers {
 public:
  virtual ~ListChoosers() = default;
  // The index of the item picked; nothing when the person cancelled.
  virtual std::optional<std::size_t> Choose(const ListChoice& choice) = 0;
  static ListChoosers& Production();
};

std::optional<std::size_t> ChooseFromList(const ListChoice& choice);

}  // namespace varnolix
