#pragma once

// Numeric vectors on Seq<T>: Vector<T> of any count and the fixed forms
// Vector2<T>, Vector3<T>, Vector4<T> (constructed with 2, 3 and 4 elements; the
// count is not otherwise fixed, so mismatches are found at run time).
//
// Every operation exists twice: a status member that writes into a
// caller-supplied result and answers 1, or 0 (writing nothing) when the counts
// do not match, and an operator that allocates its result and throws xVector
// when the status member answers 0. Sums accumulate in one T, index ascending,
// starting from 0.

#include <cmath>
#include <cstdint>

#include "foundation/seq.h"

// Thrown by the vector operators on a count mismatch.
class xVector {};

template <class T>
class Vector : public Seq<T> {
 public:
  Vector() = default;
  explicit Vector(std::uint32_t n) : Seq<T>(n) {}
  // The other's count, copied through the sequence assignment.
  Vector(const Vector& other) : Seq<T>() { Seq<T>::operator=(other); }

  // Element copy; xVector when the counts differ (never reallocates).
  Vector& operator=(const Vector& y) {
    if (!CopyFrom(y)) throw xVector();
    return *this;
  }

  int Zero() {
    for (std::uint32_t i = 0; i < this->count; ++i) this->data[i] = T(0);
    return 1;
  }
  // z = x + y.
  int Add(Vector& z, const Vector& y) const {
    if (!SameCount(z) || !SameCount(y)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) z.data[i] = this->data[i] + y.data[i];
    return 1;
  }
  // z = x - y.
  int Subtract(Vector& z, const Vector& y) const {
    if (!SameCount(z) || !SameCount(y)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) z.data[i] = this->data[i] - y.data[i];
    return 1;
  }
  // z = -x.
  int Negate(Vector& z) const {
    if (!SameCount(z)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) z.data[i] = -this->data[i];
    return 1;
  }
  // d = sum of x(i) * y(i).
  int Dot(T& d, const Vector& y) const {
    if (!SameCount(y)) return 0;
    T sum = T(0);
    for (std::uint32_t i = 0; i < this->count; ++i) sum += this->data[i] * y.data[i];
    d = sum;
    return 1;
  }
  // z = s * x.
  int Scale(Vector& z, T s) const {
    if (!SameCount(z)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) z.data[i] = s * this->data[i];
    return 1;
  }
  // z = x * (1 / Norm of x).
  int Normalize(Vector& z) const {
    if (!SameCount(z)) return 0;
    const T inverse = T(1) / Norm();
    for (std::uint32_t i = 0; i < this->count; ++i) z.data[i] = this->data[i] * inverse;
    return 1;
  }
  // x = y.
  int CopyFrom(const Vector& y) {
    if (!SameCount(y)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) this->data[i] = y.data[i];
    return 1;
  }
  // 1 when the counts match and every element compares equal.
  int Equals(const Vector& y) const {
    if (!SameCount(y)) return 0;
    for (std::uint32_t i = 0; i < this->count; ++i) {
      if (!(this->data[i] == y.data[i])) return 0;
    }
    return 1;
  }
  // The square root of the dot product with itself.
  T Norm() const {
    T d = T(0);
    Dot(d, *this);
    return std::sqrt(d);
  }

  Vector operator+(const Vector& y) const {
    Vector z(this->count);
    if (!Add(z, y)) throw xVector();
    return z;
  }
  Vector operator-(const Vector& y) const {
    Vector z(this->count);
    if (!Subtract(z, y)) throw xVector();
    return z;
  }
  Vector operator-() const {
    Vector z(this->count);
    if (!Negate(z)) throw xVector();
    return z;
  }
  Vector operator*(T s) const {
    Vector z(this->count);
    if (!Scale(z, s)) throw xVector();
    return z;
  }
  // The dot product.
  T operator*(const Vector& y) const {
    T d = T(0);
    if (!Dot(d, y)) throw xVector();
    return d;
  }

 protected:
  bool SameCount(const Vector& other) const { return other.count == this->count; }
};

namespace zavo {

// The normalised copy of x, of x's own type.
template <class V>
V Normalized(const V& x) {
  V z(x);
  if (!x.Normalize(z)) throw xVector();
  return z;
}

// The operators of a fixed-size vector with results of its own type Self.
template <class T, std::uint32_t N, class Self>
class FixedVector : public Vector<T> {
 public:
  FixedVector() : Vector<T>(N) {}
  // The other's count: starts with N elements, then the sequence assignment
  // reallocates when the counts differ.
  FixedVector(const FixedVector& other) : Vector<T>(N) { Seq<T>::operator=(other); }
  FixedVector(const Vector<T>& other) : Vector<T>(N) { Seq<T>::operator=(other); }

  FixedVector& operator=(const FixedVector& y) {
    Vector<T>::operator=(y);
    return *this;
  }
  Self& operator=(const Vector<T>& y) {
    Vector<T>::operator=(y);
    return static_cast<Self&>(*this);
  }

  Self operator+(const Vector<T>& y) const {
    Self z;
    if (!this->Add(z, y)) throw xVector();
    return z;
  }
  Self operator-(const Vector<T>& y) const {
    Self z;
    if (!this->Subtract(z, y)) throw xVector();
    return z;
  }
  Self operator-() const {
    Self z;
    if (!this->Negate(z)) throw xVector();
    return z;
  }
  using Vector<T>::operator*;  // the dot product
  Self operator*(T s) const {
    Self z;
    if (!this->Scale(z, s)) throw xVector();
    return z;
  }
};

}  // namespace zavo

template <class T>
class Vector2 : public zavo::FixedVector<T, 2, Vector2<T>> {
  using Base = zavo::FixedVector<T, 2, Vector2<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Vector2() = default;
};

template <class T>
class Vector3 : public zavo::FixedVector<T, 3, Vector3<T>> {
  using Base = zavo::FixedVector<T, 3, Vector3<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Vector3() = default;

  // z = x × y; 0 unless all three have three elements.
  int Cross(Vector3& z, const Vector3& y) const {
    if (this->count != 3 || y.count != 3 || z.count != 3) return 0;
    const T* x = this->data;
    const T* w = y.data;
    const T c0 = x[1] * w[2] - x[2] * w[1];
    const T c1 = x[2] * w[0] - x[0] * w[2];
    const T c2 = x[0] * w[1] - x[1] * w[0];
    z.data[0] = c0;
    z.data[1] = c1;
    z.data[2] = c2;
    return 1;
  }

  using Base::operator*;
  // The cross product.
  Vector3 operator*(const Vector3& y) const {
    Vector3 z;
    if (!Cross(z, y)) throw xVector();
    return z;
  }
};

template <class T>
class Vector4 : public zavo::FixedVector<T, 4, Vector4<T>> {
  using Base = zavo::FixedVector<T, 4, Vector4<T>>;

 public:
  using Base::Base;
  using Base::operator=;
  Vector4() = default;
};
