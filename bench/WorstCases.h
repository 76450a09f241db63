// Selections of at most 250 characters (the most the calculator accepts) that
// push one part of the engine to its limit.
#pragma once

#include <string>
#include <vector>

namespace talvex::bench {

struct TWorstCase {
  std::string Name;
  std::string Text;
  std::string Setup;  // evaluated once before timing, when not empty
  bool HasStrings = false;
};

std::vector<TWorstCase> WorstCases();

}  // namespace talvex::bench
