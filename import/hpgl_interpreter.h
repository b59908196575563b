#pragma once
// Inside the HPGL reader: the command walk over one file's text. Shared by the command
// handlers (hpgl_interpreter.cpp) and the arc and circle handlers (hpgl_arcs.cpp).
//
// Reading rule: every handler starts on the character after the two command letters and
// returns the index where the walk resumes, which is always the first character it did not
// accept as its own. So a missing or failed (optional) parameter never swallows the letter of
// the next command, and nothing is ever read past the end of the text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "import/hpgl_number.h"
#include "model/int_table.h"
#include "model/layer.h"
#include "model/punkt.h"

class CQuenkDoc;
class LayerJoiner;

struct HpglLimits {
    double segmentAngle = 1.0;   // "Kreissegmente" in degrees
    double maxVectorUnits = 20;  // "Maximale Vektorlänge" in drawing units
    // Most points a single arc or circle may have: a circle of 50 m circumference in
    // 0.5 mm chords still fits, a sweep of millions of degrees does not.
    std::size_t maxArcPoints = 100000;
    // Most arc and circle points one file may produce in all; keeps memory bounded by the
    // file's size however many huge circles it asks for.
    std::size_t arcPointBudget = 0;
};

class HpglInterpreter {
public:
    // With a joiner, every pen that the file leaves for the last time is handed to it.
    HpglInterpreter(CQuenkDoc& doc, std::string_view text, const HpglLimits& limits, LayerJoiner* joiner = nullptr);
    // Walks the whole text; returns the number of unknown commands counted.
    int Run();

private:
    // ---- characters and numbers ----
    unsigned char At(std::size_t i) const {
        return i < m_n ? static_cast<unsigned char>(m_text[i]) : 0;
    }
    static bool IsUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
    static bool StartsNumber(unsigned char c) { return IsHpglDigit(c) || c == '-'; }
    // A character that leaves no room for parameters: a letter or anything from 'A' up.
    bool NoParameters(std::size_t i) const { return i < m_n && At(i) >= 'A'; }
    // One number: one blank skipped, then a digit or '-' must follow.
    bool ReadNumber(std::size_t& i, std::int32_t& out) const;
    // A coordinate pair; shows " XY Error " when the first number stands but the second not.
    bool ReadPair(std::size_t& i, std::int32_t& x, std::int32_t& y) const;
    // One number from i on (see ReadHpglNumber).
    std::int32_t CollectNumber(std::size_t& i) const;
    // SP's pen number from i on: one blank skipped, then digits, saturated.
    bool ReadPenNumber(std::size_t& i, std::int32_t& number) const;
    // Where the file selects each pen number for the last time (position of the S of SP).
    void FindLastSelections();
    // Steps over one separator before an optional parameter; false when the next command
    // (a letter), the end of the command (';') or the end of the text stands there.
    bool StepToOptional(std::size_t& i) const;

    // ---- coordinates and chains ----
    CPunkt MapAbsolute(std::int32_t x, std::int32_t y) const;
    CPunkt MapRelative(std::int32_t x, std::int32_t y) const;
    CPunkt Map(std::int32_t x, std::int32_t y) const;
    void EnsurePen();
    void BeginChain();                 // new chain in the current pen, made current
    // The current chain gets no further points: recomputed now, while they are in the cache.
    void FinishChain();
    void Append(const CPunkt& p);      // to the current chain (one is begun when missing)
    // The chain being drawn grows in one large storage block that passes from chain to chain;
    // a chain that is left gets storage of its exact size, made once.
    void Adopt(CVector& chain);
    void ReleaseGrowing();
    // A new chain at the end of the pen's list, taken from a stock made a batch at a time.
    CVector* AddChain(CStift& pen);
    void MoveTo(const CPunkt& p);      // moves, and appends with the pen down

    // ---- commands ----
    std::size_t Dispatch(unsigned char c1, unsigned char c2, std::size_t i);
    std::size_t Unknown(unsigned char c1, std::size_t i);
    // Hands the counts of unknown commands to the document's import report.
    void ReportUnknown() const;
    std::size_t Plot(std::size_t i, char which);
    std::size_t Initialise(std::size_t i);
    std::size_t InputP1P2(std::size_t i);
    std::size_t Scale(std::size_t i);
    std::size_t SelectPen(std::size_t i);
    std::size_t Arc(std::size_t i, bool relative);  // hpgl_arcs.cpp
    std::size_t Circle(std::size_t i);              // hpgl_arcs.cpp

    // ---- arcs (hpgl_arcs.cpp) ----
    // Chord angle for an arc of radius r: the given one, or the setting shortened so that no
    // chord is longer than the maximum vector length.
    double ChordAngle(std::int32_t given, bool haveGiven, double r) const;
    // Segment count for a sweep; 0 when the arc is refused (and the refusal shown).
    std::size_t Segments(double sweep, double chord);
    void Refuse();
    void AppendArc(const CPunkt& c, double r, double a0, double step, std::size_t k, double end);
    CPunkt OnCircle(const CPunkt& c, double r, double deg) const;

    CQuenkDoc& m_doc;
    const char* m_text;
    std::size_t m_n;
    HpglLimits m_limits;
    std::size_t m_arcPointsLeft;
    int m_unknown = 0;
    // Unknown commands by first letter and second byte (slot 256: the text ended after the
    // letter), counted whether or not they are shown; made at the first one.
    std::vector<std::int64_t> m_unknownByPair;
    CVector* m_growing = nullptr;  // the chain that holds the growing storage, if any
    // Chain objects made ahead, side by side: made one at a time they would lie between the
    // chains' points, and the points a joining gives up would leave holes too small for
    // anything it makes. Side by side, the points of neighbouring chains free whole runs.
    std::vector<std::unique_ptr<CVector>> m_chainStock;
    std::vector<CPunkt> m_spare;   // the growing storage while no chain holds it, emptied
    bool m_refusalShown = false;
    LayerJoiner* m_joiner;
    bool m_handOver = false;  // pens are handed to the joiner as their last selection ends
    CIntTable<std::uint32_t> m_lastSelection;
};
