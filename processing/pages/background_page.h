// The one-shot backgrounds of a window (constant, linear, Shirley, Tougaard),
// their acceptance page (page 1x: subtract, keep, undo or refine), the
// commit of a kept or fitted background and the negation of a spectrum.
#pragma once
#include <string>

namespace sorvan {

// Background kinds, known to the rest of the program by their names
// MessageTexts[kind] kept in BackgroundName.
enum BackgroundKindCode {
  BackgroundKindConstant = 1,
  BackgroundKindLinear = 2,
  BackgroundKindShirley = 3,
  BackgroundKindTougaard = 4,
  BackgroundKindPolyShirley = 5,
};

// BackgroundState values.
enum BackgroundStateCode {
  BackgroundNone = 0,
  BackgroundSubtracted = 1,
  BackgroundDefined = 2,
  BackgroundPreview = 3,
  BackgroundFitted = 4,
  BackgroundLoaded = 5,
};

// Answers of page 1x in DialogResult.
enum BackgroundAnswer {
  AnswerSubtract = 1,
  AnswerUndo = 2,
  AnswerKeep = 13,
  AnswerAnotherPass = 14,
  AnswerNewEndPoints = 15,
  AnswerNewSegment = 16,
  AnswerNewTougaardC = 17,
};

// First step of every background: the cursor pair (the region unless the
// user is picking, or a series set it), BackgroundStart/End, and in states
// 0 and 1 a subtracted background put back into the spectrum, the working
// background starting as a copy of the restored spectrum.
void BackgroundPrelude(int w);

// Compute, draw, then show page 1x (interactive) or act on DialogResult
// directly (series, BatchMode 1); they return once the answer is carried out.
// An interactive run while page 1x is already open does nothing.
void ComputeConstantBackground(int w);
void ComputeLinearBackground(int w);
void ComputeShirleyBackground(int w);
void ComputeTougaardBackground(int w);

// Page 1x for window w with the background's name as title; the buttons
// depend on the title. False when the page could not open (dialog window 1
// busy); DialogResult then keeps its value.
bool ShowBackgroundAcceptPage(int w, const std::string& title);
// The area label of page 1x for an area in cps x eV.
std::string BackgroundAreaText(double area);
// Computes IntegratedArea[w][1] (cps x eV, over the region) and sets the
// state to Preview.
void ComputeBackgroundArea(int w);
// Carries out DialogResult for window w: 1 subtract, 13 keep, else nothing
// but the redraw.
void AcceptBackground(int w);

// Subtracts a kept (2) or fitted (4) background from the spectrum; column 2
// keeps it. Nothing in any other state; returns whether it subtracted.
bool CommitBackground(int w);
// Changes the sign of the spectrum (column 1); the background column stays.
void NegateSpectrum(int w);

// Handlers of page 1x; they act on the window the page was opened for.
void cmdOk11_Click();
void cmdCancel12_Click();
void cmd13_Click();
void cmd14_Click();
void cmd15_Click();
void cmd16_Click();
void cmd17_Click();
void RegisterBackgroundPageEvents();

}  // namespace sorvan
