// Which processor a Windows program or library file is built for, read from
// its headers: a process loads a library of its own bitness only, and a user
// who copied the wrong Vantrel.dll is told which one it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace talvex {

// The first bytes of a file that holds its MS-DOS and PE headers.
inline constexpr std::size_t ImageHeadBytes = 4096;

// 32 for an x86 image, 64 for an x64 one; nothing for any other processor
// and for bytes that are no image or are cut before the machine field.
std::optional<int> ImageBitness(std::string_view Head);

}  // namespace talvex
