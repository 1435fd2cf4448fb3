// The window texts page (page 22x): the annotation and title labels of a
// spectrum window, the member labels and member axis of a view of several
// spectra, and the titles, ranges, tick counts and display options of the
// energy and intensity axes. The mode is the menu command in CommandId.
#pragma once

#include "core/menu_commands.h"

namespace sorvan {

inline constexpr int kWindowTextsPage = 22;

// The modes (the menu commands of the Labels menu). The item of
// CmdEditMemberAxis reads "Member labels" and edits the labels one by one;
// that of CmdEditMemberLabels reads "Member axis" and numbers them from the
// first to the last.
inline constexpr int kTextsAnnotations = CmdEditAnnotations;
inline constexpr int kTextsMemberLabels = CmdEditMemberAxis;
inline constexpr int kTextsMemberAxis = CmdEditMemberLabels;
inline constexpr int kTextsEnergyAxis = CmdEditEnergyAxis;
inline constexpr int kTextsIntensityAxis = CmdEditIntensityAxis;
inline constexpr int kTextsTitleLabels = CmdEditTitleLabels;

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
