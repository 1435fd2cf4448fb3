#include "import/formats.h"

#include "core/model.h"
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
    {EclipseTap, "EclipseTap", 1111, ImportEclipseTap},
    {TapBlocks, "TapBlocks", 1110, ImportTapBlocks},
    {PrefixedText, "PrefixedText", 1120, ImportPrefixedText},
    {KeywordText, "KeywordText", 1130, ImportKeywordText},
    {NumberedRegionFiles, "NumberedRegionFiles", 1150, ImportNumberedFiles},
    {InfAsc, "InfAsc", 1140, ImportInfAsc},
    {Vamas, "Vamas", 1160, ReadVamas},
    {Npl, "Npl", 1170, ImportNpl},
    {TwoColumnBinding, "TwoColumnBinding", 1180, ImportTwoColumnBinding},
    {TwoColumnBindingReversed, "TwoColumnBindingReversed", 1181, ImportTwoColumnBindingReversed},
    {TwoColumnKineticReversed, "TwoColumnKineticReversed", 1182, ImportTwoColumnKineticReversed},
    {TwoColumnKinetic, "TwoColumnKinetic", 1183, ImportTwoColumnKinetic},
    {SpxExperiment, "SpxExperiment", 1184, ImportSpxExperiment},
    {TransmissionParameterSpectrum, "TransmissionParameterSpectrum", 9700,
     ImportTransmissionFunction},
    {Pcf, "Pcf", 1185, ImportPcf},
};

}  // namespace

const ImportFormatInfo* FindImportFormat(int code) {
  for (const ImportFormatInfo& f : kFormats)
    if (f.code == (code & ~1)) return &f;
  return nullptr;
}

const ImportFormatInfo* FindImportCommand(int command) {
  if (command == 1700) return FindImportFormat(Vamas);
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
