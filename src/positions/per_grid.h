#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace tesselo::solver {

// One T for each grid size, made as T(rows, columns) on first use and kept
// for the whole run; safe to call from any thread.
template <class T>
const T& PerGrid(int rows, int columns)
{
    static std::mutex mutex;
    static std::map<std::pair<int, int>, std::unique_ptr<const T>> made;
    const std::lock_guard lock(mutex);
    auto& one = made[{rows, columns}];
    if (!one)
        one = std::make_unique<const T>(rows, columns);
    return *one;
}

} // namespace tesselo::solver
