#pragma once
// A table from 32-bit integer keys to unsigned values in one flat array (open addressing with
// linear probing). A plotter file may select a million pen numbers; a node-based map spends
// about forty bytes of heap on each, this table sixteen to thirty-two with its slack. A slot
// keeps the value plus one, zero marking it free: the largest value of V cannot be kept.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

template <typename V>
    requires std::is_unsigned_v<V>
class CIntTable {
public:
    // The value of key, if it is there.
    std::optional<V> Find(std::int32_t key) const {
        if (m_slots.empty()) return std::nullopt;
        for (std::size_t s = Home(key);; s = (s + 1) & Mask()) {
            const Slot& slot = m_slots[s];
            if (slot.mark == 0) return std::nullopt;
            if (slot.key == key) return static_cast<V>(slot.mark - 1);
        }
    }
    // Enters key with value unless the key is there already; true when it was entered.
    bool Add(std::int32_t key, V value) { return Enter(key, value, false); }
    // Enters key with value, replacing an older value.
    void Set(std::int32_t key, V value) { Enter(key, value, true); }
    void Clear() {
        std::vector<Slot>().swap(m_slots);
        m_size = 0;
    }
    std::size_t Size() const { return m_size; }

private:
    struct Slot {
        std::int32_t key = 0;
        V mark = 0;  // the value plus one; 0: free
    };

    std::size_t Mask() const { return m_slots.size() - 1; }
    // The key mixed with a seed that differs from run to run: a plot file can choose its pen
    // numbers, and with a fixed hash it could choose a million that crowd one run of slots,
    // which made each insertion walk all of them (a million pens took minutes). No result
    // depends on where a key lands.
    std::size_t Home(std::int32_t key) const {
        std::uint64_t h = static_cast<std::uint32_t>(key) ^ Seed();
        h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
        h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
        h ^= h >> 31;
        return static_cast<std::size_t>(h >> (64 - m_bits));
    }
    static std::uint64_t Seed() {
        static const std::uint64_t seed = [] {
            static const int here = 0;
            const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
            return now * 0x9E3779B97F4A7C15ull ^ reinterpret_cast<std::uintptr_t>(&here);
        }();
        return seed;
    }

    bool Enter(std::int32_t key, V value, bool replace) {
        // At most three quarters full, so that every probe run stays short.
        if ((m_size + 1) * 4 > m_slots.size() * 3) Grow();
        for (std::size_t s = Home(key);; s = (s + 1) & Mask()) {
            Slot& slot = m_slots[s];
            if (slot.mark == 0) {
                slot = Slot{key, static_cast<V>(value + 1)};
                ++m_size;
                return true;
            }
            if (slot.key == key) {
                if (replace) slot.mark = static_cast<V>(value + 1);
                return false;
            }
        }
    }

    void Grow() {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_bits = old.empty() ? 4 : m_bits + 1;
        m_slots.resize(std::size_t{1} << m_bits);
        m_size = 0;
        for (const Slot& slot : old)
            if (slot.mark != 0) Enter(slot.key, static_cast<V>(slot.mark - 1), false);
    }

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
    unsigned m_bits = 0;
};
