// The spectrum table export with its two pages, and the window picture at
// four times the window's size.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <fstream>
#include <map>
#include <vector>

#include "core/store.h"

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "display/plotters.h"
#include "report/bitmap_export.h"
#include "report/export_table.h"
#include "report_fixture.h"

namespace {

using namespace sorvan;
using namespace reporttest;
namespace script = plat::script;

std::string ReadAll(const std::string& native) {
  std::ifstream in(native, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class TableExport : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    // Five points 1200.0 .. 1202.0 eV, measured 101..105, background 1..5.
    MakeSpectrumWindow(2, 5, 1200.0, 100.0, "Si2p");
    for (int i = 1; i <= 5; ++i) SlotData[2](i, 2) = i;
    Win[2].RegionStart = 2;
    Win[2].RegionEnd = 4;
    Win[2].RegionLength = 3;
    G.CurrentWindow = 2;
    G.ColumnSeparator = ";";
    G.DecimalComma = 0;
    G.ExportScaleOn = 0;
    for (int k = 1; k <= 7; ++k) G.ExportColumns[k] = 0;
  }
};

TEST_F(TableExport, RowsFollowColumnsScaleAndEnergyScale) {
  struct Case {
    const char* what;
    int ms, bg, fitColumns;
    bool fit;
    int scaleOn;
    double divisor, offset;
    int bindingScale, comma;
    std::vector<std::string> lines;
  };
  const std::string b = " ";  // the leading blank of a non-negative number
  const Case cases[] = {
      {"no column: energies of the region", 0, 0, 0, false, 0, 0, 0, 0, 0,
       {"E", b + "1200.5", b + "1201", b + "1201.5"}},
      {"binding scale falls", 0, 0, 0, false, 0, 0, 0, 1, 0,
       {"E", b + "286.1", b + "285.6", b + "285.1"}},
      {"measured and background, decimal comma", 1, 1, 0, false, 0, 0, 0, 0, 1,
       {"E;MS;BG", b + "1200,5; 102; 2", b + "1201; 103; 3", b + "1201,5; 104; 4"}},
      {"scaled by 4 plus 1", 1, 0, 0, false, 1, 4, 1, 0, 0,
       {"E;MS", b + "1200.5; 26.5", b + "1201; 26.75", b + "1201.5; 27"}},
      {"scaling off ignores the stored divisor", 1, 0, 0, false, 0, 4, 1, 0, 0,
       {"E;MS", b + "1200.5; 102", b + "1201; 103", b + "1201.5; 104"}},
      {"fit columns without a fit are left out", 0, 0, 1, false, 0, 0, 0, 0, 0,
       {"E", b + "1200.5", b + "1201", b + "1201.5"}},
      {"fit columns; the residual is never scaled", 0, 0, 1, true, 1, 2, 0, 0, 0,
       {"E;C 1;SC;R", b + "1200.5; 6; 6; 0.5", b + "1201; 6.5; 6.5;-0.5", b + "1201.5; 7; 7; 0.5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[2].HasFit = 0;
    if (c.fit) GiveFit(2, 1);
    G.ExportColumns[2] = static_cast<Byte>(c.ms);
    G.ExportColumns[3] = static_cast<Byte>(c.bg);
    for (int k = 5; k <= 7; ++k) G.ExportColumns[k] = static_cast<Byte>(c.fitColumns);
    G.ExportScaleOn = static_cast<Byte>(c.scaleOn);
    G.ExportDivisor = c.divisor;
    G.ExportOffset = c.offset;
    G.EnergyAxisMode = static_cast<Byte>(c.bindingScale == 1 ? 0 : 1);
    G.DecimalComma = static_cast<Byte>(c.comma);
    EXPECT_EQ(SpectrumTableLines(2), c.lines);
  }
}

TEST_F(TableExport, ChemicalStateEntriesAreTrimmedFields) {
  WindowRecord& win = Win[2];
  win.WindowKind = ChemicalStatePlot;
  win.ChemStatePointCount = 2;
  win.ChemStateEntries[1] = "1 Cu metal";
  win.ChemStateEntries[2] = "2 Cu2O";
  for (int i = 1; i <= 2; ++i) {
    SlotData[2](i, 1) = 1851.2 + i;
    SlotData[2](i, 2) = 932.5 + i;
    SlotData[2](i, 3) = 918.5 + i;
  }
  G.DecimalComma = 1;
  const std::vector<std::string> expected = {"933.5;919.5;1852.2;Cu metal", "934.5;920.5;1853.2;Cu2O"};
  EXPECT_EQ(SpectrumTableLines(2), expected);
}

TEST_F(TableExport, MenuCommandWritesTheFileThroughBothPages) {
  G.EnergyAxisMode = 1;
  G.CpsMode = 1;
  G.DecimalComma = 1;
  const std::string path = TempProgram("si.dat");
  script::Expect([] { return plat::Text(19, "lb193").find("(cps)") != std::string::npos; }, "unit cps");
  script::SetValue("chk191", -1, 1);
  script::SetText("ed191", -1, "2,5");
  script::SetText("ed192", -1, "0");
  script::Click("cmdOk191");
  script::Expect([] { return !plat::ControlExists(18, "chk185"); }, "no fit boxes without a fit");
  script::SetValue("chk182", -1, 1);
  script::Click("cmdOk181");
  script::AnswerFile(path);
  plat::driver::ChooseMenu(1200);
  EXPECT_EQ(G.ExportDivisor, 2.5);
  EXPECT_EQ(ReadAll(plat::NativePath(path)), "E;MS\r\n 1200,5; 40,8\r\n 1201; 41,2\r\n 1201,5; 41,6\r\n");
}

TEST_F(TableExport, CancelOrARefusedDivisorWritesNothing) {
  const std::string path = TempProgram("none.dat");
  // Cancel on the scaling page, on the columns page and in the file dialog.
  script::Click("cmdCancel192");
  plat::driver::ChooseMenu(1200);
  script::Click("cmdOk191");
  script::Click("cmdCancel182");
  plat::driver::ChooseMenu(1200);
  script::Click("cmdOk191");
  script::Click("cmdOk181");
  script::CancelFile();
  plat::driver::ChooseMenu(1200);
  // A divisor of 0 with scaling on is refused and the page stays.
  script::SetValue("chk191", -1, 1);
  script::SetText("ed191", -1, "0");
  script::Click("cmdOk191");
  script::AnswerMessage(1);
  script::Click("cmdCancel192");
  plat::driver::ChooseMenu(1200);
  EXPECT_FALSE(plat::FileExists(path));
  EXPECT_EQ(G.ExportScaleOn, 0);
}

TEST_F(TableExport, UnwritableTargetOrFullDiskGivesMessage2) {
  // A folder where the file should be: it cannot be opened for writing.
  const std::string folder = TempProgram("taken.dat");
  plat::CreateFolder(folder);
  script::Click("cmdOk191");
  script::Click("cmdOk181");
  script::AnswerFile(folder);
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(1200);
  EXPECT_EQ(G.CommandId, 2);
  // Too little free space: message 2, nothing written.
  plat::SetFreeDiskSpaceOverride(10);
  const std::string path = TempProgram("full.dat");
  script::Click("cmdOk191");
  script::Click("cmdOk181");
  script::AnswerFile(path);
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(1200);
  EXPECT_FALSE(plat::FileExists(path));
  EXPECT_EQ(plat::MessagesShown().size(), 2u);
}

TEST_F(TableExport, ScalingPageShowsTheMaximaOfAFit) {
  GiveFit(2, 3);
  Win[2].IntensityMax = 105;
  for (int k = 1; k <= 4; ++k) Win[2].ComponentMax[k] = 1.0e7 * k + 0.123456;
  G.ExportDivisor = 7;
  script::Expect([] { return plat::Text(19, "ed191") == plat::NumberToText(105); }, "divisor preset");
  script::Expect([] { return plat::Text(19, "ed192") == plat::NumberToText(0); }, "offset preset");
  script::Expect([] { return plat::ControlExists(19, "lb199", 3); }, "a row per peak");
  script::Expect([] { return plat::Text(19, "lb199", 1).size() <= 10; }, "maxima in their width");
  script::Click("cmdCancel192");
  plat::driver::ChooseMenu(1200);
  EXPECT_EQ(G.ExportDivisor, 7) << "Cancel stores nothing";
}

class BitmapExport : public ReportTest {};

// The pixels of a BMP file as colours (0xRRGGBB), top row first: an 8-bit
// run-length encoded picture with its palette, or an uncompressed 24-bit
// one (rows bottom first, each padded to four bytes); empty when the file is
// neither.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
};
Picture DecodeBmp(const std::string& b) {
  auto le = [&](std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v * 256 + static_cast<unsigned char>(b[at + i]);
    return v;
  };
  Picture p;
  if (b.size() < 54 || b.substr(0, 2) != "BM" || le(2, 4) != b.size() || le(14, 4) != 40) return p;
  if (le(28, 2) == 24 && le(30, 4) == 0) {
    p.width = static_cast<int>(le(18, 4));
    p.height = static_cast<int>(le(22, 4));
    const std::size_t stride = (3 * static_cast<std::size_t>(p.width) + 3) / 4 * 4;
    const std::size_t offset = le(10, 4);
    if (offset + stride * p.height != b.size()) return Picture{};
    p.pixels.resize(static_cast<std::size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        p.pixels[static_cast<std::size_t>(y) * p.width + x] =
            le(offset + (p.height - 1 - y) * stride + 3 * static_cast<std::size_t>(x), 3);
    return p;
  }
  if (le(28, 2) != 8 || le(30, 4) != 1) return p;
  p.width = static_cast<int>(le(18, 4));
  p.height = static_cast<int>(le(22, 4));
  const std::uint32_t colours = le(46, 4);
  std::vector<std::uint32_t> palette(colours);
  for (std::uint32_t c = 0; c < colours; ++c) palette[c] = le(54 + 4 * c, 3);
  p.pixels.assign(static_cast<std::size_t>(p.width) * p.height, 0xFFFFFFFF);
  std::size_t at = le(10, 4);
  int x = 0, y = p.height - 1;
  auto put = [&](unsigned index) {
    if (x < p.width && y >= 0 && index < colours)
      p.pixels[static_cast<std::size_t>(y) * p.width + x] = palette[index];
    ++x;
  };
  while (at + 1 < b.size()) {
    const unsigned n = static_cast<unsigned char>(b[at]), v = static_cast<unsigned char>(b[at + 1]);
    at += 2;
    if (n > 0) {
      for (unsigned i = 0; i < n; ++i) put(v);
    } else if (v == 0) {
      x = 0;
      --y;
    } else if (v == 1) {
      break;
    } else if (v >= 3) {
      for (unsigned i = 0; i < v; ++i) put(static_cast<unsigned char>(b[at + i]));
      at += v + (v % 2);
    } else {
      return Picture{};  // delta escapes are never written
    }
  }
  return p;
}

TEST_F(BitmapExport, WritesABmpOfFourTimesTheWindowAndRestoresEverything) {
  const auto fontSizes = G.FontSize;
  const auto charWidths = G.FontCharWidth;
  const auto curveWidths = G.CurveWidths;
  const auto lineWidths = G.LineWidths;
  const int width = plat::ClientWidth(1), height = plat::ClientHeight(1);
  const std::string path = TempProgram("window.bmp");
  script::AnswerFile(path);
  plat::driver::ChooseMenu(1320);
  const std::string bytes = ReadAll(plat::NativePath(path));
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  auto le32 = [&](int at) {
    std::int32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  EXPECT_EQ(le32(18), 4 * width);
  EXPECT_EQ(std::abs(le32(22)), 4 * height);
  EXPECT_EQ(G.FontSize, fontSizes);
  EXPECT_EQ(G.FontCharWidth, charWidths);
  EXPECT_EQ(G.CurveWidths, curveWidths);
  EXPECT_EQ(G.LineWidths, lineWidths);
  EXPECT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(plat::ClientWidth(1), width);
}

TEST_F(BitmapExport, CancelWritesNothingAndAnUnwritableFileSaysSo) {
  script::CancelFile();
  plat::driver::ChooseMenu(1320);
  EXPECT_TRUE(plat::MessagesShown().empty());
  const std::string folder = TempProgram("taken.bmp");
  plat::CreateFolder(folder);
  script::AnswerFile(folder);
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(1320);
  EXPECT_EQ(plat::MessagesShown().size(), 1u);
}

TEST_F(BitmapExport, PictureIsCompactAndHoldsTheLabelsOfTheWindow) {
  const std::string path = TempProgram("labels.bmp");
  auto exported = [&] {
    script::AnswerFile(path);
    plat::driver::ChooseMenu(1320);
    return ReadAll(plat::NativePath(path));
  };
  const std::string without = exported();
  // An annotation on the plot, as the screen shows it as a label control.
  Labels[LabelIndex(1, 1)].AnnotationText = "C-O-C shoulder WWWWW";
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  const double middle = 0.5 * (h.StartEnergy + h.EndEnergy);
  Labels[LabelIndex(1, 1)].AnnotationX = G.EnergyAxisMode == 0 ? h.ExcitationEnergy - middle : middle;
  Labels[LabelIndex(1, 1)].AnnotationY = 0.5 * (Win[1].YAxisBottom + Win[1].YAxisTop);
  Win[1].AnnotationCount = 1;
  const std::string with = exported();
  EXPECT_EQ(G.CommandId, 0);
  const Picture a = DecodeBmp(without), b = DecodeBmp(with);
  ASSERT_EQ(b.width, 4 * plat::ClientWidth(1));
  ASSERT_EQ(b.height, 4 * plat::ClientHeight(1));
  ASSERT_EQ(a.pixels.size(), b.pixels.size());
  // The label's text is drawn into the picture: pixels differ where it lies.
  std::size_t changed = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) changed += a.pixels[i] != b.pixels[i];
  EXPECT_GT(changed, 500u);
  // Far smaller than 3 bytes a pixel.
  EXPECT_LT(with.size(), static_cast<std::size_t>(b.width) * b.height / 10);
}

// The picture holds the window's own colours: the curves' and lines'
// colours exactly (none moved to a neighbour of a fixed colour cube), and
// the many shades of grey of smoothed text; Qt reads the same pixels from
// the file.
TEST_F(BitmapExport, PictureKeepsTheColoursOfTheWindow) {
  GiveFit(1, 2);
  // The measured points about the sum of the peaks, so that every curve lies
  // in the plot.
  for (int i = 1; i <= Win[1].SpectrumHeader.PointCount; ++i)
    SlotData[1](i, 1) = SlotComponents[1](i, 3) + SlotComponents[1](i, 4);
  // Colours as the styles hold them (blue, green, red bytes from the top);
  // the picture's colours are red, green, blue.
  G.CurveColours[SpectrumCurve] = 0x000000;
  G.CurveColours[PeakCurve] = 0x0000DC;
  G.CurveColours[SumCurve] = 0x0080FF;
  G.CurveColours[ResidualCurve] = 0x008000;
  G.LineColours[FrameLine] = 0x808080;
  G.LineColours[ZeroLine] = 0x8B3D48;
  const std::pair<const char*, std::uint32_t> expected[] = {
      {"spectrum", 0x000000}, {"peaks", 0xDC0000}, {"sum", 0xFF8000},
      {"residual", 0x008000}, {"frame", 0x808080}, {"zero line", 0x483D8B},
  };
  Labels[LabelIndex(1, 1)].AnnotationText = "C-O-C shoulder WWWWW";
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  const double middle = 0.5 * (h.StartEnergy + h.EndEnergy);
  Labels[LabelIndex(1, 1)].AnnotationX = G.EnergyAxisMode == 0 ? h.ExcitationEnergy - middle : middle;
  Labels[LabelIndex(1, 1)].AnnotationY = 0.5 * (Win[1].YAxisBottom + Win[1].YAxisTop);
  Win[1].AnnotationCount = 1;
  RedrawWindow(1);

  const std::string path = TempProgram("colours.bmp");
  script::AnswerFile(path);
  plat::driver::ChooseMenu(1320);
  const std::string bytes = ReadAll(plat::NativePath(path));
  const Picture picture = DecodeBmp(bytes);
  ASSERT_EQ(picture.width, 4 * plat::ClientWidth(1)) << "not a BMP of the window";
  ASSERT_EQ(picture.height, 4 * plat::ClientHeight(1));
  std::map<std::uint32_t, std::size_t> count;
  for (std::uint32_t c : picture.pixels) ++count[c];
  for (const auto& [what, rgb] : expected)
    EXPECT_GT(count[rgb], 100u) << what << " " << std::hex << rgb;
  std::size_t greys = 0;
  for (const auto& [c, n] : count) greys += (c >> 16) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF);
  EXPECT_GT(greys, 16u) << "shades of grey of the smoothed text";

  const QImage read(QString::fromStdString(plat::NativePath(path)));
  ASSERT_EQ(read.width(), picture.width);
  ASSERT_EQ(read.height(), picture.height);
  std::size_t differ = 0;
  for (int y = 0; y < read.height(); ++y)
    for (int x = 0; x < read.width(); ++x)
      differ += (read.pixel(x, y) & 0xFFFFFF) != picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
  EXPECT_EQ(differ, 0u);
}

}  // namespace
