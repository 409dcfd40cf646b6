#pragma once
// The RecordIndex: the number on the instrument's time line of every record
// a document keeps. Numbers mostly run on by one (breaks and reductions are
// rare), so the index is kept as runs of consecutive numbers: a logger of a
// million records without breaks costs one run, not four megabytes. It reads
// like an array of u32.

#include <cstdint>
#include <iterator>
#include <span>
#include <vector>

namespace orlu {

class RecordIndex {
public:
    /// Appends the next record's number.
    void push_back(std::uint32_t number);
    /// Appends `count` records numbered first, first + 1, ...
    void AppendRun(std::uint32_t first, std::uint32_t count);
    void clear();

    std::uint32_t size() const { return m_Count; }
    bool empty() const { return m_Count == 0; }
    /// The number of kept record i (from 0); i must be below size().
    std::uint32_t operator[](std::uint32_t i) const;
    /// The numbers as an array.
    std::vector<std::uint32_t> ToVector() const;
    /// Writes the numbers of the first min(size(), out.size()) records, run by run; returns how many.
    std::size_t CopyTo(std::span<std::uint32_t> out) const;
    std::size_t RunCount() const { return m_Runs.size(); }

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::uint32_t;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::uint32_t;
        Iterator() = default;
        Iterator(const RecordIndex* index, std::uint32_t position, std::size_t run)
            : m_Index(index), m_Position(position), m_Run(run)
        {
        }
        std::uint32_t operator*() const;
        Iterator& operator++();
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const Iterator& other) const { return m_Position == other.m_Position; }

    private:
        const RecordIndex* m_Index = nullptr;
        std::uint32_t m_Position = 0;
        std::size_t m_Run = 0;
    };
    Iterator begin() const { return Iterator(this, 0, 0); }
    Iterator end() const { return Iterator(this, m_Count, m_Runs.size()); }

    friend bool operator==(const RecordIndex& a, const std::vector<std::uint32_t>& b) { return a.ToVector() == b; }
    bool operator==(const RecordIndex& other) const = default;

private:
    struct Run {
        std::uint32_t position; ///< index of the run's first record
        std::uint32_t number;   ///< its number
        bool operator==(const Run&) const = default;
    };
    std::vector<Run> m_Runs;
    std::uint32_t m_Count = 0;
};

} // namespace orlu
