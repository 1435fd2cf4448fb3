// The event registry: lookup without regard to case, events without an entry,
// and the platform's events reaching the handlers once the registry is built.
#include <gtest/gtest.h>

#include "core/events.h"
#include "platform/events.h"

namespace {

using namespace sorvan;

TEST(EventRegistry, HandlersAreFoundWithoutRegardToCase) {
  BuildEventRegistry();
  int calls = 0;
  int seenIndex = 0;
  RegisterEvent("cmdOk141_Click", [&](plat::EventArgs& a) {
    ++calls;
    seenIndex = a.index;
  });
  plat::EventArgs args;
  args.index = 3;
  EXPECT_TRUE(DispatchEvent("CMDOK141_CLICK", args));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seenIndex, 3);
  EXPECT_TRUE(HasEvent("cmdok141_click"));
  EXPECT_FALSE(DispatchEvent("lb141_Click", args));  // labels have no click handler
  EXPECT_EQ(calls, 1);
}

TEST(EventRegistry, PlatformEventsReachTheHandlersAndCanRefuseAClose) {
  BuildEventRegistry();
  RegisterEvent("Test_Close", [](plat::EventArgs& a) { a.cancel = true; });
  plat::EventArgs args;
  plat::RaiseEvent("test_close", args);
  EXPECT_TRUE(args.cancel);
  // Building the registry again starts from the subsystems' own entries.
  BuildEventRegistry();
  EXPECT_FALSE(HasEvent("Test_Close"));
}

TEST(EventRegistry, NamesAreListedSortedWithoutRegardToCase) {
  BuildEventRegistry();
  for (const char* name : {"b_Click", "A_Click", "c_Click"}) RegisterEvent(name, [](plat::EventArgs&) {});
  std::vector<std::string> mine;
  for (const auto& n : RegisteredEventNames())
    if (n == "A_Click" || n == "b_Click" || n == "c_Click") mine.push_back(n);
  EXPECT_EQ(mine, (std::vector<std::string>{"A_Click", "b_Click", "c_Click"}));
}

}  // namespace
