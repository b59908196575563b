#include "import/cad_chain_points.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "model/vector.h"

namespace {
// Coordinates beyond this (drawing units; 25 million km at the default unit) belong to no
// workpiece, and moving or joining them could overflow to infinity.
constexpr double kFarthestCoordinate = 1e15;
// Blocks with fewer entities are not worth a second thread.
constexpr std::size_t kThreadedJobs = 4096;
// Jobs and pieces kept for one stretch of the walk.
constexpr std::size_t kJobsAtOnce = 16384;
constexpr std::size_t kPiecesAtOnce = 32768;
// Jobs handed over, and taken, at a time: few enough lock round trips, small enough to share
// the end of the work evenly.
constexpr std::size_t kPublishEvery = 512;
constexpr std::size_t kClaim = 128;

// Points are written straight into room made for them beforehand (the walk reserved the
// chain's storage at its final size), without a check of the room per point.
class PointSink {
public:
    PointSink(std::vector<CPunkt>& points, double unit) : m_points(points), m_unit(unit) {}
    // Room for n points, made once; each must be written by Add or Close.
    void Room(std::size_t n) {
        const std::size_t had = m_points.size();
        m_points.resize(had + n);
        m_w = m_points.data() + had;
    }
    void Add(double xMm, double yMm) {
        const CPunkt p{xMm / m_unit, yMm / m_unit};
        m_outOfRange |= !(std::fabs(p.x) <= kFarthestCoordinate && std::fabs(p.y) <= kFarthestCoordinate);
        *m_w++ = p;
    }
    // A closed chain's end: exactly its first point again.
    void Close() { *m_w++ = m_points.front(); }
    bool InRange() const { return !m_outOfRange; }
    // Every point of the room written: the count and the recipes agree.
    bool Filled() const { return m_w == m_points.data() + m_points.size(); }

private:
    std::vector<CPunkt>& m_points;
    CPunkt* m_w = nullptr;
    double m_unit;
    bool m_outOfRange = false;
};

// The cosines and sines of an arc's angles depend on nothing but its sweep: the kind of arc
// (each computes its angles its own way), start, end, segment count and the document's pi.
// Drawings repeat arcs by the thousand (holes, rounded corners, fillets of one radius), so each
// thread keeps the tables it made last, filled by the very expressions of the points; keyed on
// the exact bits of the sweep, a table gives the same points bit for bit.
enum class Sweep : std::uint8_t { Circle, Arc, Bulge };

struct SweepKey {
    std::uint64_t a0 = 0, a1 = 0, pi = 0;
    std::uint32_t n = 0;  // 0: no table
    Sweep sweep = Sweep::Circle;
    bool operator==(const SweepKey&) const = default;
};

SweepKey KeyOf(Sweep sweep, double a0, double a1, std::size_t n, double pi) {
    return {std::bit_cast<std::uint64_t>(a0), std::bit_cast<std::uint64_t>(a1), std::bit_cast<std::uint64_t>(pi),
            static_cast<std::uint32_t>(n), sweep};
}

struct AngleTable {
    SweepKey key;
    std::vector<double> cos, sin;
};

// A thread's tables, one per slot of the key's hash; a sweep of more than `kMostAngles` angles
// gets none, so that a thread keeps at most about 9 MB (the arcs' 1,024 tables) and 1 MB.
template <std::size_t kSlots, std::size_t kMostAngles>
class AngleTables {
public:
    // The table of `count` angles, angle(k) for k = 0 .. count-1; nullptr when too long.
    template <typename Angle>
    static const AngleTable* Of(const SweepKey& key, std::size_t count, Angle angle) {
        if (count > kMostAngles) return nullptr;
        thread_local std::unique_ptr<AngleTable[]> tables;
        if (!tables) tables = std::make_unique<AngleTable[]>(kSlots);
        const std::uint64_t h = (key.a0 * 0x9E3779B97F4A7C15ull) ^ (key.a1 * 0xC2B2AE3D27D4EB4Full) ^
                                (key.n * 0x165667B19E3779F9ull) ^ static_cast<std::uint64_t>(key.sweep);
        AngleTable& t = tables[(h ^ (h >> 29)) % kSlots];
        if (t.key == key) return &t;
        t.key = SweepKey{};  // no table while it is filled: the room may run out
        t.cos.resize(count);
        t.sin.resize(count);
        for (std::size_t k = 0; k < count; ++k) {
            const double a = angle(k);
            t.cos[k] = std::cos(a);
            t.sin[k] = std::sin(a);
        }
        t.key = key;
        return &t;
    }
};
// Full circles: few sizes, up to 64 kB a table. Arcs and bulges: many sweeps, short ones.
using CircleTables = AngleTables<16, 4096>;
using ArcTables = AngleTables<1024, 513>;

double CircleStep(std::size_t n, double pi) { return 360.0 / static_cast<double>(n) * pi / 180.0; }

// The points of a table, or of the angles themselves where the sweep has none.
template <typename Angle>
void SweepPoints(const AngleTable* t, std::size_t from, std::size_t to, double cx, double cy, double r, Angle angle,
                 PointSink& out) {
    if (t) {
        for (std::size_t k = from; k < to; ++k) out.Add(cx + r * t->cos[k], cy + r * t->sin[k]);
        return;
    }
    for (std::size_t k = from; k < to; ++k) {
        const double a = angle(k);
        out.Add(cx + r * std::cos(a), cy + r * std::sin(a));
    }
}

void Circle(const CadEntity& e, std::size_t n, double pi, PointSink& out) {
    const double step = CircleStep(n, pi);
    const auto angle = [step](std::size_t k) { return static_cast<double>(k) * step; };
    const AngleTable* t = CircleTables::Of(KeyOf(Sweep::Circle, 0.0, 0.0, n, pi), n, angle);
    SweepPoints(t, 0, n, e.g[0], e.g[1], e.g[2], angle, out);
    out.Close();
}

void Arc(const CadEntity& e, std::size_t n, double pi, PointSink& out) {
    const double a0 = e.g[3];
    double a1 = e.g[4];
    if (a1 < a0) a1 += 360.0;
    const double toRad = pi / 180.0;
    const double step = (a1 - a0) / static_cast<double>(n);
    const auto angle = [=](std::size_t k) { return (k < n ? a0 + static_cast<double>(k) * step : a1) * toRad; };
    const AngleTable* t = ArcTables::Of(KeyOf(Sweep::Arc, a0, a1, n, pi), n + 1, angle);
    SweepPoints(t, 0, n + 1, e.g[0], e.g[1], e.g[2], angle, out);
}

void Ellipse(const CadEntity& e, std::size_t n, double pi, PointSink& out) {
    const double mx = e.g[2], my = e.g[3];
    const double a = std::hypot(mx, my), b = e.g[4] * a, phi = std::atan2(my, mx);
    const double t0 = e.g[5];
    double t1 = e.g[6];
    if (t1 <= t0) t1 += 2.0 * pi;
    const double c = std::cos(phi), s = std::sin(phi);
    for (std::size_t k = 0; k <= n; ++k) {
        const double t = k < n ? t0 + static_cast<double>(k) * (t1 - t0) / static_cast<double>(n) : t1;
        const double x = a * std::cos(t), y = b * std::sin(t);
        out.Add(e.g[0] + x * c - y * s, e.g[1] + x * s + y * c);
    }
}

void Pieces(const CadPiece* pieces, std::size_t count, double pi, PointSink& out) {
    const double toDeg = 180.0 / pi;
    for (const CadPiece* p = pieces; p != pieces + count; ++p) {
        out.Add(p->x, p->y);
        if (p->n < 2) continue;
        // The first and the last arc point are the two vertices themselves.
        const auto angle = [p, toDeg](std::size_t k) {
            return (p->a0 + static_cast<double>(k) * (p->a1 - p->a0) / static_cast<double>(p->n)) / toDeg;
        };
        const AngleTable* t = ArcTables::Of(KeyOf(Sweep::Bulge, p->a0, p->a1, p->n, pi), p->n, angle);
        SweepPoints(t, 1, p->n, p->cx, p->cy, p->r, angle, out);
    }
}

double Larger(double a, double b) { return std::isnan(a) || std::isnan(b) ? NAN : std::max(a, b); }
double Reach(double x, double y) { return Larger(std::fabs(x), std::fabs(y)); }
}  // namespace

