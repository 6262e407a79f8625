#pragma once
// Counts every heap allocation of the benchmark program, the library's included, so that a
// benchmark can report allocations per pass beside the time. Include from exactly one
// source file of a program: it replaces the global operator new and delete.
#include <atomic>
#include <cstdlib>
#include <new>

// GCC cannot see that this operator new and operator delete are a pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace vg::bench {
inline std::atomic<long> g_allocations{0};
}  // namespace vg::bench

void* operator new(std::size_t size) {
  vg::bench::g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
