// Message tables: a class's own entries come before its base's, and within a table
// the first matching entry wins.
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
                                {
                                    OnButtonClicked(1, &Base::BaseOne),
                                    OnButtonClicked(2, &Base::BaseTwo),
                                    OnEditChange(3, &Base::BaseChange),
                                }};
    return map;
  }
  std::vector<std::string> calls;

 private:
  void BaseOne() { calls.push_back("base 1"); }
  void BaseTwo() { calls.push_back("base 2"); }
  void BaseChange() { calls.push_back("base change 3"); }
};

class Derived : public Base {
 public:
  const MessageMap& GetMessageMap() const override {
    static const MessageMap map{&Base::GetMessageMap(),
                                {
                                    OnButtonClicked(1, &Derived::First),
                                    OnButtonClicked(1, &Derived::Second),
                                    OnEditChange(kAnyControl, &Derived::AnyChange),
                                    OnEditChange(4, &Derived::ChangeFour),
                                }};
    return map;
  }

 private:
  void First() { calls.push_back("derived 1"); }
  void Second() { calls.push_back("derived 1 again"); }
  void AnyChange() { calls.push_back("derived any change"); }
  void ChangeFour() { calls.push_back("derived change 4"); }
};

struct DispatchCase {
  const char* name;
  Message message;
  int id;
  std::vector<std::string> calls;  // empty: nobody handles it
};
void PrintTo(const DispatchCase& c, std::ostream* os) { *os << c.name; }

class MessageMapTest : public ::testing::TestWithParam<DispatchCase> {};

TEST_P(MessageMapTest, RunsExactlyTheFirstMatchingEntry) {
  const DispatchCase& c = GetParam();
  Derived target;
  MessageArgs args{c.message, c.id};
  EXPECT_EQ(target.Dispatch(args), !c.calls.empty());
  EXPECT_EQ(target.calls, c.calls);
  EXPECT_EQ(target.HasHandler(c.message, c.id), !c.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageMapTest,
    ::testing::Values(DispatchCase{"OwnEntryBeforeTheBases", Message::Command, 1, {"derived 1"}},
                      DispatchCase{"ChainsToTheBase", Message::Command, 2, {"base 2"}},
                      DispatchCase{"AnyControlListedFirstWins", Message::EditChange, 4, {"derived any change"}},
                      DispatchCase{"AnyControlShadowsTheBase", Message::EditChange, 3, {"derived any change"}},
                      DispatchCase{"SameIdOtherMessage", Message::CtlColor, 1, {}},
                      DispatchCase{"NobodyHandlesIt", Message::Command, 99, {}}),
    [](const ::testing::TestParamInfo<DispatchCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace varnolix
