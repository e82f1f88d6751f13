#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace tesselo::solver {

// Memory for the entries of a large table. A search reads entries all
// over tens of megabytes, and with the system's usual small pages nearly
// every reading also misses the processor's table of pages; asked for in
// large pages (where the system gives them: Linux's transparent huge
// pages), a few dozen pages cover the whole table.
class TableMemory {
public:
    static void* Allocate(std::size_t bytes);
    static void Release(void* memory, std::size_t bytes);
};

// The same as an allocator, for a vector of entries.
template <class T>
struct TableAllocator {
    using value_type = T;
    TableAllocator() = default;
    template <class U>
    TableAllocator(const TableAllocator<U>&)
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(TableMemory::Allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { TableMemory::Release(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const TableAllocator<U>&) const
    {
        return true;
    }
};

} // namespace tesselo::solver
