// Bounds-checked tables of the data model: fixed tables with lower bound 0
// and an inclusive upper bound, and tables sized at run time (vectors and
// matrices). Every element starts at 0, the empty text or false, and an index
// outside the bounds throws TableIndexError instead of touching memory.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace sorvan {

// Thrown by every table on an index outside its bounds.
class TableIndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

namespace table_detail {
[[noreturn]] inline void ThrowIndex(long long index, long long upper) {
  throw TableIndexError("table index " + std::to_string(index) +
                        " outside 0.." + std::to_string(upper));
}
[[noreturn]] inline void ThrowIndex2(long long row, long long col, long long rowUpper,
                                     long long colUpper) {
  throw TableIndexError("table index (" + std::to_string(row) + ", " + std::to_string(col) +
                        ") outside (0.." + std::to_string(rowUpper) + ", 0.." +
                        std::to_string(colUpper) + ")");
}
}  // namespace table_detail

// A fixed table with elements 0..Upper. Nested tables give the tables of two
// or three indices: Table<Table<double, 10>, 15> is indexed [p][j].
template <class T, int Upper>
class Table {
  static_assert(Upper >= 0, "a table has at least element 0");

 public:
  using value_type = T;
  static constexpr int kUpper = Upper;

  T& operator[](long long i) {
    if (i < 0 || i > Upper) table_detail::ThrowIndex(i, Upper);
    return data_[static_cast<std::size_t>(i)];
  }
  const T& operator[](long long i) const {
    if (i < 0 || i > Upper) table_detail::ThrowIndex(i, Upper);
    return data_[static_cast<std::size_t>(i)];
  }
  // True when i is an index of the table.
  static constexpr bool Contains(long long i) { return i >= 0 && i <= Upper; }
  static constexpr int upper() { return Upper; }
  static constexpr std::size_t size() { return Upper + 1; }

  void fill(const T& value) { data_.fill(value); }
  void clear() { fill(T{}); }

  T* begin() { return data_.data(); }
  T* end() { return data_.data() + data_.size(); }
  const T* begin() const { return data_.data(); }
  const T* end() const { return data_.data() + data_.size(); }
  T* data() { return data_.data(); }
  const T* data() const { return data_.data(); }

  bool operator==(const Table&) const = default;

 private:
  std::array<T, Upper + 1> data_{};
};

// Two-index fixed table: Table2<double, 15, 10> is indexed [p][j].
template <class T, int Upper1, int Upper2>
using Table2 = Table<Table<T, Upper2>, Upper1>;

// A table sized at run time: elements 0..Upper() after Resize(upper); empty
// (Upper() == -1) before the first sizing and after Clear(). Resizing always
// discards the old contents and starts every element at 0.
template <class T>
class CheckedVector {
 public:
  using value_type = T;

  CheckedVector() = default;
  explicit CheckedVector(long long upper) { Resize(upper); }

  // Elements 0..upper, all 0; a negative upper leaves the vector empty.
  void Resize(long long upper) {
    data_.clear();
    data_.shrink_to_fit();
    if (upper >= 0) data_.assign(static_cast<std::size_t>(upper) + 1, T{});
  }
  void Clear() {
    data_.clear();
    data_.shrink_to_fit();
  }

  T& operator[](long long i) {
    if (i < 0 || i > Upper()) table_detail::ThrowIndex(i, Upper());
    return data_[static_cast<std::size_t>(i)];
  }
  const T& operator[](long long i) const {
    if (i < 0 || i > Upper()) table_detail::ThrowIndex(i, Upper());
    return data_[static_cast<std::size_t>(i)];
  }
  bool Contains(long long i) const { return i >= 0 && i <= Upper(); }
  long long Upper() const { return static_cast<long long>(data_.size()) - 1; }
  std::size_t size() const { return data_.size(); }
  bool empty() const { return data_.empty(); }

  void fill(const T& value) { std::fill(data_.begin(), data_.end(), value); }

  T* begin() { return data_.data(); }
  T* end() { return data_.data() + data_.size(); }
  const T* begin() const { return data_.data(); }
  const T* end() const { return data_.data() + data_.size(); }
  T* data() { return data_.data(); }
  const T* data() const { return data_.data(); }

  bool operator==(const CheckedVector&) const = default;

 private:
  std::vector<T> data_;
};

// A matrix sized at run time: rows 0..RowUpper() by columns 0..ColUpper(),
// indexed (row, column). Stored column by column, so that one column of a
// spectrum matrix (all points of one curve) lies together in memory.
template <class T>
class CheckedMatrix {
 public:
  using value_type = T;

  CheckedMatrix() = default;
  CheckedMatrix(long long rowUpper, long long colUpper) { Resize(rowUpper, colUpper); }

  // Rows 0..rowUpper and columns 0..colUpper, all 0; a negative bound leaves
  // the matrix empty.
  void Resize(long long rowUpper, long long colUpper) {
    Clear();
    if (rowUpper < 0 || colUpper < 0) return;
    rows_ = rowUpper + 1;
    cols_ = colUpper + 1;
    data_.assign(static_cast<std::size_t>(rows_ * cols_), T{});
  }
  void Clear() {
    data_.clear();
    data_.shrink_to_fit();
    rows_ = 0;
    cols_ = 0;
  }

  T& operator()(long long row, long long col) {
    if (!Contains(row, col)) table_detail::ThrowIndex2(row, col, RowUpper(), ColUpper());
    return data_[static_cast<std::size_t>(col * rows_ + row)];
  }
  const T& operator()(long long row, long long col) const {
    if (!Contains(row, col)) table_detail::ThrowIndex2(row, col, RowUpper(), ColUpper());
    return data_[static_cast<std::size_t>(col * rows_ + row)];
  }
  bool Contains(long long row, long long col) const {
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
  }
  long long RowUpper() const { return rows_ - 1; }
  long long ColUpper() const { return cols_ - 1; }
  bool empty() const { return data_.empty(); }

  // Rows 0..RowUpper() of column col, contiguous; nullptr for a column
  // outside the matrix.
  T* ColumnData(long long col) {
    return (col >= 0 && col < cols_) ? data_.data() + col * rows_ : nullptr;
  }
  const T* ColumnData(long long col) const {
    return (col >= 0 && col < cols_) ? data_.data() + col * rows_ : nullptr;
  }

  bool operator==(const CheckedMatrix&) const = default;

 private:
  std::vector<T> data_;
  long long rows_ = 0;
  long long cols_ = 0;
};

}  // namespace sorvan
