// The window texts page (page 22x): the annotation and title labels of a
// spectrum window, the member labels and member axis of a view of several
// spectra, and the titles, ranges, tick counts and display options of the
// energy and intensity axes. The mode is the menu command in CommandId.
#pragma once

namespace sorvan {

inline constexpr int kWindowTextsPage = 22;

// The modes (menu commands).
inline constexpr int kTextsAnnotations = 6000;
inline constexpr int kTextsMemberLabels = 6010;
inline constexpr int kTextsMemberAxis = 6020;
inline constexpr int kTextsEnergyAxis = 6030;
inline constexpr int kTextsIntensityAxis = 6040;
inline constexpr int kTextsTitleLabels = 6050;

// Shows the page for window w in mode CommandId and waits. The label modes
// add one empty label, which the next left click into w places once it has
// a text; the other modes keep a Cancel copy of the window's settings when
// they are shown with DialogResult 0.
void ShowWindowTextsPage(int w);

// Takes the page's entries into window w's settings by mode (or, with
// DialogResult 222, puts the Cancel copy back) and redraws. False when an
// entry was refused (an empty energy or intensity range: message 9); then
// nothing was stored.
bool StoreWindowTexts(int w);

// Handlers; they act on the window the page was opened for.
void cmdOk221_Click();
void cmdCancel222_Click();
void cmd223_Click();
void cmd224_Click();
void RegisterWindowTextsPageEvents();

}  // namespace sorvan
