#include "import/reader_support.h"

#include "core/file_dialogs.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

double VamasVariableCount = 0;
std::string ExperimentComment;
std::string BlockTechnique;

namespace {

constexpr int kChannel = 1;

// Drops the lines that follow a value of a multi-variable block.
void DropFollowingLines() {
  const long long extra = plat::RoundHalfEven(VamasVariableCount) - 1;
  for (long long j = 0; j < extra && !plat::AtEnd(kChannel); ++j) plat::ReadLine(kChannel);
}

// Sizes ImportedValues[k] for its header's point count; false when there is
// nothing to read.
bool PrepareValues(int k, int& n) {
  if (k < 1 || k > kMaxWindows) return false;
  n = ImportedHeader[HeaderIndexOfSpectrum(k)].PointCount;
  ImportedValues[k].Resize(n < 0 ? 0 : n);
  return n >= 1;
}

}  // namespace

std::string ReadImportField() {
  G.LineBuffer = plat::ReadField(kChannel);
  return G.LineBuffer;
}

std::string ReadImportLine() {
  G.LineBuffer = plat::ReadLine(kChannel);
  return G.LineBuffer;
}

void SkipImportFields(int count) {
  for (int j = 0; j < count; ++j) ReadImportField();
}

void SkipImportLines(int count) {
  for (int j = 0; j < count; ++j) ReadImportLine();
}

int ReadImportedValues(int k, int* items) {
  if (items != nullptr) *items = 0;
  int n = 0;
  if (!PrepareValues(k, n)) return 0;
  int numbers = 0;
  for (int i = 1; i <= n; ++i) {
    if (plat::AtEnd(kChannel)) break;
    if (items != nullptr) ++*items;
    G.LineBuffer = k <= 4 ? plat::ReadLine(kChannel) : plat::ReadField(kChannel);
    if (BeginsWithNumber(G.LineBuffer)) ++numbers;
    ImportedValues[k][i] = plat::TextToNumber(G.LineBuffer);
    DropFollowingLines();
  }
  return numbers;
}

int ReadImportedValuesReversed(int k) {
  int n = 0;
  if (!PrepareValues(k, n)) return 0;
  int numbers = 0;
  for (int i = n; i >= 1; --i) {
    if (plat::AtEnd(kChannel)) break;
    G.LineBuffer = plat::ReadField(kChannel);
    if (BeginsWithNumber(G.LineBuffer)) ++numbers;
    ImportedValues[k][i] = plat::TextToNumber(G.LineBuffer);
    DropFollowingLines();
  }
  return numbers;
}

void ClearImportedHeaderTexts(int h) {
  SpectrumHeaderRecord& header = ImportedHeader[h];
  header.ShortName.clear();
  header.Comment.clear();
  header.Date.clear();
  header.SourceInfo.clear();
}

void TidyImportedTexts() {
  auto tidy = [](std::string& s) {
    // Readers take their texts from decoded lines; a text cut from raw bytes
    // is made UTF-8 here, so that it draws as the file meant it.
    if (!plat::IsUtf8(s)) s = plat::ValidUtf8(s);
    for (const char ch : s) {
      const unsigned char c = static_cast<unsigned char>(ch);
      if (c < 0x20 || c == 0x7F) {
        s = WithoutControlBytes(s);
        return;
      }
    }
  };
  for (int h = 1; h <= ImportedHeader.upper(); ++h) {
    SpectrumHeaderRecord& H = ImportedHeader[h];
    for (std::string* s : {&H.Name, &H.ShortName, &H.Comment, &H.Technique, &H.Date, &H.SourceInfo})
      tidy(*s);
  }
  for (int r = 1; r <= G.BlockNames.upper(); ++r) tidy(G.BlockNames[r]);
}

std::string ChooseImportFile(const std::vector<std::string>& filterPairs,
                             const std::string& defaultExtension, const std::string& startFolder,
                             bool updateImportFolder) {
  std::vector<std::string> pairs = filterPairs;
  pairs.push_back(G.CaptionTexts[14]);
  pairs.push_back("*.*");
  const std::string preset = filterPairs.size() >= 2 ? filterPairs[1] : std::string("*.*");
  ChooseFileToOpen(pairs, preset, defaultExtension, startFolder, G.MessageTexts[93]);
  if (updateImportFolder && !G.FileDialogResult.empty())
    G.ImportFolder = FolderOfPath(G.FileDialogResult);
  return G.FileDialogResult;
}

void RefuseImportFile(int w) {
  G.CommandId = 3;
  ShowMessage(3, w);
  plat::Close(kChannel);
  G.SpectraReadCount = 0;
}

std::string ChooseReaderFile(int w, int code, const std::vector<std::string>& filterPairs,
                             const std::string& defaultExtension) {
  const int format = Win[w].ImportFormat;
  if (format == code) {
    ChooseImportFile(filterPairs, defaultExtension, G.ImportFolder, true);
  } else if (format == code + 1) {
    G.FileDialogResult = G.SourceFilePath;
  } else {
    return std::string();
  }
  // A dialog left with its preset mask has chosen no file.
  if (G.FileDialogResult.find('*') != std::string::npos) return std::string();
  return G.FileDialogResult;
}

bool OpenImportFile(int w, const std::string& path) {
  EraseImportedSpectra();
  G.SourceFilePath = path;
  try {
    plat::OpenInput(1, path);
  } catch (const plat::FileError&) {
    RefuseImportFile(w);
    return false;
  }
  return true;
}

void ReportPartialImport(int w) {
  G.CommandId = 3;
  ShowMessage(3, w);
}

}  // namespace sorvan
