// The started program with one open single-spectrum window of a few points,
// for the printout and export tests.
#pragma once
#include <string>

#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "shell/shell_fixture.h"
#include "support/test_support.h"

namespace reporttest {

using namespace sorvan;

// Fills window w with n points starting at kinetic energy e0, step 0.5 eV,
// values base + i, and opens and draws it.
inline void MakeSpectrumWindow(int w, int n, double e0, double base, const std::string& name) {
  OpenSpectrumWindow(w, name);
  WindowRecord& win = Win[w];
  SpectrumHeaderRecord& h = win.SpectrumHeader;
  h.Name = name;
  h.ShortName = name.substr(0, 4);
  h.PointCount = static_cast<Int16>(n);
  h.StartEnergy = e0;
  h.EnergyStep = 0.5;
  h.EndEnergy = e0 + (n - 1) * 0.5;
  h.ExcitationEnergy = 1486.6;
  h.ScanCount = 2;
  h.DwellTime = 0.5;
  h.PassEnergy = 20;
  h.Technique = "XPS";
  h.Comment = "survey of the test sample";
  h.Date = "01.02.2026";
  win.SourcePath = "C:\\data\\spectra\\" + name + ".vms";
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(n);
  win.RegionLength = static_cast<Int16>(n);
  DimSlotData(w);
  for (int i = 1; i <= n; ++i) SlotData[w](i, 1) = base + i;
  RedrawWindow(w);
}

// Gives window w a fit of `peaks` singlet peaks: component columns 1..peaks
// (peaks), peaks + 1 (sum), peaks + 2 (residual).
inline void GiveFit(int w, int peaks) {
  WindowRecord& win = Win[w];
  win.PeakCount = static_cast<Int16>(peaks);
  win.PeakType = G.MessageTexts[47];
  win.HasFit = 1;
  G.ComponentCount = static_cast<decltype(G.ComponentCount)>(peaks);
  DimSlotComponents(w);
  const int n = win.SpectrumHeader.PointCount;
  for (int i = 1; i <= n; ++i) {
    double sum = 0;
    for (int p = 1; p <= peaks; ++p) {
      SlotComponents[w](i, p) = 10.0 * p + i;
      sum += 10.0 * p + i;
    }
    SlotComponents[w](i, peaks + 1) = sum;
    SlotComponents[w](i, peaks + 2) = (i % 2 == 0 ? 0.5 : -0.5);
  }
  for (int p = 1; p <= peaks; ++p) {
    win.PeakArea[p] = 100.0 * p;
    win.ParameterValue[p][1] = 50.0 * p;
    win.ParameterValue[p][3] = 284.5 + p;
  }
  win.ResidualMin = -0.5;
  win.ResidualMax = 0.5;
  win.FitReducedChi2 = 1.23456;
  win.FitChi2 = 98.765;
  win.FitSerialCorrelation = 0.4321;
}

class ReportTest : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    MakeSpectrumWindow(1, 11, 1200.0, 100.0, "C1s");
    G.CurrentWindow = 1;
    UpdateMenuState(1);
  }
  void TearDown() override {
    plat::SetRecordingPrinter(nullptr);
    plat::SetPrintToPdf("");
    plat::SetFreeDiskSpaceOverride(-1);
    ShellTest::TearDown();
  }
  // A native path in a fresh temporary folder, and its program form.
  std::string TempNative(const std::string& name) {
    if (temp_.empty()) temp_ = testsupport::MakeTempFolder("report");
    return temp_ + "/" + name;
  }
  std::string TempProgram(const std::string& name) { return plat::ProgramPath(TempNative(name)); }

  std::string temp_;
};

}  // namespace reporttest
