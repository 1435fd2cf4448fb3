// Loading a parameter-set file that the user picks. The file is read whole
// before the window changes, so a damaged file never leaves a half-replaced
// peak table.
#include "core/parameter_set.h"

#include "core/file_dialogs.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/paramset.h"

namespace sorvan {

bool LoadParameterSetFileFrom(int w, const std::string& path) {
  ParameterSetData data;
  const ParameterSetRead read =
      ParseParameterSet(path, Win[w].BackgroundState == BackgroundNone, data);
  if (read != ParameterSetRead::Ok) {
    G.CommandId = read == ParameterSetRead::Missing ? 8 : 3;
    ShowMessage(G.CommandId, G.CurrentWindow);
    return false;
  }
  ConvertParameterSet(data, w, ParameterSetRules::UserChosen);
  StoreParameterSet(data, w);
  Win[w].PeakCount = static_cast<std::int16_t>(data.peakCount);
  if (data.hasBackground) {
    Win[w].BackgroundState = BackgroundLoaded;  // terms loaded, curve not yet built
    for (int i = 1; i <= 6; ++i) {
      Win[w].BackgroundTermValue[i] = data.background[i];
      Win[w].BackgroundTermFixed[i] = data.backgroundFixed[i];
    }
  }
  Win[w].ParamSetLoaded = 1;
  G.DialogResult = 1;
  return true;
}

void LoadParameterSetFile(int w) {
  // This dialog answers into `ParameterFileName` alone.
  const std::string lastResult = G.FileDialogResult;
  G.ParameterFileName = ChooseFileToOpen({G.CaptionTexts[16], "*.par", G.CaptionTexts[14], "*.*"},
                                         "", "par", G.ParameterSetFolder, G.MessageTexts[129]);
  G.FileDialogResult = lastResult;
  G.ParameterSetFolder = CurrentDialogFolder();
  if (G.ParameterFileName.empty()) return;
  LoadParameterSetFileFrom(w, G.ParameterFileName);
}

}  // namespace sorvan
