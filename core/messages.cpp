// Numbered messages and information boxes: the text is composed from the
// language texts and the fields of a window, then shown in the platform's
// modal message box. Where a language text is empty (no language file read
// yet, or a file that ended early) a built-in English wording stands in, so
// that no box is ever shown without words.
#include "core/messages.h"

#include <cmath>
#include <map>
#include <utility>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/program_exit.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr char kLineBreak = '\r';

// English wordings used while a language text is empty.
const std::map<int, const char*> kCaptionFallback = {
    {2, "Do you really want to quit?"},
    {3, "Maximum"},
    {4, "Minimum"},
    {5, "at binding energy"},
    {6, "Iterations"},
    {7, "No free window:"},
    {8, "at most"},
    {9, "windows can be open"},
    {10, "Close a window first."},
    {11, "Not enough free disk space for the export."},
    {12, "Unexpected data format."},
    {13, "The file (or the spectrum) does not have the expected form."},
    {17, "These regions of the file were left out:"},
};
const std::map<int, const char*> kMessageFallback = {
    {8, "Derivative"},         {9, "Smoothing"},     {10, "Satellite removal"},
    {12, "Excitation energy"}, {17, "Scale"},        {19, "Shift"},
    {81, "Name"},              {96, "Comment"},      {97, "Date"},
    {98, "Energy from"},       {99, "Energy to"},    {100, "Dwell time"},
    {101, "Scans"},            {102, "Energy step"}, {103, "Pass energy"},
    {116, "Points"},           {117, "Energy shift"}, {118, "Technique"},
    {119, "Source"},
    {128, "The run stopped at this step:"},
};
const std::map<int, const char*> kLabelFallback = {
    {14, "at kinetic energy"},
    {22, "The operation cannot be carried out."},
    {33, "Series of windows"},
    {34, "Partial region"},
    {35, "Negated"},
    {36, "Satellites removed on a temporary background"},
    {37, "Peak fit"},
    {38, "Series finished."},
    {72, "The line file does not exist."},
    {6, "The fit cannot tell its free parameters apart: peaks or partners lie on one another or outside the fit region."},
    {39, "The fit region holds no more points than the fit has free parameters."},
    {43, "The fit region lies outside the spectrum or the peak table does not match the fit."},
    {61, "Error estimate: profile of parameter"},
    {94, "Inconsistent input: please check the values."},
    {100, "Error estimation failed (negative variance)."},
    {126, "The profile analysis found a better fit."},
    {127, "Take over the better parameters?"},
    {147, "The chosen windows do not match."},
};

template <typename TextTable>
std::string Pick(const TextTable& table, int index, const std::map<int, const char*>& fallback) {
  std::string text = table[index];
  if (text.empty()) {
    auto it = fallback.find(index);
    if (it != fallback.end()) text = it->second;
  }
  return text;
}

std::string Caption(int i) { return Pick(G.CaptionTexts, i, kCaptionFallback); }
std::string Message(int i) { return Pick(G.MessageTexts, i, kMessageFallback); }
std::string Label(int i) { return Pick(G.LabelTexts, i, kLabelFallback); }

// The words of message 2 for a disk or folder that refused the write. They
// stand in a slot of the menu texts that no menu item uses.
std::string WriteProtectedText() {
  static const std::map<int, const char*> fallback = {
      {7, "The file could not be written: the disk or folder is write-protected."}};
  return Pick(G.MenuTexts, 7, fallback);
}

bool IsWindowNumber(int w) { return w >= 0 && w <= kMaxWindows; }

// The source path of window w, as the user reads it, as a box title; a
// number outside the window tables (the main window's 101) gives the default
// title.
std::string SourceTitle(int w) { return IsWindowNumber(w) ? plat::ShownPath(Win[w].SourcePath) : std::string(); }

// A number as shown after a blank or a colon: the program's number text
// without its sign blank, so that no double blank appears.
std::string Num(double v) { return plat::Trim(plat::NumberToText(v)); }

