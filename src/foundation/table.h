#pragma once

// Table<T>: a two-dimensional array of rows x cols elements reached through a
// table of row pointers; element (i, j) is row i, position j, with no range
// check. Rows are separate allocations; the fixed-size matrices keep a 2x2, 3x3
// or 4x4 shape in storage of their own (see matrix.h) and fall back to the heap
// for any other shape. New elements are value-initialised.

#include <cstdint>
#include <memory>

template <class T>
class TableBase {
 public:
  std::uint32_t Rows() const { return rows; }
  std::uint32_t Cols() const { return cols; }

  T* operator[](std::uint32_t i) { return table[i]; }
  const T* operator[](std::uint32_t i) const { return table[i]; }
  T& operator()(std::uint32_t i, std::uint32_t j) { return table[i][j]; }
  const T& operator()(std::uint32_t i, std::uint32_t j) const { return table[i][j]; }

  // Frees every row, then the row table; the table becomes 0 x 0.
  void FreeRows() {
    Release(table, rows);
    table = nullptr;
    rows = 0;
    cols = 0;
  }

 protected:
  TableBase() = default;
  TableBase(const TableBase&) = delete;
  TableBase& operator=(const TableBase&) = delete;
  ~TableBase() { FreeRows(); }

  // Storage for r x c elements: the own storage for its shape, else new rows.
  // A failure frees what this call allocated.
  T** NewRows(std::uint32_t r, std::uint32_t c) {
    if (own_rows != nullptr && r == own_size && c == own_size) {
      for (std::uint32_t i = 0; i < r; ++i) {
        for (std::uint32_t j = 0; j < c; ++j) own_rows[i][j] = T();
      }
      return own_rows;
    }
    if (r == 0) return nullptr;
    std::unique_ptr<T*[]> fresh(new T*[r]());
    try {
      for (std::uint32_t i = 0; i < r; ++i) fresh[i] = new T[c]();
    } catch (...) {
      for (std::uint32_t i = 0; i < r; ++i) delete[] fresh[i];
      throw;
    }
    return fresh.release();
  }

  void Release(T** storage, std::uint32_t r) {
    if (storage == nullptr || storage == own_rows) return;
    for (std::uint32_t i = 0; i < r; ++i) delete[] storage[i];
    delete[] storage;
  }

  // Gives the table storage of its own for the n x n shape (rows already
  // pointing into it) and takes that shape. Used by the fixed-size matrices.
  void UseOwnStorage(T** own, std::uint32_t n) {
    FreeRows();
    own_rows = own;
    own_size = n;
    table = own;
    rows = n;
    cols = n;
  }

  std::uint32_t rows = 0;
  std::uint32_t cols = 0;
  T** table = nullptr;

 private:
  T** own_rows = nullptr;
  std::uint32_t own_size = 0;
};

template <class T>
class Table : public TableBase<T> {
 public:
  Table() = default;

  // r x c value-initialised elements. On a failure nothing stays allocated.
  Table(std::uint32_t r, std::uint32_t c) {
    this->table = this->NewRows(r, c);
    this->rows = r;
    this->cols = c;
  }

  // The same shape, every element copied.
  Table(const Table& other) : TableBase<T>() {
    this->table = this->NewRows(other.rows, other.cols);
    this->rows = other.rows;
    this->cols = other.cols;
    CopyElements(other);
  }

  // With a different shape, Allocate the other's; then every element copied.
  Table& operator=(const Table& other) {
    if (&other == this) return *this;
    if (this->rows != other.rows || this->cols != other.cols) Allocate(other.rows, other.cols);
    CopyElements(other);
    return *this;
  }

  // Frees the old storage and allocates the new shape (contents value-
  // initialised). On a failure the table is left 0 x 0 with no storage.
  void Allocate(std::uint32_t r, std::uint32_t c) {
    this->FreeRows();
    this->table = this->NewRows(r, c);
    this->rows = r;
    this->cols = c;
  }

  // Allocates the new shape, copies the overlapping top-left elements and frees
  // the old storage. On a failure both are freed and the table is left 0 x 0.
  void Resize(std::uint32_t r, std::uint32_t c) {
    if (r == this->rows && c == this->cols) return;
    T** fresh = nullptr;
    try {
      fresh = this->NewRows(r, c);
      const std::uint32_t keep_rows = r < this->rows ? r : this->rows;
      const std::uint32_t keep_cols = c < this->cols ? c : this->cols;
      for (std::uint32_t i = 0; i < keep_rows; ++i) {
        for (std::uint32_t j = 0; j < keep_cols; ++j) fresh[i][j] = this->table[i][j];
      }
    } catch (...) {
      this->Release(fresh, r);
      this->FreeRows();
      throw;
    }
    this->Release(this->table, this->rows);
    this->table = fresh;
    this->rows = r;
    this->cols = c;
  }

 protected:
  void CopyElements(const Table& other) {
    for (std::uint32_t i = 0; i < other.rows; ++i) {
      for (std::uint32_t j = 0; j < other.cols; ++j) this->table[i][j] = other.table[i][j];
    }
  }
};
