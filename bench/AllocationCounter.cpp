#include "bench/AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

// The benchmark runs on one thread; a plain counter is enough and costs nothing.
std::uint64_t Allocations = 0;

void* Allocate(std::size_t Size) {
  ++Allocations;
  if (Size == 0) Size = 1;
  if (void* P = std::malloc(Size)) return P;
  throw std::bad_alloc();
}

void* AllocateAligned(std::size_t Size, std::align_val_t Alignment) {
  ++Allocations;
  const auto Align = static_cast<std::size_t>(Alignment);
  // aligned_alloc wants a size that is a multiple of the alignment.
  const std::size_t Rounded = (Size + Align - 1) / Align * Align;
  if (void* P = std::aligned_alloc(Align, Rounded == 0 ? Align : Rounded)) return P;
  throw std::bad_alloc();
}

}  // namespace

namespace talvex::bench {

std::uint64_t AllocationCount() { return Allocations; }

}  // namespace talvex::bench

void* operator new(std::size_t Size) { return Allocate(Size); }
void* operator new[](std::size_t Size) { return Allocate(Size); }
void* operator new(std::size_t Size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(Size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t Size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(Size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new(std::size_t Size, std::align_val_t Alignment) { return AllocateAligned(Size, Alignment); }
void* operator new[](std::size_t Size, std::align_val_t Alignment) { return AllocateAligned(Size, Alignment); }

void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, std::size_t) noexcept { std::free(P); }
void operator delete[](void* P, std::size_t) noexcept { std::free(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { std::free(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { std::free(P); }
void operator delete(void* P, std::align_val_t) noexcept { std::free(P); }
void operator delete[](void* P, std::align_val_t) noexcept { std::free(P); }
void operator delete(void* P, std::size_t, std::align_val_t) noexcept { std::free(P); }
void operator delete[](void* P, std::size_t, std::align_val_t) noexcept { std::free(P); }
