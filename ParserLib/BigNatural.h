// A natural number of fixed capacity for the exact conversions between binary
// reals and decimal text. The limbs live inline (on the caller's stack), so a
// conversion never touches the heap; only the limbs in use are ever written.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace talvex {

template <std::size_t Capacity>
class TBigNatural {
 public:
  TBigNatural() = default;
  explicit TBigNatural(uint64_t V) { Assign(V); }
  // Kilobytes of limbs: copies are never needed and would copy unused limbs.
  TBigNatural(const TBigNatural&) = delete;
  TBigNatural& operator=(const TBigNatural&) = delete;

  void Assign(uint64_t V) {
    Size = 0;
    if (V != 0) Limbs[Size++] = static_cast<uint32_t>(V);
    if ((V >> 32) != 0) Limbs[Size++] = static_cast<uint32_t>(V >> 32);
  }

  bool IsZero() const { return Size == 0; }
  bool FitsUint64() const { return Size <= 2; }
  // The lowest 64 bits.
  uint64_t Low64() const {
    uint64_t V = Size > 0 ? Limbs[0] : 0;
    if (Size > 1) V |= static_cast<uint64_t>(Limbs[1]) << 32;
    return V;
  }
  std::size_t BitLength() const {
    if (Size == 0) return 0;
    return 32 * (Size - 1) + (32 - static_cast<std::size_t>(std::countl_zero(Limbs[Size - 1])));
  }

  void MulSmall(uint32_t F) {
    uint64_t Carry = 0;
    for (std::size_t I = 0; I < Size; ++I) {
      const uint64_t P = static_cast<uint64_t>(Limbs[I]) * F + Carry;
      Limbs[I] = static_cast<uint32_t>(P);
      Carry = P >> 32;
    }
    if (Carry != 0) Push(static_cast<uint32_t>(Carry));
    if (F == 0) Size = 0;
  }

  void AddSmall(uint32_t A) {
    uint64_t Carry = A;
    for (std::size_t I = 0; I < Size && Carry != 0; ++I) {
      const uint64_t S = static_cast<uint64_t>(Limbs[I]) + Carry;
      Limbs[I] = static_cast<uint32_t>(S);
      Carry = S >> 32;
    }
    if (Carry != 0) Push(static_cast<uint32_t>(Carry));
  }

  // Divides in place by D (not 0) and returns the remainder.
  uint32_t DivSmall(uint32_t D) {
    uint64_t Rem = 0;
    for (std::size_t I = Size; I-- > 0;) {
      const uint64_t Cur = (Rem << 32) | Limbs[I];
      Limbs[I] = static_cast<uint32_t>(Cur / D);
      Rem = Cur % D;
    }
    Trim();
    return static_cast<uint32_t>(Rem);
  }

  void MulPow5(uint64_t K) {
    static constexpr uint32_t Pow5[14] = {1,       5,        25,        125,       625,
                                          3125,    15625,    78125,     390625,    1953125,
                                          9765625, 48828125, 244140625, 1220703125};
    for (; K >= 13; K -= 13) MulSmall(Pow5[13]);
    if (K > 0) MulSmall(Pow5[K]);
  }

  void ShiftLeft(uint64_t Bits) {
    if (Size == 0 || Bits == 0) return;
    if (Bits / 32 >= Capacity) CapacityExceeded();
    const std::size_t Whole = static_cast<std::size_t>(Bits / 32);
    const unsigned Part = static_cast<unsigned>(Bits % 32);
    const std::size_t NewSize = Size + Whole + (Part != 0 ? 1 : 0);
    if (NewSize > Capacity) CapacityExceeded();
    if (Part == 0) {
      for (std::size_t I = Size; I-- > 0;) Limbs[I + Whole] = Limbs[I];
    } else {
      Limbs[Size + Whole] = Limbs[Size - 1] >> (32 - Part);
      for (std::size_t I = Size - 1; I > 0; --I)
        Limbs[I + Whole] = (Limbs[I] << Part) | (Limbs[I - 1] >> (32 - Part));
      Limbs[Whole] = Limbs[0] << Part;
    }
    for (std::size_t I = 0; I < Whole; ++I) Limbs[I] = 0;
    Size = NewSize;
    Trim();
  }

