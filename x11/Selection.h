// Reading the highlighted text: the PRIMARY selection asked for as
// UTF8_STRING (else STRING), with a deadline for each answer and the INCR
// protocol for texts that come in pieces. The clipboard is never touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "x11/XSystem.h"

namespace talvex::x11 {

// The owner has this long to answer each request and to send each piece.
inline constexpr int SelectionTimeoutMs = 500;

enum class TSelectionStatus : std::uint8_t {
  ssText,
  ssNoOwner,    // nothing is highlighted anywhere
  ssEmpty,      // the owner's selection holds no text
  ssNotText,    // it offers no text form
  ssTimeout,    // it did not answer in time
  ssOwnerGone,  // its window closed while answering
  ssTooLong,    // longer than MaxBytes; the rest is not read
};

struct TSelectionText {
  TSelectionStatus Status = TSelectionStatus::ssNoOwner;
  std::string Utf8;
};

// Time is the timestamp of the event that asked for the text.
TSelectionText ReadPrimary(IXSystem& Sys, TTime Time, std::size_t MaxBytes);

}  // namespace talvex::x11
