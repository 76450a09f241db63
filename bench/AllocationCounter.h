// Heap allocations counted through a replaced global operator new: every
// allocation of the benchmark process, the engine's and the peers' alike.
#pragma once

#include <cstdint>

namespace talvex::bench {

// Allocations through operator new (all its forms) since the program started.
std::uint64_t AllocationCount();

}  // namespace talvex::bench
