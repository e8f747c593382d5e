#pragma once
// Sets of bike codes, for the many per-bike switches in which several codes
// share one value. Internal to the model.

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace kestrin {

// The listed bikes are 0..60; a code outside 0..63 is in no set.
class CodeSet {
public:
    constexpr CodeSet() = default;
    constexpr CodeSet(std::initializer_list<int> list)
    {
        for (int c : list)
            add(c);
    }
    static constexpr CodeSet range(int from, int to)
    {
        CodeSet s;
        for (int c = from; c <= to; ++c)
            s.add(c);
        return s;
    }
    constexpr bool has(int code) const
    {
        return code >= 0 && code < 64 && ((bits_ >> code) & 1U) != 0;
    }
    constexpr CodeSet operator|(CodeSet other) const
    {
        CodeSet s;
        s.bits_ = bits_ | other.bits_;
        return s;
    }
    constexpr bool intersects(CodeSet other) const { return (bits_ & other.bits_) != 0; }

private:
    constexpr void add(int c)
    {
        if (c >= 0 && c < 64)
            bits_ |= std::uint64_t{1} << c;
    }
    std::uint64_t bits_ = 0;
};

// One entry of a per-bike table: the codes that share it and its values.
template <std::size_t N>
struct CodeEntry {
    CodeSet codes;
    std::array<std::uint16_t, N> values;
};

// The first entry whose codes hold `code`; the last entry of every table is
// the one for all other codes.
template <std::size_t N, std::size_t M>
constexpr const std::array<std::uint16_t, N>& pickEntry(const CodeEntry<N> (&table)[M], int code)
{
    static_assert(M > 0);
    for (std::size_t i = 0; i + 1 < M; ++i)
        if (table[i].codes.has(code))
            return table[i].values;
    return table[M - 1].values;
}

// The same for a table of single values.
struct CodeValue {
    CodeSet codes;
    int value;
};

template <std::size_t M>
constexpr int pickValue(const CodeValue (&table)[M], int code)
{
    static_assert(M > 0);
    for (std::size_t i = 0; i + 1 < M; ++i)
        if (table[i].codes.has(code))
            return table[i].value;
    return table[M - 1].value;
}

}  // namespace kestrin
