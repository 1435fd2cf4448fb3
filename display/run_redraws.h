// The pictures of a long run (a fit, an error analysis, a series): the run
// redraws its windows after every step, far more often than anyone can
// follow, and drawing each picture with the user's pens can cost more than
// the step itself. While a run lasts, a window shows at most
// kRunPicturesPerSecond of its whole redraws a second; the redraws between
// them are held back (recorded, not drawn), and the last one held is drawn
// when the run ends, or before the run waits for the person (a page, a
// message box). So the window always ends showing the picture of the run's
// final state, exactly as if every redraw had been drawn; the values the
// redraws compute (curves, areas) are computed as before.
//
// A whole redraw is one that begins by painting the window's background
// (DrawFrameAndAxes): whatever was drawn before it is covered, so a held
// picture may be dropped when the next whole redraw begins. Time is
// plat::Milliseconds(), which tests step by hand.
#pragma once

namespace sorvan {

inline constexpr int kRunPicturesPerSecond = 4;

// A long run, for as long as the object lives. Runs nest (a fit inside an
// error analysis); the outermost one's end draws what is held.
class RunRedraws {
 public:
  RunRedraws();
  ~RunRedraws();
  RunRedraws(const RunRedraws&) = delete;
  RunRedraws& operator=(const RunRedraws&) = delete;
};

// Called as a whole redraw of window w begins: during a run it decides
// whether this picture is drawn or held back; outside a run it does nothing.
void BeginWholeRedraw(int w);

// Draws now every picture held back (the pictures of the run so far).
void ShowHeldRedraws();

}  // namespace sorvan
