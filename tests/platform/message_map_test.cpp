// Message tables: a class's own entries come before its base's, and within a table
// the first matching entry wins, a handler for any control included.
#include "platform/message_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnolix {
namespace {

class Base : public CCmdTarget {
 public:
  const MessageMap& GetMessageMap() const override {
    static const MessageMap map{&CCmdTarget::GetMessageMap(),
                                {OnButtonClicked(1, &Base::Call<'a'>), OnButtonClicked(2, &Base::Call<'b'>),
                                 OnEditChange(3, &Base::Call<'c'>)}};
    return map;
  }
  template <char name>
  void Call() {
    calls += name;
  }
  std::string calls;
};

class Derived : public Base {
 public:
  const MessageMap& GetMessageMap() const override {
    static const MessageMap map{&Base::GetMessageMap(),
                                {OnButtonClicked(1, &Derived::Call<'1'>), OnButtonClicked(1, &Derived::Call<'2'>),
                                 OnEditChange(kAnyControl, &Derived::Call<'*'>),
                                 OnEditChange(4, &Derived::Call<'4'>)}};
    return map;
  }
};

TEST(MessageMap, RunsExactlyTheFirstMatchingEntry) {
  const struct {
    Message message;
    int id;
    const char* calls;  // empty: nobody handles it
  } cases[] = {
      {Message::Command, 1, "1"},      // own entry before the base's, and only the first
      {Message::Command, 2, "b"},      // on to the base
      {Message::EditChange, 4, "*"},   // any control, listed first
      {Message::EditChange, 3, "*"},   // any control shadows the base
      {Message::CtlColor, 1, ""},      // same control, another message
      {Message::Command, 99, ""},
  };
  for (const auto& c : cases) {
    Derived target;
    MessageArgs args{c.message, c.id};
    EXPECT_EQ(target.Dispatch(args), *c.calls != '\0') << c.id;
    EXPECT_EQ(target.calls, c.calls) << c.id;
    EXPECT_EQ(target.HasHandler(c.message, c.id), *c.calls != '\0') << c.id;
  }
}

}  // namespace
}  // namespace varnolix
