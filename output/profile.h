#pragma once
// Airfoil profile files for hot-wire foam cutters: one closed chain, normalised to its chord
// (leftmost to rightmost point), written as text pairs of coordinates. Four layouts: SVPlus
// (.prf), CFWIN (.usr), and the reduced CFWin (.usr) and Profili (.dat) files of CProfile.

#include <cstdint>
#include <functional>
#include <string>

#include "model/box.h"
#include "model/point_array.h"
#include "output/texts.h"

class CVector;

// The number text of the profile files: ten significant digits, "0." and exactly nine
// decimals below 1, else the integer digits and the rest of the ten ("12.50000000").
// Independent of any locale; a non-finite value is written as zero.
std::string FormatProfileNumber(double v);

// "Maximale Ausgangspunkte": the dialog's start value and the range it accepts.
inline constexpr std::int32_t kMaxOutDefault = 150;
inline constexpr std::int32_t kMaxOutMin = 10;
inline constexpr std::int32_t kMaxOutMax = 250;
inline bool MaxOutInRange(std::int32_t n) { return n >= kMaxOutMin && n <= kMaxOutMax; }

// The dialog "Info Profil": what the analysis found (lengths in millimetres) and the one
// value the user sets.
struct InfoProfil {
    std::int32_t indexMaxX = 0, indexMinX = 0, indexMaxY = 0;
    std::int32_t countMaxX = 0, countMinX = 0, countMaxY = 0;
    double maxXMm = 0.0, minXMm = 0.0, maxYAtXMm = 0.0, middleXMm = 0.0;
    std::int32_t pointCount = 0;
    std::int32_t maxOutputPoints = kMaxOutDefault;
};
// Shows the dialog; true on OK with maxOutputPoints in range.
using InfoProfilDialog = std::function<bool(InfoProfil&)>;

// The output formats of CProfile.
enum : std::int32_t { kProfileCfwin = 1, kProfileProfili = 2 };

// One export of the reduced profile files; lives for one command.
class CProfile {
public:
    // The commands "Ausgabe Profil CFWin" (format 1) and "Ausgabe Profi l2004" (format 2) on
    // a copy of the chain. Every refusal has been shown; true when a file was written.
    bool Export(const CVector& chain, double plotterUnit, const InfoProfilDialog& dialog);

    void Analyse();
    // Starts (and ends) the profile at its trailing edge.
    void NormaliseStart();
    void Reverse();
    void Mirror();
    // Chord 1 from the nose at x = 0 to the trailing edge at (1, 0).
    void NormaliseChord();
    // Chooses m_outPoints from m_points for at most about m_maxOut points.
    void ReducePoints();
    // The file's bytes for m_outPoints.
    std::string FileText() const;
    InfoProfil Info(double plotterUnit) const;

    CPointArray m_points;
    CPointArray m_outPoints;
    double m_minX = kEmptyMin, m_maxX = kEmptyMax, m_maxY = kEmptyMax;
    std::int32_t m_tailFirst = 0, m_tailLast = 0, m_nose = 0, m_top = 0;
    std::int32_t m_tailCount = 0, m_noseCount = 0, m_topCount = 0, m_count = 0;
    double m_topX = 0.0;
    std::int32_t m_maxOut = 0;
    std::int32_t m_format = kProfileCfwin;
    std::int32_t m_lastOut = 0;

private:
    // P[k..n-1] then P[1..k]: the closing repeat of P[0] drops out, P[k] closes the chain.
    void RotateTo(std::int32_t k);
};

// The commands "Ausgabe SVPlus" and "Ausgabe CFWIN": turn the chain clockwise, start it at
// its nose and write it. True when a file was written.
bool OnExportSvPlus(CVector& chain);
bool OnExportCfwin(CVector& chain);
