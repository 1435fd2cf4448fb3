// A clean model, the event registry and the test driver for the page tests,
// with a fixed character cell and language texts that name their index.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/events.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"

namespace pagetest {

inline constexpr int kCellWidth = 7;
inline constexpr int kCellHeight = 15;

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    sorvan::InitialiseModel();
    sorvan::BuildEventRegistry();
    using sorvan::G;
    G.CharWidth = kCellWidth;
    G.CharHeight = kCellHeight;
    G.DialogLeft = 100;
    G.DialogTop = 80;
    G.DialogFontName = "DejaVu Sans";
    G.DialogFontSize = 8;
    for (int i = 1; i <= 20; ++i) G.ButtonTexts[i] = "B" + std::to_string(i);
    for (int i = 1; i <= 129; ++i) G.MessageTexts[i] = "M" + std::to_string(i);
    for (int i = 1; i <= 220; ++i) G.LabelTexts[i] = "L" + std::to_string(i);
  }
  void TearDown() override { plat::driver::Finish(); }
};

// The control name/index of dialog window n, as the platform holds it.
inline plat::ControlInfo FindControl(int n, const std::string& name, int index = plat::kNoIndex) {
  for (const plat::ControlInfo& c : plat::Controls(n))
    if (c.name == name && c.index == index) return c;
  ADD_FAILURE() << "no control " << name << "(" << index << ") on dialog window " << n;
  return {};
}

}  // namespace pagetest
