#include "cli/messages.h"

#include <array>
#include <charconv>

namespace varnolix::cli {
namespace {

constexpr std::array<std::string_view, 14> kTexts{{
    "line {}, column {}: '{}' is not an amount",
    "line {}: expected {} fields, found {}",
    "line {}: no basic_pm column",
    "line {}: column {} appears twice (fields {} and {})",
    "line {}: a quote inside an unquoted field",
    "line {}: text after a closing quote",
    "line {}: a quoted field is still open at the end of the input",
    "line {}: a record longer than 4 MiB",
    "cannot open '{}': {}",
    "cannot read '{}': {}",
    "cannot open '{}' for writing: {}",
    "cannot write '{}': {}",
    "'{}' is both the input and the output",
    "{} of {} rows have errors; the first is on line {}",
}};

void AppendArg(std::string& out, const MessageArg& arg) {
  if (!arg.isNumber) {
    out += arg.text;
    return;
  }
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, arg.number);
  (void)error;  // 24 places hold any 64-bit number
  out.append(digits, end);
}

}  // namespace

void AppendMessage(std::string& out, Message message, std::initializer_list<MessageArg> args) {
  std::string_view pattern = kTexts[static_cast<size_t>(message)];
  const MessageArg* next = args.begin();
  for (size_t hole = pattern.find("{}"); hole != std::string_view::npos; hole = pattern.find("{}")) {
    out += pattern.substr(0, hole);
    if (next != args.end()) AppendArg(out, *next++);
    pattern.remove_prefix(hole + 2);
  }
  out += pattern;
}

std::string MessageText(Message message, std::initializer_list<MessageArg> args) {
  std::string text;
  AppendMessage(text, message, args);
  return text;
}

std::string_view QuotableExcerpt(std::string_view cell, bool& cut) {
  constexpr int kMaxCharacters = 40;
  int characters = 0;
  for (size_t i = 0; i < cell.size(); ++i) {
    // A character starts at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(cell[i]) & 0xC0) == 0x80) continue;
    if (characters == kMaxCharacters) {
      cut = true;
      return cell.substr(0, i);
    }
    ++characters;
  }
  cut = false;
  return cell;
}

}  // namespace varnolix::cli
