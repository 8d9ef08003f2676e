#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

namespace pw {

// Change stamps of a grid's columns and of its validity marks, for caches of
// what is drawn from the faces: a cache remembers the stamps it derived from
// and redoes only what carries a new one. The stamps one object hands out only
// grow, also when another grid's stamps are assigned to it, so a cache that
// watches one grid never takes a new card's column for one it has seen.
class ChangeStamps {
public:
    ChangeStamps() = default;
    ChangeStamps(const ChangeStamps&) = default;
    ChangeStamps& operator=(const ChangeStamps& other) {
        if (this == &other) return *this;
        clock_ = std::max(clock_, other.clock_);
        Reset(static_cast<int>(other.columns_.size()));
        return *this;
    }

    // Every one of `columns` columns, and the marks, get a fresh stamp.
    void Reset(int columns) {
        columns_.assign(static_cast<std::size_t>(std::max(columns, 0)), 0);
        for (std::uint64_t& s : columns_) s = ++clock_;
        marks_ = ++clock_;
    }
    void StampColumn(int x) { columns_[static_cast<std::size_t>(x)] = ++clock_; }
    void StampMarks() { marks_ = ++clock_; }

    std::uint64_t Column(int x) const { return columns_[static_cast<std::size_t>(x)]; }
    std::uint64_t Marks() const { return marks_; }

private:
    std::vector<std::uint64_t> columns_;
    std::uint64_t marks_ = 0;
    std::uint64_t clock_ = 0;
};

}  // namespace pw