bool MakeChainPoints(const CadChainJob& job, const CadPointRules& rules) {
    std::vector<CPunkt>& points = job.chain->m_points.Raw();
    PointSink out(points, rules.unit);
    out.Room(CadJobPoints(job));
    const CadEntity* e = job.entity;
    switch (job.recipe) {
    case CadRecipe::Line:
        out.Add(e->g[0], e->g[1]);
        out.Add(e->g[2], e->g[3]);
        break;
    case CadRecipe::Point:
        out.Add(e->g[0], e->g[1]);
        break;
    case CadRecipe::Circle: Circle(*e, job.count, rules.pi, out); break;
    case CadRecipe::Arc: Arc(*e, job.count, rules.pi, out); break;
    case CadRecipe::Ellipse: Ellipse(*e, job.count, rules.pi, out); break;
    case CadRecipe::Pieces: Pieces(job.pieces, job.count, rules.pi, out); break;
    }
    // The room is the count's; a recipe that wrote fewer points would leave points at zero.
    assert(out.Filled());
    // Left empty, as empty chains stay in their lists; every walk passes over them.
    if (!out.InRange()) std::vector<CPunkt>().swap(points);
    // Recomputed now, while its points are in the cache; the joiner relies on it.
    job.chain->RecomputeAheadOnce();
    return out.InRange();
}

