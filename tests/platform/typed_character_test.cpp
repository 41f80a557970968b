// Which key presses a character filter sees as typed characters, and as which code.
#include "platform/typed_character.h"

#include <gtest/gtest.h>

#include <optional>

namespace varnolix {
namespace {

struct KeyCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* text;  // what the keyboard layout reports the key types
  std::optional<unsigned> typed;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class TypedCharacterTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypedCharacterTest, GivesTheCharacterCodeOrNone) {
  const KeyCase& c = GetParam();
  const QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
  EXPECT_EQ(TypedCharacter(press), c.typed);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TypedCharacterTest,
    ::testing::Values(KeyCase{"Digit", Qt::Key_7, Qt::NoModifier, "7", 0x37u},
                      KeyCase{"Point", Qt::Key_Period, Qt::NoModifier, ".", 0x2Eu},
                      KeyCase{"Letter", Qt::Key_A, Qt::NoModifier, "a", 0x61u},
                      KeyCase{"ShiftedLetter", Qt::Key_A, Qt::ShiftModifier, "A", 0x41u},
                      KeyCase{"Minus", Qt::Key_Minus, Qt::NoModifier, "-", 0x2Du},
                      KeyCase{"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", 0x08u},
                      KeyCase{"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f", std::nullopt},
                      KeyCase{"CtrlV", Qt::Key_V, Qt::ControlModifier, "\x16", 0x16u},
                      KeyCase{"CtrlC", Qt::Key_C, Qt::ControlModifier, "\x03", 0x03u},
                      KeyCase{"CtrlDigit", Qt::Key_1, Qt::ControlModifier, "1", std::nullopt},
                      KeyCase{"Tab", Qt::Key_Tab, Qt::NoModifier, "\t", std::nullopt},
                      KeyCase{"Return", Qt::Key_Return, Qt::NoModifier, "\r", std::nullopt},
                      KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, "\r", std::nullopt},
                      KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b", std::nullopt},
                      KeyCase{"AltLetter", Qt::Key_X, Qt::AltModifier, "x", std::nullopt},
                      KeyCase{"ArrowKey", Qt::Key_Left, Qt::NoModifier, "", std::nullopt}),
    [](const ::testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace varnolix
