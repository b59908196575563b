#pragma once
// The small HPGL dialect that every plotter-file export writes: integer coordinates in
// drawing units, statements ended by ";" CR LF, the header "IN;PU;VS38" and the trailer
// "PU;SP0;" without a line end. The writer appends to a string, so that the mouse export can
// remember lengths and cut back to them.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "output/texts.h"

using HpglPoints = std::vector<std::pair<std::int32_t, std::int32_t>>;

class HpglWriter {
public:
    explicit HpglWriter(std::string& out) : m_out(out) {}

    void Header();
    void Trailer();
    // "SP" n; the pen line of the whole-drawing export.
    void PenSelect(std::int32_t n);
    // "PU", "SP" n: the corrected-path export's pen line.
    void LiftAndSelect(std::int32_t n);
    // "PU", "PU;SP" n: the mouse export's pen line.
    void LiftAndSelectTwice(std::int32_t n);
    // The pen lifted, moved to the first point and lowered; every further point drawn.
    void Polyline(const HpglPoints& p);
    // Only the first point, as a dot.
    void Dot(const HpglPoints& p);

private:
    void Statement(const char* word);
    void Statement(const char* word, std::int32_t n);
    void Statement(const char* word, const std::pair<std::int32_t, std::int32_t>& p);
    void Lead(const HpglPoints& p);

    std::string& m_out;
};