  // Floor division by 2^Bits; true when a non-zero bit was shifted out.
  bool ShiftRight(uint64_t Bits) {
    if (Size == 0 || Bits == 0) return false;
    if (Bits >= 32 * static_cast<uint64_t>(Size)) {
      Size = 0;
      return true;
    }
    const std::size_t Whole = static_cast<std::size_t>(Bits / 32);
    const unsigned Part = static_cast<unsigned>(Bits % 32);
    bool Lost = false;
    for (std::size_t I = 0; I < Whole; ++I) Lost |= Limbs[I] != 0;
    if (Part != 0) Lost |= (Limbs[Whole] & ((uint32_t{1} << Part) - 1)) != 0;
    const std::size_t NewSize = Size - Whole;
    for (std::size_t I = 0; I < NewSize; ++I) {
      uint32_t V = Limbs[I + Whole];
      if (Part != 0) {
        V >>= Part;
        if (I + Whole + 1 < Size) V |= Limbs[I + Whole + 1] << (32 - Part);
      }
      Limbs[I] = V;
    }
    Size = NewSize;
    Trim();
    return Lost;
  }

  // *this -= B; requires *this >= B.
  void Subtract(const TBigNatural& B) {
    int64_t Borrow = 0;
    for (std::size_t I = 0; I < Size; ++I) {
      int64_t D = static_cast<int64_t>(Limbs[I]) - Borrow - (I < B.Size ? static_cast<int64_t>(B.Limbs[I]) : 0);
      Borrow = D < 0 ? 1 : 0;
      Limbs[I] = static_cast<uint32_t>(D + (Borrow << 32));
    }
    Trim();
  }

  friend int Compare(const TBigNatural& A, const TBigNatural& B) {
    if (A.Size != B.Size) return A.Size < B.Size ? -1 : 1;
    for (std::size_t I = A.Size; I-- > 0;)
      if (A.Limbs[I] != B.Limbs[I]) return A.Limbs[I] < B.Limbs[I] ? -1 : 1;
    return 0;
  }

  // Compares with a 64-bit number.
  int CompareUint64(uint64_t V) const {
    if (!FitsUint64()) return 1;
    const uint64_t L = Low64();
    return L < V ? -1 : (L > V ? 1 : 0);
  }

 private:
  void Push(uint32_t Limb) {
    if (Size == Capacity) CapacityExceeded();
    Limbs[Size++] = Limb;
  }
  void Trim() {
    while (Size > 0 && Limbs[Size - 1] == 0) --Size;
  }
  // The callers size Capacity from proven bounds of their values; reaching it
  // is a program error, reported instead of writing past the array.
  [[noreturn]] static void CapacityExceeded() { throw std::length_error("TBigNatural capacity exceeded"); }

  uint32_t Limbs[Capacity];
  std::size_t Size = 0;
};

// Floor(N / D) for a quotient known to be below 2^QuotientBits (at most 128);
// N is left holding the remainder and D is used up. Bit by bit: the quotients here are short and
// the operands long, so this is as fast as a limb-wise division would be.
template <std::size_t Capacity>
void DivideShortQuotient(TBigNatural<Capacity>& N, TBigNatural<Capacity>& D, unsigned QuotientBits, uint64_t& High,
                         uint64_t& Low) {
  High = 0;
  Low = 0;
  D.ShiftLeft(QuotientBits - 1);
  for (unsigned I = QuotientBits; I-- > 0;) {
    if (Compare(N, D) >= 0) {
      N.Subtract(D);
      if (I >= 64)
        High |= uint64_t{1} << (I - 64);
      else
        Low |= uint64_t{1} << I;
    }
    D.ShiftRight(1);
  }
}

}  // namespace talvex
