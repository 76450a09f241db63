#include "lib/ImageBitness.h"

namespace talvex {

namespace {

constexpr std::size_t PeOffsetField = 0x3C;  // e_lfanew of the MS-DOS header
constexpr std::uint16_t MachineI386 = 0x014C;
constexpr std::uint16_t MachineAmd64 = 0x8664;

std::uint32_t LittleEndian(std::string_view Bytes, std::size_t At, std::size_t Count) {
  std::uint32_t Value = 0;
  for (std::size_t I = Count; I-- > 0;) Value = Value << 8 | static_cast<unsigned char>(Bytes[At + I]);
  return Value;
}

}  // namespace

std::optional<int> ImageBitness(std::string_view Head) {
  if (Head.size() < PeOffsetField + 4 || Head.substr(0, 2) != "MZ") return std::nullopt;
  const std::uint32_t Pe = LittleEndian(Head, PeOffsetField, 4);
  // The signature and the machine field must lie wholly inside what was read.
  if (Pe > Head.size() || Head.size() - Pe < 6 || Head.substr(Pe, 4) != std::string_view("PE\0\0", 4))
    return std::nullopt;
  switch (LittleEndian(Head, Pe + 4, 2)) {
    case MachineI386:
      return 32;
    case MachineAmd64:
      return 64;
    default:
      return std::nullopt;
  }
}

}  // namespace talvex
