// The X-ray satellites of a non-monochromatic source: each of five weaker
// lines of the anode excites the spectrum a second time, shifted towards
// higher kinetic energy and scaled by the line's relative intensity. These
// routines work on plain arrays indexed by point number (index 0 unused,
// points 1..n) and know nothing of windows.
#pragma once
#include <array>
#include <span>

namespace sorvan {

inline constexpr int kSatelliteLines = 5;

// The anode whose satellite table a window uses, by the whole-number part of
// its excitation energy: 1486 aluminium, 1253 magnesium, anything else none
// (no satellites).
enum class Anode { None, Aluminium, Magnesium };
Anode AnodeOfExcitation(double excitationEnergy);

// The shift of a satellite line in points: offset / step rounded to the
// nearest point, halves up. Shifts far beyond any spectrum are held to
// +-(maxPoints + 1), which reaches no point either. The step must be > 0.
int SatelliteShift(double offset, double step, int maxPoints);

// One forward pass over the background-free spectrum y[1..n] (n =
// y.size() - 1) that accumulates the satellite curve s (index 1..n, which the
// caller has set to 0) and removes it from y on the way: for every source
// point i (1 .. n - shift[0] + 1, at least 1, at most n) and every line k in
// order, the point t = i + shift[k] inside 1..n receives intensity[k] * y[i];
// in the step of line 0, after its addition, y[t] loses all satellite
// intensity gathered on it so far. With line 0 the nearest of the five, a
// point has received all its satellites before it serves as a source, so the
// satellites of satellites are removed too.
void AccumulateSatellites(std::span<double> y, std::span<double> s,
                          const std::array<int, kSatelliteLines>& shift,
                          const std::array<double, kSatelliteLines>& intensity);

}  // namespace sorvan
