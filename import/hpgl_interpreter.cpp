#include "import/hpgl_interpreter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "import/hpgl_number.h"
#include "import/texts.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "model/core_context.h"
#include "import/layer_joiner.h"
#include "model/progress.h"

namespace {
// Unknown commands are shown one by one only up to this many per file.
constexpr int kMaxUnknownShown = 10;
// Chain objects made at a time: a few pages of them, between the points of as many chains.
constexpr std::size_t kChainStock = 64;
// The unknown-command counters: a first letter A to Z, and any byte or none as the second.
constexpr std::size_t kLetters = 26;
constexpr std::size_t kTextEnded = 256;
constexpr std::size_t kSecondSlots = 257;

// A byte of the file as it may appear in a message: printable ASCII as it is, Latin-1 letters
// as UTF-8, control characters as '?'. Nothing past the end of the text.
void AppendShown(std::string& s, unsigned char c, bool present) {
    if (!present) return;
    if (c >= 0x20 && c < 0x7F) {
        s += static_cast<char>(c);
    } else if (c >= 0xA0) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += '?';
    }
}
}  // namespace

HpglInterpreter::HpglInterpreter(CQuenkDoc& doc, std::string_view text, const HpglLimits& limits,
                                 LayerJoiner* joiner)
    : m_doc(doc), m_text(text.data()), m_n(text.size()), m_limits(limits),
      m_arcPointsLeft(limits.arcPointBudget), m_joiner(joiner) {}

void HpglInterpreter::FindLastSelections() {
    // Every "SP" of the text counts, also one that the walk would read as the second letter
    // of another command or inside parameters: a pen is handed over too late then, never too
    // early. Few letters of a plotter file are an S, so memchr does most of the reading.
    const char* const end = m_text + m_n;
    for (const char* p = m_text; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, 'S', static_cast<std::size_t>(end - p)));
        if (!p) break;
        if (p + 1 == end || p[1] != 'P') continue;
        std::size_t i = static_cast<std::size_t>(p - m_text) + 2;
        std::int32_t number = 0;
        if (ReadPenNumber(i, number)) m_lastSelection.Set(number, static_cast<std::uint32_t>(p - m_text));
    }
}

int HpglInterpreter::Run() {
    // The last selections keep text offsets in 32 bits, half the memory of a million pens'
    // table; a text beyond that hands no pen over early, and the joiner takes them all at its
    // end, with the same results.
    m_handOver = m_joiner && m_n < std::numeric_limits<std::uint32_t>::max();
    if (m_handOver) FindLastSelections();
    // The bytes interpreted of the whole text.
    ProgressTicker progress(m_n);
    std::size_t i = 0;
    while (i < m_n) {
        const unsigned char c = static_cast<unsigned char>(m_text[i]);
        if (!IsUpper(c)) {
            ++i;
            continue;
        }
        // The pair's second character belongs to the command, whatever it is.
        i = Dispatch(c, At(i + 1), i + 2);
        progress.Tick(i);
    }
    FinishChain();
    ReportUnknown();
    progress.Finish();
    return m_unknown;
}

std::size_t HpglInterpreter::Dispatch(unsigned char c1, unsigned char c2, std::size_t i) {
    switch (c1) {
    case 'A':
        if (c2 == 'A') return Arc(i, false);
        if (c2 == 'R') return Arc(i, true);
        if (c2 == 'F' || c2 == 'P' || c2 == 'S') return i;
        break;
    case 'C':
        if (c2 == 'I') return Circle(i);
        if (c2 == 'A' || c2 == 'P' || c2 == 'S' || c2 == 'V') return i;
        break;
    case 'I':
        if (c2 == 'N') return Initialise(i);
        if (c2 == 'P') return InputP1P2(i);
        break;
    case 'P':
        if (c2 == 'A' || c2 == 'D' || c2 == 'R' || c2 == 'U') return Plot(i, static_cast<char>(c2));
        break;
    case 'S':
        if (c2 == 'C') return Scale(i);
        if (c2 == 'P') return SelectPen(i);
        break;
    case 'V':
        if (c2 == 'S') return i;
        break;
    default:
        // A letter that starts no command is unknown whatever follows it.
        return Unknown(c1, i);
    }
    // A known first letter with a second letter outside the table is unknown; with anything
    // else the pair is no command and is passed over.
    return IsUpper(c2) ? Unknown(c1, i) : i;
}