double ChainReach(const CadChainJob& job) {
    const CadEntity* e = job.entity;
    switch (job.recipe) {
    case CadRecipe::Line: return Larger(Reach(e->g[0], e->g[1]), Reach(e->g[2], e->g[3]));
    case CadRecipe::Point: return Reach(e->g[0], e->g[1]);
    case CadRecipe::Circle:
    case CadRecipe::Arc: return Reach(e->g[0], e->g[1]) + std::fabs(e->g[2]);
    case CadRecipe::Ellipse: {
        // |x cos - y sin| <= a + |b| for the major half axis a and the minor one b.
        const double a = std::hypot(e->g[2], e->g[3]);
        return Reach(e->g[0], e->g[1]) + a + std::fabs(e->g[4] * a);
    }
    case CadRecipe::Pieces: {
        double reach = 0.0;
        for (std::uint32_t k = 0; k < job.count; ++k) {
            const CadPiece& p = job.pieces[k];
            reach = Larger(reach, Reach(p.x, p.y));
            if (p.n > 1) reach = Larger(reach, Reach(p.cx, p.cy) + std::fabs(p.r));
        }
        return reach;
    }
    }
    return NAN;
}

std::size_t CadJobPoints(const CadChainJob& job) {
    switch (job.recipe) {
    case CadRecipe::Line: return 2;
    case CadRecipe::Point: return 1;
    case CadRecipe::Circle:
    case CadRecipe::Arc:
    case CadRecipe::Ellipse: return std::size_t{job.count} + 1;
    case CadRecipe::Pieces: break;
    }
    std::size_t n = 0;
    for (std::uint32_t k = 0; k < job.count; ++k) n += job.pieces[k].n > 1 ? job.pieces[k].n : 1;
    return n;
}

bool CadPointsOnTwoThreads() {
    const char* off = std::getenv("QUENK_CAD_ONE_THREAD");
    return !(off && off[0] == '1');
}

CadPointMaker::CadPointMaker(const CadPointRules& rules, std::size_t blockEntities) : m_rules(rules) {
    // On one thread a job's points are made as it comes and its pieces need room for that job
    // alone: a drawing of many small blocks must not pay for a stretch's room per block.
    if (blockEntities < kThreadedJobs || !CadPointsOnTwoThreads()) return;
    m_jobs.reserve(kJobsAtOnce);
    m_pieces.reserve(kPiecesAtOnce);
    try {
        m_helper = std::thread([this] { Work(true); });
        m_threaded = true;
    } catch (const std::system_error&) {
        // No second thread: the walk makes the points itself, as for a small block.
    }
}

CadPointMaker::~CadPointMaker() { Stop(); }

CadPiece* CadPointMaker::TakePieces(std::size_t n) {
    if (m_pieces.capacity() - m_pieces.size() < n) {
        Drain();
        m_pieces.reserve(n);  // a polyline longer than the usual room
    }
    m_pieces.resize(m_pieces.size() + n);
    return m_pieces.data() + m_pieces.size() - n;
}

void CadPointMaker::Add(const CadChainJob& job) {
    if (!m_threaded) {
        MakeChainPoints(job, m_rules);
        m_pieces.clear();
        return;
    }
    m_jobs.push_back(job);
    // Full: the walk waits for the stretch to be done, so the next job always finds room.
    if (m_jobs.size() == m_jobs.capacity()) return Drain();
    if (m_jobs.size() % kPublishEvery == 0) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_published = m_jobs.size();
        }
        m_wake.notify_one();
    }
}

void CadPointMaker::Drain() {
    if (m_threaded) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_published = m_jobs.size();
        }
        m_wake.notify_one();
        Work(false);
        std::unique_lock<std::mutex> hold(m_lock);
        m_idle.wait(hold, [this] { return m_done == m_published || m_error; });
        if (m_error) std::rethrow_exception(m_error);
        m_published = m_claimed = m_done = 0;
    }
    m_jobs.clear();
    m_pieces.clear();
}

void CadPointMaker::MakePoints(std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) MakeChainPoints(m_jobs.data()[k], m_rules);
    std::lock_guard<std::mutex> hold(m_lock);
    m_done += to - from;
    if (m_done == m_published) m_idle.notify_one();
}

void CadPointMaker::Work(bool wait) {
    for (;;) {
        std::size_t from = 0, to = 0;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            if (wait) m_wake.wait(hold, [this] { return m_claimed < m_published || m_ended; });
            if (m_claimed >= m_published || m_error) return;
            from = m_claimed;
            to = std::min(m_published, from + kClaim);
            m_claimed = to;
        }
        if (!wait) {
            MakePoints(from, to);
            continue;
        }
        try {
            MakePoints(from, to);
        } catch (...) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_error = std::current_exception();
            m_idle.notify_one();
            return;
        }
    }
}

void CadPointMaker::Stop() {
    if (!m_helper.joinable()) return;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_ended = true;
    }
    m_wake.notify_one();
    m_helper.join();
}
