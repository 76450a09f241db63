#pragma once

#include <cstddef>
#include <string>

namespace talvex::testing {

// Head followed by Count copies of C.
inline std::string Repeated(const char* Head, std::size_t Count, char C) {
  std::string Text(Head);
  Text.append(Count, C);
  return Text;
}

}  // namespace talvex::testing
