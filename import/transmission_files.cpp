#include "import/transmission_files.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/file_dialogs.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "import/formats.h"
#include "import/reader_support.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kParameterItems = 34;
constexpr int kFirstCoefficientItem = 15;  // items 15, 17, ... 33; fix flags 16 ... 34
constexpr int kReferenceHeaderLines = 66;

void ShowWrongFormat(int w) {
  G.CommandId = 3;
  ShowMessage(3, w);
}

double GridEnergy(int i) { return 199.0 + i; }

}  // namespace

void ImportTransmissionFunction(int w) {
  const int format = Win[w].ImportFormat;
  std::string path;
  if (format == TransmissionParameterSpectrum) {
    std::string start = FolderOfPath(G.TransmissionSource);
    if (start.empty()) start = TransmissionFolder();
    path = ChooseFileToOpen({G.LabelTexts[143], "*.trm", G.CaptionTexts[14], "*.*"}, "*.trm",
                            "trm", start, G.LabelTexts[137]);
  } else if (format == TransmissionParameterSpectrum + 1) {
    path = G.SourceFilePath;
    G.FileDialogResult = path;
  }
  if (path.empty() || path.find('*') != std::string::npos) return;

  // Everything is read and checked before the store changes.
  std::vector<std::string> items;
  try {
    items = ReadAllFields(path);
  } catch (const plat::FileError&) {
    ShowWrongFormat(w);
    return;
  }
  if (items.size() < static_cast<std::size_t>(kParameterItems)) {
    ShowWrongFormat(w);
    return;
  }
  std::array<double, 11> coef{};
  std::array<double, 11> fixed{};
  for (int c = 1; c <= 10; ++c) {
    const std::string& value = items[static_cast<std::size_t>(kFirstCoefficientItem + 2 * (c - 1) - 1)];
    const std::string& flag = items[static_cast<std::size_t>(kFirstCoefficientItem + 2 * (c - 1))];
    if (!BeginsWithNumber(value) || !BeginsWithNumber(flag)) {
      ShowWrongFormat(w);
      return;
    }
    coef[static_cast<std::size_t>(c)] = plat::TextToNumber(value);
    fixed[static_cast<std::size_t>(c)] = plat::TextToNumber(flag);
  }
  if (!TransmissionFunctionFinite(coef.data())) {
    ShowWrongFormat(w);
    return;
  }

  EraseImportedSpectra();
  G.ImportMode = "NORM";
  G.SourceFilePath = path;
  ClearImportedHeaderTexts(1);
  SpectrumHeaderRecord& H = ImportedHeader[1];
  auto item = [&](int line) { return items[static_cast<std::size_t>(line - 1)]; };
  auto number = [&](int line) { return plat::TextToNumber(item(line)); };
  H.Name = item(1);
  // The values are always the points of the transmission grid; the axis
  // follows them.
  H.PointCount = kTransmissionPoints;
  H.StartEnergy = GridEnergy(1);
  H.EndEnergy = GridEnergy(kTransmissionPoints);
  H.EnergyStep = 1;
  H.PassEnergy = number(7);
  H.ExcitationEnergy = number(8);
  H.DwellTime = number(9);
  H.ScanCount = number(10);
  H.Technique = item(11);
  H.Comment = item(12);
  H.Date = item(13);
  H.SourceInfo = item(14);
  for (int c = 1; c <= 10; ++c) {
    G.TransmissionCoefCopy[c] = coef[static_cast<std::size_t>(c)];
    G.TransmissionFixedCopy[c] = fixed[static_cast<std::size_t>(c)];
  }
  CheckedVector<double>& values = ImportedValues[1];
  values.Resize(kTransmissionPoints);
  for (int i = 1; i <= kTransmissionPoints; ++i) {
    const double t = TransmissionParameterValue(coef.data(), GridEnergy(i));
    G.TransmissionCurve[i] = t;
    values[i] = t;
  }
  G.SpectraReadCount = 1;
}

std::string TransmissionReferencePath(int command) {
  const char* name = command == CmdTransmissionGold     ? "AU.VMS"
                     : command == CmdTransmissionSilver ? "AG.VMS"
                     : command == CmdTransmissionCopper ? "CU.VMS"
                                                        : nullptr;
  if (name == nullptr) return std::string();
  return G.ProgramFolder + "\\XPS-transfct\\" + name;
}

void LoadTransmissionReference(int command) {
  const int w = G.CurrentWindow;
  G.SpectraReadCount = 0;
  const std::string path = TransmissionReferencePath(command);
  std::vector<std::string> lines;
  bool usable = !path.empty() && w >= 1 && w <= kMaxWindows &&
                WindowPointCount(w) == kTransmissionPoints;
  if (usable && !plat::FileExists(path)) {
    // The reference spectra do not come with the program: the user is told
    // which file is missing and where it belongs.
    G.CommandId = 8;
    ShowMessageNaming(8, w, path);
    return;
  }
  if (usable) {
    try {
      lines = ReadAllLines(path);
    } catch (const plat::FileError&) {
      usable = false;
    }
  }
  const std::size_t needed = static_cast<std::size_t>(kReferenceHeaderLines + kTransmissionPoints);
  usable = usable && lines.size() >= needed && plat::Left(lines[0], 5) == "VAMAS";
  for (std::size_t j = kReferenceHeaderLines; usable && j < needed; ++j)
    usable = BeginsWithNumber(lines[j]);
  if (!usable) {
    ShowWrongFormat(w);
    return;
  }
  DimWorkPeak(w);
  for (int i = 1; i <= kTransmissionPoints; ++i)
    WorkPeak[i] = plat::TextToNumber(lines[static_cast<std::size_t>(kReferenceHeaderLines + i - 1)]);
  G.SpectraReadCount = 1;
  Win[w].TransmissionActive = 1;
}

}  // namespace sorvan
