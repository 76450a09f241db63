// Sine and cosine of radian values, accurate to about an ulp below 2^63 in
// magnitude, and 0 from there on. The processor's own instructions reduce with a
// 66-bit pi and lose digits far from 0, so the reduction is done here.
#pragma once

namespace talvex {

long double SineOfRadians(long double X);
long double CosineOfRadians(long double X);

}  // namespace talvex
