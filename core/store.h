// The spectrum store: per window a data matrix and a component matrix, the
// value vectors of the spectra of the file read last, and the work vectors
// through which every computation reads and writes one column at a time.
//
// SlotData[w](i, c): point i (0..n(w)) of column c (1 measured, 2 background,
// 3 satellite curve) of window w, n(w) = Win[w].SpectrumHeader.PointCount.
// SlotComponents[w](i, c): point i of component column c (0..ComponentCount + 2).
// The operations act only on windows 1..100; for any other window number they
// change nothing and return false. Copies never reach past the sized range of
// a matrix or vector.
#pragma once
#include "core/model.h"

namespace sorvan {

extern Table<CheckedMatrix<double>, 100> SlotData;
extern Table<CheckedMatrix<double>, 100> SlotComponents;
// Values of imported spectrum k (1..100), points 1..m; header index of
// spectrum k is HeaderIndexOfSpectrum(k).
extern Table<CheckedVector<double>, 100> ImportedValues;

extern CheckedVector<double> WorkData;
extern CheckedVector<double> WorkBackground;
extern CheckedVector<double> WorkSigma;
extern CheckedVector<double> WorkPeak;
extern CheckedVector<double> WorkFitSum;
extern CheckedVector<double> WorkShirleyShape;
extern CheckedVector<double> WorkTougaardShape;
extern CheckedVector<double> WorkScratch;
extern CheckedVector<double> WorkFitTarget;

// Per window (1..100): the reference curve of the transmission editor on the
// 1361-point transmission grid, scaled to the window's data, kept between
// two calls of the editor on the same window.
extern Table<CheckedVector<double>, 100> TransmissionReference;

// (member 0..MemberCount, point 0..MultiPointCount) of the multi-spectrum
// window transposed last.
extern CheckedMatrix<double> MemberCurves;

// Header index of imported spectrum k: k for k <= 10, k + 10 above (header
// indices 11..20 name no spectrum).
constexpr int HeaderIndexOfSpectrum(int k) { return k <= 10 ? k : k + 10; }
// Imported spectrum k of header index h; 0 for an index that names none.
constexpr int SpectrumOfHeaderIndex(int h) {
  if (h >= 1 && h <= 10) return h;
  if (h >= 21 && h <= kMaxHeaderIndex) return h - 10;
  return 0;
}

// Point count n(w) of window w (never negative); 0 outside 1..100.
int WindowPointCount(int w);

// Empties every matrix and vector of the store (start-up).
void ClearSpectrumStore();

// Sizing: the data matrix to points 0..n(w) x columns 0..3; the component
// matrix to 0..n(w) x 0..ComponentCount + 2.
bool DimSlotData(int w);
bool DimSlotComponents(int w);
// Size the named work vector to 0..n(w) + 1.
bool DimWorkSigma(int w);
bool DimWorkPeak(int w);
bool DimWorkFitSum(int w);
bool DimWorkShirleyShape(int w);
bool DimWorkTougaardShape(int w);
bool DimWorkScratch(int w);
bool DimWorkFitTarget(int w);

// Empties the value vectors of all 100 imported spectra.
void EraseImportedSpectra();

// Sizes WorkData to 0..m (m the imported point count at h, h = 0..110) and
// copies points 1..m of the spectrum of header index h. Returns false when h
// names no spectrum (WorkData then holds only zeros) or lies outside 0..110
// (WorkData unchanged).
bool LoadImportedSpectrum(int h);
// Window w's measured values: the imported spectrum of its
// SourceSpectrumIndex into WorkData, only when the store holds exactly the
// window's number of points (a source that has changed since the window was
// placed would otherwise be read short or past its end). False, with
// WorkData unchanged, when it does not.
bool LoadWindowSource(int w);

// Loads: size the work vector to 0..n(w), then copy points first..last of
// column c of the window's data matrix (LoadComponent: component matrix).
// Points outside first..last stay 0.
bool LoadWorkData(int w, int c, int first, int last);
bool LoadWorkBackground(int w, int c, int first, int last);
bool LoadWorkSigma(int w, int c, int first, int last);
bool LoadWorkFitTarget(int w, int c, int first, int last);
bool LoadComponent(int w, int c, int first, int last);

// Stores: copy points 1..n(w) of the work vector into column c.
bool StoreWorkData(int w, int c);
bool StoreWorkBackground(int w, int c);
bool StoreWorkSigma(int w, int c);
// For a single-spectrum window first records ComponentMax(w, c), the largest
// of 0 and WorkPeak(1..n(w)); then copies WorkPeak into component column c.
bool StoreWorkPeak(int w, int c);

// Builds MemberCurves from the component matrix of multi-spectrum window w.
bool TransposeComponents(int w);

}  // namespace sorvan
