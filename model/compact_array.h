#pragma once
// A growable array with CArray's interface that costs one pointer while it is empty.
// A chain carries a dozen lists that only the radius correction fills; a drawing of a
// hundred thousand chains would otherwise hold millions of bytes of empty list headers. The
// storage is created by the first access that may write; reading an empty one reads a shared
// empty array and allocates nothing.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "model/point_array.h"

template <typename T>
class CCompactArray {
public:
    CCompactArray() = default;
    CCompactArray(const CCompactArray& o) : m_array(o.IsEmpty() ? nullptr : std::make_unique<CArray<T>>(*o.m_array)) {}
    CCompactArray(CCompactArray&&) noexcept = default;
    CCompactArray& operator=(const CCompactArray& o) {
        if (this != &o) *this = o.Get();
        return *this;
    }
    CCompactArray& operator=(CCompactArray&&) noexcept = default;
    CCompactArray& operator=(const CArray<T>& a) {
        if (a.IsEmpty()) m_array.reset();
        else Make() = a;
        return *this;
    }
    CCompactArray& operator=(CArray<T>&& a) {
        if (a.IsEmpty()) m_array.reset();
        else Make() = std::move(a);
        return *this;
    }

    int Size() const { return Get().Size(); }
    bool IsEmpty() const { return !m_array || m_array->IsEmpty(); }

    int AddPoint(const T& p) { return Make().AddPoint(p); }
    int Add(const T& p) { return Make().Add(p); }
    void InsertPoint(int i, const T& p, int c = 1) { Make().InsertPoint(i, p, c); }
    int RemovePoints(int i, int c = 1) { return Make().RemovePoints(i, c); }
    void SetPointCount(int n) {
        if (n == 0) m_array.reset();
        else Make().SetPointCount(n);
    }
    T& SetPointAtGrow(int i, const T& p) { return Make().SetPointAtGrow(i, p); }

    T& operator[](int i) { return Make()[i]; }
    const T& operator[](int i) const { return Get()[i]; }
    T& At(int i) { return Make().At(i); }
    const T& At(int i) const { return Get().At(i); }
    T& Front() { return Make().Front(); }
    const T& Front() const { return Get().Front(); }
    T& Back() { return Make().Back(); }
    const T& Back() const { return Get().Back(); }

    void RemoveAll() { m_array.reset(); }
    void Reserve(int n) {
        if (n > 0) Make().Reserve(n);
    }

    std::vector<T>& Raw() { return Make().Raw(); }
    const std::vector<T>& Raw() const { return Get().Raw(); }
    T* Data() { return Make().Data(); }
    const T* Data() const { return Get().Data(); }
    auto begin() { return Make().begin(); }
    auto end() { return Make().end(); }
    auto begin() const { return Get().begin(); }
    auto end() const { return Get().end(); }

    // Where a function takes the plain array.
    operator CArray<T>&() { return Make(); }
    operator const CArray<T>&() const { return Get(); }

    friend bool operator==(const CCompactArray& a, const CCompactArray& b) { return a.Get() == b.Get(); }
    friend bool operator==(const CCompactArray& a, const CArray<T>& b) { return a.Get() == b; }

private:
    const CArray<T>& Get() const {
        static const CArray<T> empty;
        return m_array ? *m_array : empty;
    }
    CArray<T>& Make() {
        if (!m_array) m_array = std::make_unique<CArray<T>>();
        return *m_array;
    }

    std::unique_ptr<CArray<T>> m_array;
};

using CCompactPointArray = CCompactArray<CPunkt>;
using CCompactIntArray = CCompactArray<std::int32_t>;
using CCompactIntPointArray = CCompactArray<std::pair<std::int32_t, std::int32_t>>;

// A std::vector of move-only values (the owning pointers of a chain's paths) together with a
// companion block of rarely used data, both behind one pointer: a chain that never saw a
// correction spends eight bytes on all of it. The interface is the part of std::vector's that
// the model uses; its iterators are plain pointers. Reading, also an absent companion (a
// shared default one), allocates nothing; writing either makes the storage.
template <typename T, typename Companion>
class CCompactVector {
public:
    std::size_t size() const { return m_store ? m_store->items.size() : 0; }
    bool empty() const { return !m_store || m_store->items.empty(); }

    T& operator[](std::size_t i) { return m_store->items[i]; }
    const T& operator[](std::size_t i) const { return m_store->items[i]; }
    T& at(std::size_t i) { return const_cast<T&>(Items().at(i)); }
    const T& at(std::size_t i) const { return Items().at(i); }
    T& front() { return m_store->items.front(); }
    const T& front() const { return m_store->items.front(); }
    T& back() { return m_store->items.back(); }
    const T& back() const { return m_store->items.back(); }

    T* data() { return m_store ? m_store->items.data() : nullptr; }
    const T* data() const { return m_store ? m_store->items.data() : nullptr; }
    T* begin() { return data(); }
    T* end() { return data() + size(); }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size(); }

    void push_back(T&& item) { Make().items.push_back(std::move(item)); }
    // Inserts before pos, an iterator of this vector; returns the new item's place.
    T* insert(const T* pos, T&& item) {
        const std::ptrdiff_t at = pos - data();
        std::vector<T>& items = Make().items;
        return &*items.insert(items.begin() + at, std::move(item));
    }
    // Empties the vector and frees its items; the companion stays.
    void clear() {
        if (m_store) std::vector<T>().swap(m_store->items);
    }

    bool HasStorage() const { return m_store != nullptr; }
    Companion& MakeCompanion() { return Make().companion; }
    const Companion& ReadCompanion() const {
        static const Companion none{};
        return m_store ? m_store->companion : none;
    }

private:
    struct Store {
        std::vector<T> items;
        Companion companion{};
    };
    const std::vector<T>& Items() const {
        static const std::vector<T> none;
        return m_store ? m_store->items : none;
    }
    Store& Make() {
        if (!m_store) m_store = std::make_unique<Store>();
        return *m_store;
    }

    std::unique_ptr<Store> m_store;
};