// The processing summary of the current window (message 5).
std::string ProcessingSummary() {
  std::string text = Label(33) + kLineBreak;
  const int w = G.CurrentWindow;
  if (w < 1 || w > kMaxWindows) return text;
  const auto& win = Win[w];
  auto line = [&](const std::string& s) { text += kLineBreak + s; };
  if (win.RegionPartial == 1) line(Label(34));
  // The window's own background, which the series repeats; the name of the
  // background computed last for a window that keeps no recipe.
  if (win.BackgroundState == BackgroundSubtracted || win.BackgroundState == BackgroundDefined)
    line(win.BackgroundRecipe.Recorded()  ? Message(win.BackgroundRecipe.Kind)
         : win.BackgroundRecipe.Fitted() ? Message(kFittedBackgroundText)
                                         : G.BackgroundName);
  if (win.SatelliteState == SatellitesRemoved) line(Message(10));
  if ((win.BackgroundState == BackgroundNone && win.SatelliteState != SatellitesNone) ||
      (win.BackgroundState == BackgroundFitted && win.SatelliteState == SatellitesRemoved))
    line(Label(36));
  if (win.DerivativeCount > 0) line(Message(8) + " " + Num(win.DerivativeCount) + "x");
  if (win.SpectrumNegated > 0) line(Label(35));
  if (win.SmoothCount > 0) line(Message(9) + " " + Num(win.SmoothCount) + "x");
  if (win.ScaleMode == ScaleShifted) line(Message(19));
  if (win.ScaleMode == ScaleByTypedValue || win.ScaleMode == ScaleByPickedPoint) line(Message(17));
  if (win.ArithmeticDone != 0) line(G.ArithmeticOperationName);
  if (win.HasFit != 0) line(Label(37));
  return text;
}

// Half up to 0.001 eV, as the acquisition box shows binding energies.
double RoundToMilli(double v) { return std::floor(v * 1000.0 + 0.5) / 1000.0; }

std::string AcquisitionText(int w) {
  const auto& h = Win[w].SpectrumHeader;
  double e1 = h.EndEnergy;
  double e2 = h.StartEnergy;
  if (G.EnergyAxisMode == 0) {
    e1 = RoundToMilli(h.ExcitationEnergy - h.EndEnergy);
    e2 = RoundToMilli(h.ExcitationEnergy - h.StartEnergy);
  }
  const std::string br(1, kLineBreak);
  const std::string br2 = br + br;
  return Message(12) + ": " + Num(h.ExcitationEnergy) + " eV" + br + Message(119) + " " + h.SourceInfo +
         br2 + Message(98) + " " + Num(e1) + " eV" + br + Message(99) + " " + Num(e2) + " eV" +
         br2 + Message(116) + " " + Num(h.PointCount) + br + Message(102) + " " + Num(h.EnergyStep) + " eV" +
         br2 + Message(101) + " " + Num(h.ScanCount) + br + Message(100) + " " + Num(h.DwellTime) + " s" +
         br2 + Message(118) + " " + h.Technique + br + Message(103) + " " + Num(h.PassEnergy) + " eV";
}

std::string ExtremesText(int w) {
  const auto& win = Win[w];
  const std::string unit = G.CpsMode == 1 ? " cps" : " Counts";
  const std::string br(1, kLineBreak);
  std::string energyWord = Caption(5);
  double atMax = win.MaxBindingEnergy;
  double atMin = win.MinBindingEnergy;
  if (G.EnergyAxisMode == 1) {
    energyWord = Label(14);
    atMax = win.SpectrumHeader.ExcitationEnergy - win.MaxBindingEnergy;
    atMin = win.SpectrumHeader.ExcitationEnergy - win.MinBindingEnergy;
  }
  return Caption(3) + " = " + plat::Left(Num(win.IntensityMax), 10) + unit + br +
         energyWord + " " + Num(atMax) + " eV" + br +
         Caption(4) + " = " + plat::Left(Num(win.IntensityMin), 10) + unit + br +
         energyWord + " " + Num(atMin) + " eV";
}

// Shows the box and returns the answer: 1 OK, 2 Cancel.
int Ask(const BoxContent& box) {
  return plat::MessageBox(box.text, box.okCancel ? plat::kMessageOkCancel : plat::kMessageOk, box.title);
}

// Fixed texts of the file messages, by language (0 German, 1 English, 2 Spanish).
struct FileWords {
  const char* cannotRead;
  const char* goesOn;
};
FileWords FileMessageWords(int languageIndex) {
  switch (languageIndex) {
    case 0:
      return {"Diese Datei konnte nicht vollst\u00E4ndig gelesen werden:",
              "Das Programm arbeitet mit Voreinstellungen weiter."};
    case 2:
      return {"No se pudo leer completamente este archivo:",
              "El programa contin\u00FA" "a con valores predeterminados."};
    default:
      return {"This file could not be read completely:", "The program goes on with default values."};
  }
}

void Show(int code, const BoxContent& box) {
  if (!box.shown) return;
  const int answer = Ask(box);
  if (code == 5 || code == 7) G.MessageAnswer = static_cast<std::int16_t>(answer);
}

}  // namespace