std::size_t HpglInterpreter::Unknown(unsigned char c1, std::size_t i) {
    if (m_unknownByPair.empty()) m_unknownByPair.assign(kLetters * kSecondSlots, 0);
    const std::size_t second = i - 1 < m_n ? At(i - 1) : kTextEnded;
    ++m_unknownByPair[static_cast<std::size_t>(c1 - 'A') * kSecondSlots + second];
    if (!m_doc.m_showUnknown) return i;
    if (m_unknown < kMaxUnknownShown) {
        std::string text = import_texts::kUnknownPrefix;
        AppendShown(text, c1, true);
        AppendShown(text, At(i - 1), i - 1 < m_n);
        text += import_texts::kUnknownSuffix;
        Ui().Message(text);
    }
    ++m_unknown;
    // The parameters are read as ordinary characters: letters in a label are commands too.
    return i;
}

void HpglInterpreter::ReportUnknown() const {
    auto& counts = m_doc.m_importReport.unknownHpgl;
    for (std::size_t k = 0; k < m_unknownByPair.size(); ++k) {
        if (m_unknownByPair[k] == 0) continue;
        std::string name;
        AppendShown(name, static_cast<unsigned char>('A' + k / kSecondSlots), true);
        const std::size_t second = k % kSecondSlots;
        AppendShown(name, static_cast<unsigned char>(second), second != kTextEnded);
        counts[name] += m_unknownByPair[k];
    }
}

// ---- numbers ----

std::int32_t HpglInterpreter::CollectNumber(std::size_t& i) const {
    const auto* const text = reinterpret_cast<const unsigned char*>(m_text);
    const unsigned char* p = text + i;
    const std::int32_t v = ReadHpglNumber(p, text + m_n);
    i = static_cast<std::size_t>(p - text);
    return v;
}

bool HpglInterpreter::ReadNumber(std::size_t& i, std::int32_t& out) const {
    if (At(i) == ' ') ++i;
    if (!StartsNumber(At(i))) return false;
    out = CollectNumber(i);
    return true;
}

bool HpglInterpreter::ReadPair(std::size_t& i, std::int32_t& x, std::int32_t& y) const {
    if (At(i) == ' ') ++i;
    if (!StartsNumber(At(i))) return false;  // no pair here: silently
    x = CollectNumber(i);
    // The separator is passed over whatever it is, unless it is the next command's letter
    // or the end of the text.
    if (i >= m_n || IsUpper(At(i))) {
        Ui().Message(import_texts::kXYError);
        return false;
    }
    ++i;
    if (At(i) == ' ') ++i;
    if (!StartsNumber(At(i))) {
        Ui().Message(import_texts::kXYError);
        return false;
    }
    y = CollectNumber(i);
    return true;
}

bool HpglInterpreter::StepToOptional(std::size_t& i) const {
    const unsigned char c = At(i);
    if (i >= m_n || c == ';' || IsUpper(c)) return false;
    ++i;
    return true;
}

// ---- coordinates and chains ----

CPunkt HpglInterpreter::MapAbsolute(std::int32_t x, std::int32_t y) const {
    return {m_doc.m_offsetX + (x - m_doc.m_scaleMinX) * m_doc.m_scaleX,
            m_doc.m_offsetY + (y - m_doc.m_scaleMinY) * m_doc.m_scaleY};
}

CPunkt HpglInterpreter::MapRelative(std::int32_t x, std::int32_t y) const {
    return {m_doc.m_hpglPos.x + x * m_doc.m_scaleX, m_doc.m_hpglPos.y + y * m_doc.m_scaleY};
}

