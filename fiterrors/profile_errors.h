// Parameter errors of a fitted window from a chi-square profile: each free
// variable is held at steps of a first estimate of its error away from the
// fitted value, upward and downward, the other variables refitted at every
// step, until chi-square is no longer below the fitted minimum plus 1; the
// error is the larger excursion (never less than the first estimate). The
// area errors and the error table follow as after the curvature analysis. A
// refit that finds a chi-square clearly below the fit's own is remembered and
// offered to the user at the end.
#pragma once

namespace sorvan {

// Steps in each direction before the search of one variable gives up: a
// variable that hardly changes chi-square inside wide limits would otherwise
// be stepped without end. Its error is then the capped excursion.
inline constexpr int kMaxProfileSteps = 50;

// Chi-square rise that ends the search, and the margin by which a refit must
// beat the fit to count as a better one.
inline constexpr double kProfileThreshold = 1.0;
inline constexpr double kBetterFitMargin = 0.1;

// The window procedures (w's fit arrays sized and loaded): the progress page
// (its Stop button ends the run after the current refit), the profile, the
// error table, and the question whether a better set found meanwhile is to be
// taken over. Whatever happens, the iteration limit and the number of fit
// rounds are those of before the run, and the program is out of batch use.
// A first estimate that is not a positive finite number shows message 10 and
// leaves ErrorRunState 2. An accepted better set becomes the window's fit,
// leaves ProgressKey 27 (no error pages) and the error table invalid.
void EstimateErrorsProfileGaussLorentz(int w);
void EstimateErrorsProfileDoniachSunjic(int w);

}  // namespace sorvan
