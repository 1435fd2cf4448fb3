// The acceptance page of the one-shot backgrounds (page 1x: subtract, keep,
// undo or refine) and the carrying out of its answer. The backgrounds
// themselves are computed in processing/background_procedures.h.
#pragma once
#include <string>

namespace sorvan {

struct WindowRecord;

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

// Page 1x for window w with the background's name as title; the buttons
// depend on the title. False when the page could not open (dialog window 1
// busy); DialogResult then keeps its value.
bool ShowBackgroundAcceptPage(int w, const std::string& title);
// The area label of page 1x for an area in cps x eV.
std::string BackgroundAreaText(double area);
// Carries out DialogResult for window w: 1 subtract, 13 keep, else nothing
// but the redraw.
void AcceptBackground(int w);

// The recipe of the background win now subtracts or keeps: the kind named
// by BackgroundName, the cursor pair it was started on, the Shirley passes,
// the Tougaard constant and the smoothing done before it.
void RecordBackgroundRecipe(WindowRecord& win);

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
