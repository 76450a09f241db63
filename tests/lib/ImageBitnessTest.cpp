#include <gtest/gtest.h>

#include <string>

#include "lib/ImageBitness.h"

namespace talvex::testing {
namespace {

// An MS-DOS header pointing at a PE signature at PeAt, then the machine field.
std::string Image(std::uint32_t PeAt, std::uint16_t Machine, std::size_t Size = 0x200) {
  std::string Bytes(Size, '\0');
  Bytes[0] = 'M';
  Bytes[1] = 'Z';
  for (int I = 0; I < 4; ++I) Bytes[0x3C + I] = static_cast<char>(PeAt >> (8 * I));
  const std::string Tail = std::string("PE\0\0", 4) + static_cast<char>(Machine & 0xFF) + static_cast<char>(Machine >> 8);
  for (std::size_t I = 0; I < Tail.size() && PeAt + I < Bytes.size(); ++I) Bytes[PeAt + I] = Tail[I];
  return Bytes;
}

TEST(ImageBitness, TheMachineFieldTellsTheBitness) {
  struct TRow {
    std::string Head;
    std::optional<int> Bits;
    const char* What;
  };
  std::string NoMz = Image(0x80, 0x8664);
  NoMz[0] = 'X';
  const TRow Rows[] = {
      {Image(0x80, 0x014C), 32, "x86"},
      {Image(0xF8, 0x8664), 64, "x64"},
      {Image(0x80, 0xAA64), std::nullopt, "ARM64 is neither"},
      {NoMz, std::nullopt, "no MS-DOS header"},
      {Image(0x80, 0x8664, 0x85), std::nullopt, "cut inside the machine field"},
      {Image(0x80, 0x8664, 0x86), 64, "cut right after the machine field"},
      {Image(0xFFFFFFF0u, 0x8664), std::nullopt, "a signature offset beyond the bytes read"},
      {std::string("MZ"), std::nullopt, "cut before the signature offset"},
  };
  for (const TRow& R : Rows) EXPECT_EQ(ImageBitness(R.Head), R.Bits) << R.What;
}

}  // namespace
}  // namespace talvex::testing
