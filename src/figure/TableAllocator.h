// Memory for the store's big tables. A big figure's tables are megabytes of
// fresh memory, and the first write to each page costs far more than the
// writing itself (measured on a 2-core VM: 9 MB first written in 27 ms, in
// 2 ms on huge pages). A table of that size gets a mapping of its own,
// aligned for huge pages where the system offers them; small tables stay on
// the ordinary heap.
#pragma once

#include <cstddef>
#include <limits>
#include <memory>
#include <vector>

namespace plandra {

// Whether a table of this many bytes gets a mapping of its own.
bool UsesTableMapping(size_t bytes);
// Never null: throws std::bad_alloc as the heap would. Only where
// UsesTableMapping says so.
void* MapTable(size_t bytes);
void UnmapTable(void* memory, size_t bytes);

template <class T>
struct TableAllocator {
  using value_type = T;

  TableAllocator() noexcept = default;
  template <class U>
  explicit TableAllocator(const TableAllocator<U>&) noexcept {}

  T* allocate(size_t count) {
    if (Mapped(count)) return static_cast<T*>(MapTable(count * sizeof(T)));
    return std::allocator<T>{}.allocate(count);  // which refuses a count too large
  }
  void deallocate(T* memory, size_t count) noexcept {
    if (Mapped(count)) {
      UnmapTable(memory, count * sizeof(T));
    } else {
      std::allocator<T>{}.deallocate(memory, count);
    }
  }
  friend bool operator==(const TableAllocator&, const TableAllocator&) noexcept { return true; }

 private:
  static bool Mapped(size_t count) {
    return count <= std::numeric_limits<size_t>::max() / sizeof(T) &&
           UsesTableMapping(count * sizeof(T));
  }
};

// A table of the store: one-based, row 0 unused.
template <class T>
using Table = std::vector<T, TableAllocator<T>>;

}  // namespace plandra
