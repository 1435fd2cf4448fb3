// Page 30x: the satellite presets of the aluminium and the magnesium anode.
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "processing/satellite_removal.h"

namespace sorvan {

namespace {

constexpr int kPage = 30;  // dialog window of page 30x
constexpr int kPresets = 5;
constexpr int kLines = 5;

// The material the open page edits. Taken when the page opens, so that a
// command run while the page waits (which may change CommandId) cannot make
// OK write into the other anode's tables.
int pageMaterial = 0;

struct PresetTables {
  Table2<double, 5, 5>& offset;
  Table2<double, 5, 5>& intensity;
  Int16& preset;
};

PresetTables TablesOf(int material) {
  if (material == 1)
    return {G.MgSatOffsetPresets, G.MgSatIntensityPresets, G.MgSatellitePreset};
  return {G.AlSatOffsetPresets, G.AlSatIntensityPresets, G.AlSatellitePreset};
}

// The entry fields of preset s, line j share this element index.
int EntryIndex(int s, int j) { return (s - 1) * kLines + j - 1; }

std::string EntryText(double value) { return plat::Trim(plat::NumberToText(value)); }

const char* const kOptionCaptions[kPresets + 1] = {"", " 1  ", " 2 ", " 3  ", " 4 ", " 5  "};

}  // namespace

bool ShowSatellitePresetPage(int material) {
  if (!PageCanOpen(kPage)) return false;
  pageMaterial = material == 1 ? 1 : 0;
  const PresetTables t = TablesOf(pageMaterial);

  G.CaptionBuffer = G.LabelTexts[52];
  StripMnemonic();

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 79;
  spec.height = 18;
  spec.caption = G.CaptionBuffer;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 16.6;
  spec.firstEntry = "ed301";
  spec.firstEntryIndex = EntryIndex(1, 1);
  return RunPage(spec, [&] {
    const int n = kPage;
    PageLabel(n, "lb301", plat::kNoIndex, 1, 0.5, 12, 1, G.LabelTexts[58]);
    for (int j = 1; j <= kLines; ++j) {
      const int r = j - 1;
      PageLabel(n, "lb302", r, 1, 1.7 + 2.4 * r, 12, 1, G.LabelTexts[52 + j]);
      PageLabel(n, "lb306", r, 8, 1.7 + 2.4 * r, 12, 1, G.MessageTexts[37]);
      PageLabel(n, "lb307", r, 8, 2.9 + 2.4 * r, 12, 1, G.MessageTexts[39]);
    }
    for (int s = 1; s <= kPresets; ++s) {
      PageOption(n, "opt301", s, 12 * s + 6, 0.5, 4, 1, kOptionCaptions[s], s == t.preset ? 1 : 0);
      for (int j = 1; j <= kLines; ++j) {
        PageEdit(n, "ed301", EntryIndex(s, j), 12 * s + 6, 1.7 + 2.4 * (j - 1), 11, 1.1,
                 EntryText(t.intensity[j][s]));
        PageEdit(n, "ed302", EntryIndex(s, j), 12 * s + 6, 2.9 + 2.4 * (j - 1), 11, 1.1,
                 EntryText(t.offset[j][s]));
      }
    }
    PageButton(n, "cmdOk301", plat::kNoIndex, 1, 15, 13, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
    PageButton(n, "cmdCancel302", plat::kNoIndex, 16, 15, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
  });
}

void cmdOk301_Click() {
  G.DialogResult = 1;
  if (PageOpen(kPage)) {
    const PresetTables t = TablesOf(pageMaterial);
    int chosen = 0;
    for (int s = 1; s <= kPresets; ++s) {
      for (int j = 1; j <= kLines; ++j) {
        t.intensity[j][s] = ReadPageNumber(kPage, "ed301", EntryIndex(s, j));
        t.offset[j][s] = ReadPageNumber(kPage, "ed302", EntryIndex(s, j));
      }
      if (plat::Value(kPage, "opt301", s) != 0) chosen = s;
    }
    // Without a ticked preset the preset in use and the windows' lines stay.
    if (chosen != 0) {
      t.preset = static_cast<Int16>(chosen);
      if (pageMaterial == 1) {
        ApplyMgSatellitePreset(chosen);
      } else {
        ApplyAlSatellitePreset(chosen);
      }
    }
  }
  ClosePage(kPage, 1);
}

void cmdCancel302_Click() { ClosePage(kPage, 2); }

void RegisterSatellitePageEvents() {
  RegisterEvent("cmdOk301_Click", [](plat::EventArgs&) { cmdOk301_Click(); });
  RegisterEvent("cmdCancel302_Click", [](plat::EventArgs&) { cmdCancel302_Click(); });
}

}  // namespace sorvan
