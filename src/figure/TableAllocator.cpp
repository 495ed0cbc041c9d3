#include "figure/TableAllocator.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// gcc names the address sanitizer with a macro, clang as a feature.
#if defined(__SANITIZE_ADDRESS__)
#define PLANDRA_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLANDRA_ADDRESS_SANITIZER 1
#endif
#endif

namespace plandra {

#if defined(__linux__)
namespace {

constexpr size_t kHugePage = size_t{2} << 20;
// Below this a table's pages are few and the heap serves it well.
constexpr size_t kMappedTableBytes = size_t{1} << 18;

size_t WholeHugePages(size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

bool UsesTableMapping(size_t bytes) {
#if defined(PLANDRA_ADDRESS_SANITIZER)
  // The sanitizer checks only the heap's blocks: under it every table stays there.
  (void)bytes;
  (void)kMappedTableBytes;
  return false;
#else
  return bytes >= kMappedTableBytes;
#endif
}

void* MapTable(size_t bytes) {
  const size_t length = WholeHugePages(bytes);
  // A huge page more than needed, so that an aligned start lies inside.
  void* mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto base = reinterpret_cast<uintptr_t>(mapped);
  const uintptr_t start = (base + kHugePage - 1) / kHugePage * kHugePage;
  if (start > base) ::munmap(mapped, start - base);
  const size_t tail = kHugePage - (start - base);
  if (tail > 0) ::munmap(reinterpret_cast<void*>(start + length), tail);
  // Refused where the system has no huge pages: ordinary pages then serve.
  ::madvise(reinterpret_cast<void*>(start), length, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(start);
}

void UnmapTable(void* memory, size_t bytes) { ::munmap(memory, WholeHugePages(bytes)); }

#else

bool UsesTableMapping(size_t) { return false; }
// Not reached: UsesTableMapping refuses every size here.
void* MapTable(size_t bytes) { return std::allocator<std::byte>{}.allocate(bytes); }
void UnmapTable(void* memory, size_t bytes) {
  std::allocator<std::byte>{}.deallocate(static_cast<std::byte*>(memory), bytes);
}

#endif

}  // namespace plandra
