#pragma once
// The eight box values that chains, pens, layers and the document keep, in their order:
// y pair, x pair, outer y pair, outer x pair. Pens, layers and the document keep all eight as
// members of these names; a chain keeps the first four and works out the outer ones.

#include <algorithm>

// The empty box, the value of every box that has nothing in it yet: the 32-bit integer limits
// as doubles, minima at the top and maxima at the bottom, so that any real coordinate
// replaces them at the first comparison.
inline constexpr double kEmptyMin = 2147483647.0;
inline constexpr double kEmptyMax = -2147483648.0;

// The outer box of a chain is worked out from its box when read; the owners above it keep
// theirs as members. These read either.
template <typename T>
double OuterMinYOf(const T& o) {
    if constexpr (requires { o.OuterMinY(); }) return o.OuterMinY();
    else return o.m_outerMinY;
}
template <typename T>
double OuterMaxYOf(const T& o) {
    if constexpr (requires { o.OuterMaxY(); }) return o.OuterMaxY();
    else return o.m_outerMaxY;
}
template <typename T>
double OuterMinXOf(const T& o) {
    if constexpr (requires { o.OuterMinX(); }) return o.OuterMinX();
    else return o.m_outerMinX;
}
template <typename T>
double OuterMaxXOf(const T& o) {
    if constexpr (requires { o.OuterMaxX(); }) return o.OuterMaxX();
    else return o.m_outerMaxX;
}

// Folds a child's box into an owner's: each minimum takes the smaller, each maximum the
// larger value. Works on any class with the eight members.
template <typename Owner, typename Child>
void FoldBox(Owner& o, const Child& c) {
    o.m_minY = std::min(o.m_minY, c.m_minY);
    o.m_maxY = std::max(o.m_maxY, c.m_maxY);
    o.m_minX = std::min(o.m_minX, c.m_minX);
    o.m_maxX = std::max(o.m_maxX, c.m_maxX);
    o.m_outerMinY = std::min(o.m_outerMinY, OuterMinYOf(c));
    o.m_outerMaxY = std::max(o.m_outerMaxY, OuterMaxYOf(c));
    o.m_outerMinX = std::min(o.m_outerMinX, OuterMinXOf(c));
    o.m_outerMaxX = std::max(o.m_outerMaxX, OuterMaxXOf(c));
}

template <typename Owner>
void ResetBox(Owner& o) {
    o.m_minY = o.m_minX = o.m_outerMinY = o.m_outerMinX = kEmptyMin;
    o.m_maxY = o.m_maxX = o.m_outerMaxY = o.m_outerMaxX = kEmptyMax;
}

// The eight values on their own, to keep a box aside.
struct BoxValues {
    double m_minY = kEmptyMin, m_maxY = kEmptyMax;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax;
    double m_outerMinY = kEmptyMin, m_outerMaxY = kEmptyMax;
    double m_outerMinX = kEmptyMin, m_outerMaxX = kEmptyMax;
};

template <typename To, typename From>
void CopyBox(To& to, const From& from) {
    to.m_minY = from.m_minY;
    to.m_maxY = from.m_maxY;
    to.m_minX = from.m_minX;
    to.m_maxX = from.m_maxX;
    to.m_outerMinY = OuterMinYOf(from);
    to.m_outerMaxY = OuterMaxYOf(from);
    to.m_outerMinX = OuterMinXOf(from);
    to.m_outerMaxX = OuterMaxXOf(from);
}