CPunkt HpglInterpreter::Map(std::int32_t x, std::int32_t y) const {
    return m_doc.m_relative ? MapRelative(x, y) : MapAbsolute(x, y);
}

void HpglInterpreter::EnsurePen() {
    // A file that draws before its first SP draws with pen 1.
    if (!m_doc.m_curPen) m_doc.m_curPen = m_doc.FindOrCreatePen(1, 0);
}

void HpglInterpreter::Adopt(CVector& chain) {
    ReleaseGrowing();
    std::vector<CPunkt>& points = chain.m_points.Raw();
    m_spare.assign(points.begin(), points.end());
    points.swap(m_spare);
    std::vector<CPunkt>().swap(m_spare);
    m_growing = &chain;
}

void HpglInterpreter::ReleaseGrowing() {
    if (!m_growing) return;
    // Growing each chain from nothing by doubling cost a dozen allocations and copies per
    // stroke and left slack behind; now each chain's points are copied once, into storage of
    // their size, and the large block waits for the next chain.
    std::vector<CPunkt>& points = m_growing->m_points.Raw();
    std::vector<CPunkt> exact(points.begin(), points.end());
    points.swap(exact);
    m_growing = nullptr;
    NoteHeapFront(points.data() + points.size());
    exact.clear();
    m_spare.swap(exact);
}

CVector* HpglInterpreter::AddChain(CStift& pen) {
    if (m_chainStock.empty()) {
        m_chainStock.reserve(kChainStock);
        for (std::size_t k = 0; k < kChainStock; ++k) m_chainStock.push_back(std::make_unique<CVector>());
        // Taken from the back: the first made is the first used.
        std::reverse(m_chainStock.begin(), m_chainStock.end());
    }
    pen.m_chains.push_back(std::move(m_chainStock.back()));
    m_chainStock.pop_back();
    return pen.m_chains.back().get();
}

void HpglInterpreter::FinishChain() {
    ReleaseGrowing();
    if (!m_doc.m_curChain) return;
    m_doc.m_curChain->RecomputeAheadOnce();
}

void HpglInterpreter::BeginChain() {
    FinishChain();
    EnsurePen();
    m_doc.m_curChain = AddChain(*m_doc.m_curPen);
}

void HpglInterpreter::Append(const CPunkt& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    if (!m_doc.m_curChain) BeginChain();
    if (m_doc.m_curChain != m_growing) Adopt(*m_doc.m_curChain);
    m_doc.m_curChain->AddPoint(p);
}

void HpglInterpreter::MoveTo(const CPunkt& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
    m_doc.m_hpglPos = p;
    if (!m_doc.m_penUp) Append(p);
}

// ---- commands ----

std::size_t HpglInterpreter::Plot(std::size_t i, char which) {
    switch (which) {
    case 'A':
        m_doc.m_relative = 0;
        break;
    case 'R':
        m_doc.m_relative = 1;
        break;
    case 'U':
        m_doc.m_penUp = 1;
        break;
    default:  // 'D'
        if (m_doc.m_penUp) {
            BeginChain();
            Append(m_doc.m_hpglPos);
        }
        m_doc.m_penUp = 0;
        break;
    }
    if (NoParameters(i)) return i;
    for (;;) {
        std::int32_t x = 0, y = 0;
        if (!ReadPair(i, x, y)) return i;
        MoveTo(Map(x, y));
        const unsigned char c = At(i);
        if (i >= m_n || IsUpper(c)) return i;
        if (c == ';') return i + 1;
        ++i;  // the separator before the next pair
    }
}

std::size_t HpglInterpreter::Initialise(std::size_t i) {
    m_doc.m_relative = 0;
    m_doc.m_scaleX = m_doc.m_scaleY = 1.0;
    m_doc.m_scaleMinX = m_doc.m_scaleMinY = 0.0;
    m_doc.m_offsetX = m_doc.m_offsetY = 0.0;
    // The whole position returns to the origin: a plotter knows no x that survives IN, and
    // keeping it would shift every relative stroke after IN by whatever came before.
    m_doc.m_hpglPos = {0.0, 0.0};
    return i;
}

