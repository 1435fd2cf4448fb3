// The model, the event registry and the test driver for the readers of the
// text formats, with a temporary folder for the files a test writes and
// language texts that name their index (so that messages and pages show).
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace importtest {

class TextReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    sorvan::InitialiseModel();
    sorvan::BuildEventRegistry();
    using sorvan::G;
    G.CharWidth = 7;
    G.CharHeight = 15;
    G.DialogFontName = "DejaVu Sans";
    G.DialogFontSize = 8;
    for (int i = 1; i <= 20; ++i) G.ButtonTexts[i] = "B" + std::to_string(i);
    for (int i = 1; i <= 129; ++i) G.MessageTexts[i] = "M" + std::to_string(i);
    for (int i = 1; i <= 220; ++i) G.LabelTexts[i] = "L" + std::to_string(i);
    for (int i = 1; i <= 20; ++i) G.CaptionTexts[i] = "C" + std::to_string(i);
    folder_ = testsupport::MakeTempFolder("textimport");
  }
  void TearDown() override {
    plat::driver::Finish();
    plat::CloseAll();
  }

  // Writes `lines` (each ended by CRLF) and returns the program-form path.
  std::string Write(const std::string& name, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return WriteText(name, text);
  }
  std::string WriteText(const std::string& name, const std::string& text) {
    const std::string native = folder_ + "/" + name;
    testsupport::WriteFile(native, text);
    return plat::ProgramPath(native);
  }

  // A message box is expected: it is answered, and CommandId names it.
  static void AnswerMessage() { plat::script::AnswerMessage(1); }

  std::string folder_;
};

// Text of `value` in a field of `width` characters, right-aligned.
inline std::string Field(double value, int width, int decimals = 4) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
  return buf;
}

// `text` padded with blanks to `width` characters.
inline std::string Pad(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace importtest
