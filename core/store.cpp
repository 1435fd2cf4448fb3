// The spectrum store: sizing of the window matrices and work vectors, and the
// column copies between them.
#include "core/store.h"

#include <algorithm>

#include "platform/text.h"

namespace sorvan {

Table<CheckedMatrix<double>, 100> SlotData;
Table<CheckedMatrix<double>, 100> SlotComponents;
Table<CheckedVector<double>, 100> ImportedValues;

CheckedVector<double> WorkData;
CheckedVector<double> WorkBackground;
CheckedVector<double> WorkSigma;
CheckedVector<double> WorkPeak;
CheckedVector<double> WorkFitSum;
CheckedVector<double> WorkShirleyShape;
CheckedVector<double> WorkTougaardShape;
CheckedVector<double> WorkScratch;
CheckedVector<double> WorkFitTarget;
Table<CheckedVector<double>, 100> TransmissionReference;

CheckedMatrix<double> MemberCurves;

namespace {

// Sizes a work vector to 0..n(w) + 1.
bool DimWorkVector(CheckedVector<double>& vector, int w) {
  if (!IsSpectrumWindow(w)) return false;
  vector.Resize(WindowPointCount(w) + 1);
  return true;
}

// Sizes `vector` to 0..n(w) and copies points first..last of column c of
// `matrix` into it, as far as both the matrix and the vector reach.
bool LoadColumn(CheckedVector<double>& vector, const CheckedMatrix<double>& matrix, int w,
                int c, int first, int last) {
  if (!IsSpectrumWindow(w)) return false;
  const long long n = WindowPointCount(w);
  vector.Resize(n);
  const double* column = matrix.ColumnData(c);
  if (column == nullptr) return false;
  const long long from = std::max<long long>(first, 0);
  const long long to = std::min({static_cast<long long>(last), n, matrix.RowUpper()});
  if (from > to) return true;
  std::copy(column + from, column + to + 1, vector.data() + from);
  return true;
}

// Copies points 1..n(w) of `vector` into column c of `matrix`, as far as
// both reach.
bool StoreColumn(const CheckedVector<double>& vector, CheckedMatrix<double>& matrix, int w,
                 int c) {
  if (!IsSpectrumWindow(w)) return false;
  double* column = matrix.ColumnData(c);
  if (column == nullptr) return false;
  const long long to = std::min({static_cast<long long>(WindowPointCount(w)), vector.Upper(),
                                 matrix.RowUpper()});
  if (to < 1) return true;
  std::copy(vector.data() + 1, vector.data() + to + 1, column + 1);
  return true;
}

}  // namespace

int WindowPointCount(int w) {
  if (!IsSpectrumWindow(w)) return 0;
  return std::max<int>(Win[w].SpectrumHeader.PointCount, 0);
}

void ClearSpectrumStore() {
  for (auto& m : SlotData) m.Clear();
  for (auto& m : SlotComponents) m.Clear();
  for (auto& v : ImportedValues) v.Clear();
  for (auto& v : TransmissionReference) v.Clear();
  for (auto* v : {&WorkData, &WorkBackground, &WorkSigma, &WorkPeak, &WorkFitSum,
                  &WorkShirleyShape, &WorkTougaardShape, &WorkScratch, &WorkFitTarget})
    v->Clear();
  MemberCurves.Clear();
}

bool DimSlotData(int w) {
  if (!IsSpectrumWindow(w)) return false;
  SlotData[w].Resize(WindowPointCount(w), 3);
  return true;
}

bool DimSlotComponents(int w) {
  if (!IsSpectrumWindow(w)) return false;
  const long long columns = plat::RoundHalfEven(G.ComponentCount) + 2;
  SlotComponents[w].Resize(WindowPointCount(w), columns);
  return true;
}

bool DimWorkSigma(int w) { return DimWorkVector(WorkSigma, w); }
bool DimWorkPeak(int w) { return DimWorkVector(WorkPeak, w); }
bool DimWorkFitSum(int w) { return DimWorkVector(WorkFitSum, w); }
bool DimWorkShirleyShape(int w) { return DimWorkVector(WorkShirleyShape, w); }
bool DimWorkTougaardShape(int w) { return DimWorkVector(WorkTougaardShape, w); }
bool DimWorkScratch(int w) { return DimWorkVector(WorkScratch, w); }
bool DimWorkFitTarget(int w) { return DimWorkVector(WorkFitTarget, w); }

void EraseImportedSpectra() {
  for (auto& v : ImportedValues) v.Clear();
}

bool LoadImportedSpectrum(int h) {
  if (!ImportedHeader.Contains(h)) return false;
  const long long m = std::max<int>(ImportedHeader[h].PointCount, 0);
  WorkData.Resize(m);
  const int k = SpectrumOfHeaderIndex(h);
  if (k == 0) return false;
  const CheckedVector<double>& values = ImportedValues[k];
  const long long to = std::min(m, values.Upper());
  if (to >= 1) std::copy(values.data() + 1, values.data() + to + 1, WorkData.data() + 1);
  return true;
}

bool LoadWindowSource(int w) {
  if (!IsSpectrumWindow(w)) return false;
  const int h = Win[w].SourceSpectrumIndex;
  if (!ImportedHeader.Contains(h)) return false;
  const int k = SpectrumOfHeaderIndex(h);
  const int points = WindowPointCount(w);
  if (k == 0 || points < 1 || ImportedHeader[h].PointCount != points || ImportedValues[k].Upper() < points)
    return false;
  return LoadImportedSpectrum(h);
}

bool LoadWorkData(int w, int c, int first, int last) {
  return IsSpectrumWindow(w) && LoadColumn(WorkData, SlotData[w], w, c, first, last);
}
bool LoadWorkBackground(int w, int c, int first, int last) {
  return IsSpectrumWindow(w) && LoadColumn(WorkBackground, SlotData[w], w, c, first, last);
}
bool LoadWorkSigma(int w, int c, int first, int last) {
  return IsSpectrumWindow(w) && LoadColumn(WorkSigma, SlotData[w], w, c, first, last);
}
bool LoadWorkFitTarget(int w, int c, int first, int last) {
  return IsSpectrumWindow(w) && LoadColumn(WorkFitTarget, SlotData[w], w, c, first, last);
}
bool LoadComponent(int w, int c, int first, int last) {
  return IsSpectrumWindow(w) && LoadColumn(WorkData, SlotComponents[w], w, c, first, last);
}

bool StoreWorkData(int w, int c) {
  return IsSpectrumWindow(w) && StoreColumn(WorkData, SlotData[w], w, c);
}
bool StoreWorkBackground(int w, int c) {
  return IsSpectrumWindow(w) && StoreColumn(WorkBackground, SlotData[w], w, c);
}
bool StoreWorkSigma(int w, int c) {
  return IsSpectrumWindow(w) && StoreColumn(WorkSigma, SlotData[w], w, c);
}

bool StoreWorkPeak(int w, int c) {
  if (!IsSpectrumWindow(w)) return false;
  WindowRecord& r = Win[w];
  // Only single-spectrum windows record the maximum; member columns of the
  // multi-spectrum views go beyond the 18 columns of ComponentMax.
  if (r.WindowKind == SingleSpectrum && r.ComponentMax.Contains(c)) {
    double maximum = 0;
    const long long to = std::min<long long>(WindowPointCount(w), WorkPeak.Upper());
    const double* peak = WorkPeak.data();
    for (long long i = 1; i <= to; ++i) maximum = std::max(maximum, peak[i]);
    r.ComponentMax[c] = maximum;
  }
  return StoreColumn(WorkPeak, SlotComponents[w], w, c);
}

bool TransposeComponents(int w) {
  if (!IsSpectrumWindow(w)) return false;
  const WindowRecord& r = Win[w];
  const long long members = std::max<int>(r.MemberCount, 0);
  const long long points = std::max<long long>(plat::RoundHalfEven(r.MultiPointCount), 0);
  MemberCurves.Resize(members, points);
  const CheckedMatrix<double>& components = SlotComponents[w];
  const long long from = std::max<long long>(r.MultiRegionStart, 0);
  const long long to = std::min({static_cast<long long>(r.MultiRegionEnd), points,
                                 components.RowUpper()});
  for (long long i = 1; i <= members; ++i) {
    const double* column = components.ColumnData(i);
    if (column == nullptr) break;
    for (long long j = from; j <= to; ++j) MemberCurves(i, j) = column[j];
  }
  return true;
}

}  // namespace sorvan
