// A test fixture for code that runs through the platform's windows: each test
// starts with a fresh platform in test mode and fails when script steps of
// the test driver are left unused. On(name, handler) handles an event for
// this test only; events without such a handler go to the dispatcher that
// was installed before (the program's registry, when a test built it).
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "platform/driver.h"
#include "platform/events.h"

namespace testsupport {

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    previous_ = plat::CurrentEventSink();
    plat::SetEventSink([this](const std::string& name, plat::EventArgs& args) {
      auto it = handlers_.find(name);
      if (it != handlers_.end()) it->second(args);
      else if (previous_) previous_(name, args);
    });
  }
  void TearDown() override {
    size_t left = plat::driver::StepsLeft();
    std::string steps = plat::driver::DescribeSteps();
    plat::driver::Reset();
    plat::SetEventSink(previous_);
    EXPECT_EQ(left, 0u) << "script steps left unused: " << steps;
  }
  void On(const std::string& name, std::function<void(plat::EventArgs&)> handler) {
    handlers_[name] = std::move(handler);
  }

 private:
  std::map<std::string, std::function<void(plat::EventArgs&)>> handlers_;
  plat::EventSink previous_;
};

}  // namespace testsupport