BoxContent ComposeMessage(int code, int window) {
  BoxContent box;
  box.shown = true;
  const std::string br(1, kLineBreak);
  switch (code) {
    case 1:
      box.text = Caption(7) + " " + Caption(8) + " " + std::to_string(kMaxWindows) + " " + Caption(9) + "!" + br +
                 Caption(10);
      break;
    case 2: box.text = Caption(11); break;
    case 3: box.text = Caption(12) + br + Caption(13); break;
    case 4: box.text = Label(22); break;
    case 5:
      box.text = ProcessingSummary();
      box.title = SourceTitle(window);
      box.okCancel = true;
      break;
    case 6:
      box.text = Label(38);
      box.title = SourceTitle(window);
      break;
    case 7:
      box.text = Label(147);
      box.okCancel = true;
      break;
    case 8: box.text = Label(72); break;
    case 9: box.text = Label(94); break;
    case 10: box.text = Label(100); break;
    default: box.shown = false; break;
  }
  return box;
}

BoxContent ComposeInfoBox(int code, int window) {
  BoxContent box;
  const std::string br(1, kLineBreak);
  const bool describesWindow = code == CmdShowDescription || code == CmdShowAcquisition ||
                               code == CmdShowExtremes || code == CmdShowSourceFile ||
                               code == CmdShowEnergyCorrection;
  if (describesWindow) {
    // A window number outside the tables describes nothing; show nothing
    // rather than read outside them.
    if (!IsWindowNumber(window)) return box;
    const auto& win = Win[window];
    box.shown = true;
    box.title = win.SpectrumHeader.Name;
    switch (code) {
      case CmdShowDescription:
        box.text = Message(81) + " " + win.SpectrumHeader.Name + br + Message(96) + " " +
                   win.SpectrumHeader.Comment + br + Message(97) + " " + win.SpectrumHeader.Date;
        break;
      case CmdShowAcquisition: box.text = AcquisitionText(window); break;
      case CmdShowExtremes: box.text = ExtremesText(window); break;
      case CmdShowSourceFile: box.text = plat::ShownPath(win.SourcePath); break;
      case CmdShowEnergyCorrection:
        box.text = Message(117) + " " + Num(win.EnergyShift + G.GlobalEnergyOffset) + " eV";
        break;
    }
    return box;
  }
  switch (code) {
    case CmdAbout:
      box.shown = true;
      box.text = AboutText(G.LanguageIndex);
      break;
    case kExitQuestion:
      box.shown = true;
      box.text = Caption(2);
      box.okCancel = true;
      break;
    case kBetterFitQuestion:
      box.shown = true;
      box.text = Label(126) + br + Label(127);
      box.okCancel = true;
      break;
    default: break;
  }
  return box;
}

std::string AboutText(int languageIndex) {
  const std::string br(1, kLineBreak);
  switch (languageIndex) {
    case 0:
      return "Sorvan: Programm zur Bearbeitung und Auswertung von Photoelektronenspektren" + br +
             "Version 2006" + br + "Autor: das Sorvan-Projekt" + br +
             "Alle Rechte vorbehalten, Sorvan-Projekt, 2006" + br + "Kontakt: die Seite des Sorvan-Projekts";
    case 1:
    case 3:
    case 4:
      return "Sorvan: processing and analysis of photoelectron spectra" + br + "Version 2006" + br +
             "Author: the Sorvan project" + br + "All rights reserved, the Sorvan project, 2006" + br +
             "Contact: the Sorvan project page";
    case 2:
      return "Sorvan: procesamiento y an\u00E1lisis de espectros de fotoelectrones" + br + "Versi\u00F3n 2006" + br +
             "Autor: el proyecto Sorvan" + br + "Todos los derechos reservados, el proyecto Sorvan, 2006" + br +
             "Contacto: la p\u00E1gina del proyecto Sorvan";
    default: return std::string();
  }
}

void ShowMessage(int code, int window) { Show(code, ComposeMessage(code, window)); }

void ShowMessageNaming(int code, int window, const std::string& path) {
  BoxContent box = ComposeMessage(code, window);
  box.text += std::string(1, kLineBreak) + plat::ShownPath(path);
  Show(code, box);
}

RunFailureCollector::RunFailureCollector() : previous_(G.CollectRunFailures) {
  G.CollectRunFailures = 1;
  ClearRunFailure();
}

RunFailureCollector::~RunFailureCollector() { G.CollectRunFailures = previous_; }

