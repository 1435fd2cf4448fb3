// The background fitted together with the peaks: rebuilding its Shirley and
// loss terms and its curve from the current peak sum and coefficients.
#pragma once

namespace sorvan {

// Recomputes WorkShirleyShape (S), WorkTougaardShape (T) and WorkBackground
// over window w's region from WorkFitSum and the coefficients A..F in
// G.FitVector(N+1..N+6), and keeps WorkFitTarget equal to the data minus
// that background. During a display pass the curve is stored as column 2.
// The loss tail is built only when its coefficient is free or not 0.
void RebuildFitBackground(int w);

}  // namespace sorvan
