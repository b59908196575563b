#pragma once
// Inside the CAD import: the points of the chains. The walk over the entities decides
// everything that has an order (pens, questions, segment counts, messages) and leaves for each
// chain a recipe; the points themselves, the bulk of the work (the sines and cosines of
// millions of arc points and each chain's recomputation), depend on nothing but the recipe, so
// two threads make them side by side while the walk goes on. Every point is computed by the
// same expression as on one thread, so the document is the same bit for bit.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "cadreader/cad_drawing.h"

class CVector;

// One vertex of a polyline and the arc from it to the next one: the arc's inner points
// k = 1 .. n-1 of n segments from angle a0 to a1 (degrees) around (cx, cy).
struct CadPiece {
    double x = 0.0, y = 0.0;
    double cx = 0.0, cy = 0.0, r = 0.0, a0 = 0.0, a1 = 0.0;
    std::uint32_t n = 0;
};

enum class CadRecipe : std::uint8_t { Line, Point, Circle, Arc, Ellipse, Pieces };

struct CadChainJob {
    CVector* chain = nullptr;
    const CadEntity* entity = nullptr;  // the line, point, circle, arc or ellipse
    const CadPiece* pieces = nullptr;   // a polyline's vertices and bulge arcs
    std::uint32_t count = 0;            // the pieces, or the segments of a circle, arc or ellipse
    CadRecipe recipe = CadRecipe::Line;
};

struct CadPointRules {
    double unit = 0.025;  // millimetres per drawing unit
    double pi = 3.14159265358979323846;
};

// Makes the job's points into its chain (room for them is reserved by the walk) and recomputes
// the chain. Answers false, leaving the chain empty, when a point lies beyond any workpiece.
bool MakeChainPoints(const CadChainJob& job, const CadPointRules& rules);

// The number of points the job makes.
std::size_t CadJobPoints(const CadChainJob& job);

// The farthest any point of the job can lie from the origin, in millimetres (an upper bound;
// not a number when the geometry is none).
double ChainReach(const CadChainJob& job);

// The environment switch QUENK_CAD_ONE_THREAD=1 keeps the points on the walk's thread, so that
// the helper's effect can be measured in one run; the document is the same either way.
bool CadPointsOnTwoThreads();

// Runs the jobs of one block: a helper thread starts on them while the walk still adds more.
// The jobs and pieces are kept for a stretch of the walk at a time, so that their memory stays
// small; at the end of a stretch the walk shares what is left with the helper and waits for it.
// Small blocks are done on the calling thread alone.
class CadPointMaker {
public:
    CadPointMaker(const CadPointRules& rules, std::size_t blockEntities);
    ~CadPointMaker();  // stops and waits for the helper
    CadPointMaker(const CadPointMaker&) = delete;
    CadPointMaker& operator=(const CadPointMaker&) = delete;

    // Room for the n pieces of the next job; it stays put until that job is done.
    CadPiece* TakePieces(std::size_t n);
    void Add(const CadChainJob& job);
    // Every job done; rethrows what the helper threw (memory running out).
    void Finish() { Drain(); }

private:
    // Runs jobs until none is left to claim; with `wait`, waits for more until the end.
    void Work(bool wait);
    void MakePoints(std::size_t from, std::size_t to);
    // Every job added so far done, the room for jobs and pieces free again.
    void Drain();
    void Stop();

    CadPointRules m_rules;
    bool m_threaded = false;
    std::vector<CadChainJob> m_jobs;  // never grows past its room while the helper reads
    std::vector<CadPiece> m_pieces;   // likewise
    std::mutex m_lock;
    std::condition_variable m_wake;   // for the helper: jobs to take, or the end
    std::condition_variable m_idle;   // for the walk: every job taken is done
    std::size_t m_published = 0;      // jobs the helper may take
    std::size_t m_claimed = 0;        // jobs taken by either thread
    std::size_t m_done = 0;           // jobs done
    bool m_ended = false;             // the walk adds no more
    std::exception_ptr m_error;
    std::thread m_helper;
};
