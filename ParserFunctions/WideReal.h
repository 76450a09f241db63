// Reals carried as an unevaluated sum Hi + Lo of two 80-bit reals (about 128
// significant bits), for the few results whose plain 80-bit evaluation would
// cancel or accumulate away their last digits. Only exactly rounded + - * are
// used, so both targets compute the same bits.
#pragma once

namespace talvex {

struct TWideReal {
  long double Hi = 0;
  long double Lo = 0;  // |Lo| <= half an ulp of Hi once normalised
};

// A + B exactly.
inline TWideReal TwoSum(long double A, long double B) {
  const long double S = A + B;
  const long double BPart = S - A;
  const long double APart = S - BPart;
  return {S, (A - APart) + (B - BPart)};
}

// A + B exactly, for |A| >= |B| (or A = 0).
inline TWideReal FastTwoSum(long double A, long double B) {
  const long double S = A + B;
  return {S, B - (S - A)};
}

// A as the sum of two halves of at most 32 significant bits each (Veltkamp);
// |A| must stay below about 1E4922 so that A * (2^32 + 1) does not overflow.
inline TWideReal Split(long double A) {
  const long double Gamma = A * 4294967297.0L;
  const long double High = Gamma - (Gamma - A);
  return {High, A - High};
}

// A * B exactly (Dekker), barring underflow.
inline TWideReal TwoProduct(long double A, long double B) {
  const long double P = A * B;
  const TWideReal As = Split(A), Bs = Split(B);
  const long double E = ((As.Hi * Bs.Hi - P) + As.Hi * Bs.Lo + As.Lo * Bs.Hi) + As.Lo * Bs.Lo;
  return {P, E};
}

inline TWideReal operator+(TWideReal X, TWideReal Y) {
  const TWideReal S = TwoSum(X.Hi, Y.Hi);
  const TWideReal T = TwoSum(X.Lo, Y.Lo);
  TWideReal R = FastTwoSum(S.Hi, S.Lo + T.Hi);
  return FastTwoSum(R.Hi, R.Lo + T.Lo);
}

inline TWideReal operator-(TWideReal X) { return {-X.Hi, -X.Lo}; }
inline TWideReal operator-(TWideReal X, TWideReal Y) { return X + (-Y); }

inline TWideReal operator*(TWideReal X, TWideReal Y) {
  const TWideReal P = TwoProduct(X.Hi, Y.Hi);
  return FastTwoSum(P.Hi, P.Lo + (X.Hi * Y.Lo + X.Lo * Y.Hi));
}

inline TWideReal operator/(TWideReal X, TWideReal Y) {
  const long double Q1 = X.Hi / Y.Hi;
  const TWideReal R = X - TWideReal{Q1, 0} * Y;
  const long double Q2 = R.Hi / Y.Hi;
  return FastTwoSum(Q1, Q2);
}

// The nearest 80-bit real.
inline long double Rounded(TWideReal X) { return X.Hi + X.Lo; }

}  // namespace talvex
