#include "import/formats.h"

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "import/inf.h"
#include "import/keyword_text.h"
#include "import/npl_pcf.h"
#include "import/numbered_files.h"
#include "import/prefixed_text.h"
#include "import/reader_support.h"
#include "import/spx.h"
#include "import/tap.h"
#include "import/transmission_files.h"
#include "import/two_column.h"
#include "import/vamas.h"
#include "platform/text.h"
#include "processing/revert.h"

namespace sorvan {

namespace {

// The VAMAS reader also takes the command that started it.
void ReadVamas(int w) { ImportVamas(w, G.CommandId); }

const ImportFormatInfo kFormats[] = {
    {EclipseTap, "EclipseTap", CmdImportEclipseTap, ImportEclipseTap},
    {TapBlocks, "TapBlocks", CmdImportTapBlocks, ImportTapBlocks},
    {PrefixedText, "PrefixedText", CmdImportPrefixedText, ImportPrefixedText},
    {KeywordText, "KeywordText", CmdImportKeywordText, ImportKeywordText},
    {NumberedRegionFiles, "NumberedRegionFiles", CmdImportNumberedFiles, ImportNumberedFiles},
    {InfAsc, "InfAsc", CmdImportInfAsc, ImportInfAsc},
    {Vamas, "Vamas", CmdImportVamas, ReadVamas},
    {Npl, "Npl", CmdImportNpl, ImportNpl},
    {TwoColumnBinding, "TwoColumnBinding", CmdImportTwoColumnBinding, ImportTwoColumnBinding},
    {TwoColumnBindingReversed, "TwoColumnBindingReversed", CmdImportTwoColumnBindingReversed,
     ImportTwoColumnBindingReversed},
    {TwoColumnKineticReversed, "TwoColumnKineticReversed", CmdImportTwoColumnKineticReversed,
     ImportTwoColumnKineticReversed},
    {TwoColumnKinetic, "TwoColumnKinetic", CmdImportTwoColumnKinetic, ImportTwoColumnKinetic},
    {SpxExperiment, "SpxExperiment", CmdImportSpxExperiment, ImportSpxExperiment},
    {TransmissionParameterSpectrum, "TransmissionParameterSpectrum", CmdImportTransmissionFunction,
     ImportTransmissionFunction},
    {Pcf, "Pcf", CmdImportPcf, ImportPcf},
};

}  // namespace

const ImportFormatInfo* FindImportFormat(int code) {
  for (const ImportFormatInfo& f : kFormats)
    if (f.code == FormatOfCode(code)) return &f;
  return nullptr;
}

const ImportFormatInfo* FindImportCommand(int command) {
  if (command == CmdImportTestSpectrum) return FindImportFormat(Vamas);
  for (const ImportFormatInfo& f : kFormats)
    if (f.command == command) return &f;
  return nullptr;
}

bool RunImportReader(int code, int w) {
  const ImportFormatInfo* f = FindImportFormat(code);
  if (f == nullptr || f->reader == nullptr) return false;
  f->reader(w);
  TidyImportedTexts();
  return true;
}

bool ReadSourceAgain(int code, int w) {
  if (!RunImportReader(code, w)) return false;
  // A depth profile: the reader has collected its regions; the window's own
  // choice of regions (ChosenBlockList) is read again.
  if (G.ImportMode == "SDP_VAM") {
    G.BlockCount = G.VamasBlockCount;
    DecodeBlockList(G.ChosenBlockList, G.BlockCount);
    RereadVamasDepthProfile(w);
  } else if (G.ImportMode == "SDP_SPE") {
    G.BlockCount = G.SpxRegionCount;
    DecodeBlockList(G.ChosenBlockList, G.BlockCount);
    RereadSpxDepthProfile(w);
  }
  return true;
}

}  // namespace sorvan
