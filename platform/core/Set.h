#pragma once
#include <cstdint>
#include <initializer_list>

// A small set of enumeration values (up to 64), for state and option flags
// such as TComponentState or TReplaceFlags.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items)
            FBits |= Bit(e);
    }

    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr void Include(E e) { FBits |= Bit(e); }
    constexpr void Exclude(E e) { FBits &= ~Bit(e); }

    constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
    constexpr bool operator==(const TSet&) const = default;

    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

private:
    static constexpr uint64_t Bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }
    uint64_t FBits = 0;
};
