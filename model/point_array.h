#pragma once
// Growable, contiguous arrays of plain values with the bounds rule of the drawing model:
// an index outside the array is a program error, reported by std::invalid_argument, and
// nothing is changed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <vector>

#include "model/punkt.h"

template <typename T>
class CArray {
public:
    CArray() = default;
    CArray(std::initializer_list<T> init) : m_data(init) {}
    explicit CArray(std::vector<T> v) : m_data(std::move(v)) {}

    int Size() const { return static_cast<int>(m_data.size()); }
    bool IsEmpty() const { return m_data.empty(); }

    // Appends a copy and returns its index (the old size).
    int AddPoint(const T& p) {
        m_data.push_back(p);
        return static_cast<int>(m_data.size()) - 1;
    }
    int Add(const T& p) { return AddPoint(p); }

    // Inserts c copies before index i; an index at or past the end appends.
    void InsertPoint(int i, const T& p, int c = 1) {
        if (i < 0 || c <= 0) throw std::invalid_argument("CArray::InsertPoint: bad index or count");
        const std::size_t at = std::min<std::size_t>(static_cast<std::size_t>(i), m_data.size());
        m_data.insert(m_data.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::size_t>(c), p);
    }

    // Removes points i .. i+c-1 with one block move of the tail; returns the new size.
    int RemovePoints(int i, int c = 1) {
        if (i < 0 || c < 0 || static_cast<std::size_t>(i) + static_cast<std::size_t>(c) > m_data.size())
            throw std::invalid_argument("CArray::RemovePoints: range outside the array");
        m_data.erase(m_data.begin() + i, m_data.begin() + i + c);
        return Size();
    }

    // Grows with default values (0, 0) or shrinks; 0 frees the storage.
    void SetPointCount(int n) {
        if (n < 0) throw std::invalid_argument("CArray::SetPointCount: negative size");
        if (n == 0) {
            std::vector<T>().swap(m_data);
            return;
        }
        m_data.resize(static_cast<std::size_t>(n));
    }

    T& SetPointAtGrow(int i, const T& p) {
        if (i < 0) throw std::invalid_argument("CArray::SetPointAtGrow: negative index");
        if (static_cast<std::size_t>(i) >= m_data.size()) m_data.resize(static_cast<std::size_t>(i) + 1);
        m_data[static_cast<std::size_t>(i)] = p;
        return m_data[static_cast<std::size_t>(i)];
    }

    T& operator[](int i) { return m_data[Check(i)]; }
    const T& operator[](int i) const { return m_data[Check(i)]; }
    T& At(int i) { return m_data[Check(i)]; }
    const T& At(int i) const { return m_data[Check(i)]; }

    T& Front() { return (*this)[0]; }
    const T& Front() const { return (*this)[0]; }
    T& Back() { return (*this)[Size() - 1]; }
    const T& Back() const { return (*this)[Size() - 1]; }

    void RemoveAll() { std::vector<T>().swap(m_data); }
    void Reserve(int n) { if (n > 0) m_data.reserve(static_cast<std::size_t>(n)); }

    // Bulk access for the linear algorithms; the bounds rule applies to the indexed API only.
    std::vector<T>& Raw() { return m_data; }
    const std::vector<T>& Raw() const { return m_data; }
    T* Data() { return m_data.data(); }
    const T* Data() const { return m_data.data(); }
    auto begin() { return m_data.begin(); }
    auto end() { return m_data.end(); }
    auto begin() const { return m_data.begin(); }
    auto end() const { return m_data.end(); }

    friend bool operator==(const CArray&, const CArray&) = default;

private:
    std::size_t Check(int i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= m_data.size())
            throw std::invalid_argument("CArray: index outside the array");
        return static_cast<std::size_t>(i);
    }

    std::vector<T> m_data;
};

using CPointArray = CArray<CPunkt>;
using CIntArray = CArray<std::int32_t>;
using CIntPointArray = CArray<std::pair<std::int32_t, std::int32_t>>;
using CDoubleArray = CArray<double>;
