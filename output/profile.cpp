// The profile work of the reduced exports: the analysis of extremes and the normalisations
// that bring any closed airfoil drawing into one form, trailing edge first, upper side next.

#include "output/profile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "output/format_number.h"

namespace {
// Decimals below 1, and significant digits in all, of the profile number text.
constexpr int kSmallDecimals = 9;
constexpr int kDigits = 10;
}  // namespace

std::string FormatProfileNumber(double v) {
    if (v == 0.0 || !std::isfinite(v)) return "0.000000000";
    const format_detail::Decimal10 d = format_detail::Round10(v);
    char digits[kDigits];
    std::uint64_t rest = d.digits;
    for (int i = kDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    std::string s;
    if (v < 0.0) s += '-';
    if (d.exponent < 0) {
        s += "0.";
        const int zeros = std::min(-d.exponent - 1, kSmallDecimals);
        s.append(static_cast<std::size_t>(zeros), '0');
        s.append(digits, static_cast<std::size_t>(kSmallDecimals - zeros));
        return s;
    }
    const int integerDigits = d.exponent + 1;
    const int fromDigits = std::min(integerDigits, kDigits);
    s.append(digits, static_cast<std::size_t>(fromDigits));
    s.append(static_cast<std::size_t>(integerDigits - fromDigits), '0');
    s += '.';
    s.append(digits + fromDigits, static_cast<std::size_t>(kDigits - fromDigits));
    return s;
}

void CProfile::Analyse() {
    m_minX = kEmptyMin;
    m_maxX = kEmptyMax;
    m_maxY = kEmptyMax;
    const std::vector<CPunkt>& p = m_points.Raw();
    for (const CPunkt& q : p) {
        if (q.x < m_minX) m_minX = q.x;
        if (q.x > m_maxX) m_maxX = q.x;
        if (q.y > m_maxY) m_maxY = q.y;
    }
    m_tailFirst = m_tailLast = m_nose = m_top = 0;
    m_tailCount = m_noseCount = m_topCount = 0;
    m_count = static_cast<std::int32_t>(p.size());
    for (std::int32_t i = 0; i < m_count; ++i) {
        const CPunkt& q = p[static_cast<std::size_t>(i)];
        if (q.x == m_maxX) {
            if (m_tailCount == 0) m_tailFirst = i;
            m_tailLast = i;
            ++m_tailCount;
        }
        if (q.x == m_minX) {
            m_nose = i;
            ++m_noseCount;
        }
        if (q.y == m_maxY) {
            m_top = i;
            ++m_topCount;
        }
    }
    m_topX = m_count > 0 ? p[static_cast<std::size_t>(m_top)].x : 0.0;
}

void CProfile::RotateTo(std::int32_t k) {
    std::vector<CPunkt>& p = m_points.Raw();
    if (k <= 0 || static_cast<std::size_t>(k) >= p.size()) return;
    std::vector<CPunkt> rotated(p.begin() + k, p.end());
    rotated.insert(rotated.end(), p.begin() + 1, p.begin() + k + 1);
    p = std::move(rotated);
}

void CProfile::NormaliseStart() {
    Analyse();
    RotateTo(m_tailLast);
    Analyse();
    // Index 0 now lies on the trailing edge, so the walk ends there at the latest, whatever
    // the chain looks like.
    std::int32_t s = 0;
    for (std::int32_t i = m_nose; i >= 0; --i) {
        if (m_points[i].x == m_maxX) {
            s = i;
            break;
        }
    }
    m_tailFirst = s;
    RotateTo(s);
    Analyse();
}

void CProfile::Reverse() {
    std::reverse(m_points.begin(), m_points.end());
    NormaliseStart();
}

void CProfile::Mirror() {
    const double sum = m_maxX + m_minX;
    for (CPunkt& p : m_points) p.x = sum - p.x;
    NormaliseStart();
}

void CProfile::NormaliseChord() {
    if (m_points.IsEmpty()) return;
    const double chord = m_maxX - m_minX;
    const double y0 = m_points[0].y;
    const std::vector<CPunkt>& p = m_points.Raw();
    std::vector<CPunkt> normalised;
    normalised.reserve(p.size());
    for (std::size_t i = static_cast<std::size_t>(std::max(m_tailFirst, 0)); i < p.size(); ++i)
        normalised.push_back({(p[i].x - m_minX) / chord, (p[i].y - y0) / chord});
    m_points.Raw() = std::move(normalised);
}

void CProfile::ReducePoints() {
    m_outPoints.RemoveAll();
    const double ratio = m_count > 0 ? static_cast<double>(m_maxOut) / static_cast<double>(m_count) : 0.0;
    double acc = 1.0;
    for (std::int32_t i = 0; i <= m_tailLast && i < m_points.Size(); ++i) {
        acc += ratio;
        // The nose and the trailing edge shape the profile: they are kept whatever the ratio.
        if (acc >= 1.0 || i == m_tailLast || i == m_nose) {
            acc -= 1.0;
            m_outPoints.AddPoint(m_points[i]);
        }
    }
    m_lastOut = m_outPoints.Size() - 1;
}

InfoProfil CProfile::Info(double plotterUnit) const {
    InfoProfil info;
    info.indexMaxX = m_tailFirst;
    info.indexMinX = m_nose;
    info.indexMaxY = m_top;
    info.countMaxX = m_tailCount;
    info.countMinX = m_noseCount;
    info.countMaxY = m_topCount;
    info.maxXMm = m_maxX * plotterUnit;
    info.minXMm = m_minX * plotterUnit;
    info.maxYAtXMm = m_topX * plotterUnit;
    info.middleXMm = (m_minX + m_maxX) / 2.0 * plotterUnit;
    info.pointCount = m_count;
    return info;
}