std::size_t HpglInterpreter::InputP1P2(std::size_t i) {
    if (NoParameters(i)) return i;  // ';' is no letter: "IP;" reports the missing P1
    std::int32_t x = 0, y = 0;
    if (!ReadPair(i, x, y)) {
        Ui().Message(import_texts::kIPErrorP1);
        return i;
    }
    m_doc.m_p1 = {static_cast<double>(x), static_cast<double>(y)};
    if (!StepToOptional(i) || !ReadPair(i, x, y)) {
        Ui().Message(import_texts::kIPErrorP2);
        return i;
    }
    m_doc.m_p2 = {static_cast<double>(x), static_cast<double>(y)};
    return i;
}

std::size_t HpglInterpreter::Scale(std::size_t i) {
    m_doc.m_offsetX = m_doc.m_offsetY = 0.0;
    m_doc.m_scaleX = m_doc.m_scaleY = 1.0;
    m_doc.m_scaleMinX = m_doc.m_scaleMinY = 0.0;
    const unsigned char c = At(i);
    if (c >= 'A' || c == ';') return i;  // SC alone switches scaling off
    std::int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    if (!ReadPair(i, xMin, xMax)) {
        Ui().Message(import_texts::kSCError);
        return i;
    }
    if (!StepToOptional(i) || !ReadPair(i, yMin, yMax)) {
        Ui().Message(import_texts::kSCError);
        return i;
    }
    const double sx = (m_doc.m_p2.x - m_doc.m_p1.x) / (static_cast<double>(xMax) - xMin);
    const double sy = (m_doc.m_p2.y - m_doc.m_p1.y) / (static_cast<double>(yMax) - yMin);
    // A user range of width 0 maps nothing anywhere: scaling stays off.
    if (!std::isfinite(sx) || !std::isfinite(sy)) {
        Ui().Message(import_texts::kSCError);
        return i;
    }
    m_doc.m_scaleX = sx;
    m_doc.m_scaleY = sy;
    m_doc.m_scaleMinX = xMin;
    m_doc.m_scaleMinY = yMin;
    m_doc.m_offsetX = m_doc.m_p1.x;
    m_doc.m_offsetY = m_doc.m_p1.y;
    return i;
}

bool HpglInterpreter::ReadPenNumber(std::size_t& i, std::int32_t& number) const {
    if (At(i) == ' ') ++i;
    if (!IsHpglDigit(At(i))) return false;
    constexpr std::int64_t kMaxPen = 2147483647;
    std::int64_t p = 0;
    for (; IsHpglDigit(At(i)); ++i) p = std::min(kMaxPen, p * 10 + (At(i) - '0'));
    number = static_cast<std::int32_t>(p);
    return true;
}

std::size_t HpglInterpreter::SelectPen(std::size_t i) {
    const std::size_t at = i - 2;  // the S of SP
    std::int32_t number = 0;
    if (!ReadPenNumber(i, number)) return i;
    FinishChain();
    CStift* const previous = m_doc.m_curPen;
    CStift* pen = m_doc.FindOrCreatePen(number, 0);
    m_doc.m_curPen = pen;
    m_doc.m_currentPenNumber = number;
    // A pen whose newest chain is still empty keeps it: a file that selects pens again and
    // again without drawing would otherwise pile up empty chains without end.
    if (pen->m_chains.empty() || pen->m_chains.back()->PointCount() != 0) AddChain(*pen);
    m_doc.m_curChain = pen->m_chains.back().get();
    if (m_handOver && previous && previous != pen) {
        const std::optional<std::uint32_t> last = m_lastSelection.Find(previous->m_number);
        if (!last || *last < at) m_joiner->PenComplete(*previous);
    }
    return i;
}
