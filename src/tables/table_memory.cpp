#include "tables/table_memory.h"

#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tesselo::solver {

namespace {

// The size of a large page on the processors the game runs on; smaller
// tables are left to the ordinary allocator.
constexpr std::size_t kLargePage = std::size_t(2) << 20;

std::size_t Rounded(std::size_t bytes)
{
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* TableMemory::Allocate(std::size_t bytes)
{
    if (bytes < kLargePage) {
        if (void* memory = std::malloc(bytes == 0 ? 1 : bytes))
            return memory;
        throw std::bad_alloc();
    }
    void* memory = std::aligned_alloc(kLargePage, Rounded(bytes));
    if (!memory)
        throw std::bad_alloc();
#ifdef __linux__
    // Only advice: without it the table works the same, more slowly.
    madvise(memory, Rounded(bytes), MADV_HUGEPAGE);
#endif
    return memory;
}

void TableMemory::Release(void* memory, std::size_t)
{
    std::free(memory);
}

} // namespace tesselo::solver