void ShowStepFailure(int code, int window, const std::string& detail) {
  if (G.CollectRunFailures != 0 && G.BatchMode == 1) {
    if (G.RunFailureCode == 0) {
      G.RunFailureCode = static_cast<Int16>(code);
      G.RunFailureDetail = detail;
    }
    return;
  }
  BoxContent box = ComposeMessage(code, window);
  if (!detail.empty()) box.text += std::string(1, kLineBreak) + detail;
  Show(code, box);
}

std::string FitFailureText(FitFailure what) {
  switch (what) {
    case FitFailure::Singular: return Label(6);
    case FitFailure::TooFewPoints: return Label(39);
    case FitFailure::RegionOutside: return Label(43);
  }
  return std::string();
}

std::string ProfileStepText(int entry) { return Label(61) + " " + std::to_string(entry); }

bool RunFailed() { return G.RunFailureCode != 0; }

void ClearRunFailure() {
  G.RunFailureCode = 0;
  G.RunFailureDetail.clear();
}

void ReportRunFailure(int window, const std::string& step) {
  if (!RunFailed()) return;
  const std::string br(1, kLineBreak);
  const int code = G.RunFailureCode;
  BoxContent box = ComposeMessage(code, window);
  box.text += br + Message(128) + br + step;
  if (!G.RunFailureDetail.empty()) box.text += br + G.RunFailureDetail;
  ClearRunFailure();
  Show(code, box);
}

std::string IterationCaption(double iteration) {
  return Caption(6) + ": " + plat::Trim(plat::NumberToText(iteration));
}

void ShowInfoBox(int code, int window) {
  const BoxContent box = ComposeInfoBox(code, window);
  if (!box.shown) return;
  const int answer = Ask(box);
  if (code == kExitQuestion || code == kBetterFitQuestion) G.InfoBoxAnswer = answer;
  if (code == kExitQuestion && answer == 1) ShutdownProgram();
}

void ShowUnreadFilesMessage(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  const FileWords words = FileMessageWords(G.LanguageIndex);
  std::string text = words.cannotRead;
  for (const std::string& p : paths) text += kLineBreak + p;
  text += std::string(2, kLineBreak) + words.goesOn;
  BoxContent box{true, text, std::string(), false};
  Ask(box);
}

void ShowFileNotWrittenMessage(const plat::FileError& error) {
  G.CommandId = 2;
  BoxContent box = ComposeMessage(2, G.CurrentWindow);
  switch (error.failure()) {
    case plat::FileFailure::NoSpace: break;
    case plat::FileFailure::WriteProtected: box.text = WriteProtectedText(); break;
    case plat::FileFailure::Other: box.text = Label(69); break;
  }
  box.text += std::string(1, kLineBreak) + plat::ShownPath(error.path());
  Show(2, box);
}

void ShowRegionsLeftOutMessage(int leftOut, int inFile) {
  const std::string br(1, kLineBreak);
  const std::string left = std::to_string(leftOut);
  const std::string all = std::to_string(inFile);
  const std::string read = std::to_string(inFile - leftOut);
  std::string text;
  switch (G.LanguageIndex) {
    case 0:
      text = "Die Datei enth\u00E4lt " + all + " Bereiche; die freien Fenster fassen " + read + "." + br +
             left + " Bereiche am Ende der Datei wurden nicht gelesen.";
      break;
    case 2:
      text = "El archivo contiene " + all + " regiones; las ventanas libres admiten " + read + "." + br +
             "No se leyeron " + left + " regiones del final del archivo.";
      break;
    default:
      text = "The file holds " + all + " regions; the free windows take " + read + "." + br + left +
             " regions at the end of the file were not read.";
      break;
  }
  Ask(BoxContent{true, text, std::string(), false});
}

void ShowRegionsNotReadMessage(int window, const std::vector<std::string>& regions) {
  constexpr std::size_t kMostNamed = 20;
  const std::string br(1, kLineBreak);
  G.CommandId = 3;
  BoxContent box = ComposeMessage(3, window);
  box.text += br + Caption(17);
  for (std::size_t i = 0; i < regions.size() && i < kMostNamed; ++i) box.text += br + regions[i];
  if (regions.size() > kMostNamed) box.text += br + "...";
  Show(3, box);
}

void ShowStartupFileMessage(const std::string& path) {
  const std::string br(1, kLineBreak);
  BoxContent box{true,
                 "The start-up file that names the program folder could not be read:" + br + path + br + br +
                     "Sorvan cannot find its settings and ends. Run the install step (tools/install.sh) to write it.",
                 std::string(), false};
  Ask(box);
}

}  // namespace sorvan
