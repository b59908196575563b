// Recompute of one chain of 1,000,000 points with many exact and near duplicates.

#include <random>

#include "bench_common.h"
#include "model/core_context.h"
#include "model/vector.h"

int main() {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> coord(0.0, 100000.0);
    std::uniform_int_distribution<int> kind(0, 9);
    std::vector<CPunkt> source;
    source.reserve(1000000);
    CPunkt last{0, 0};
    while (source.size() < 1000000) {
        const int k = kind(rng);
        if (k < 2 && !source.empty())
            source.push_back(last);  // exact repeat
        else if (k < 4 && !source.empty())
            source.push_back({last.x + 0.00003, last.y - 0.00002});  // near repeat
        else
            source.push_back({coord(rng), coord(rng)});
        last = source.back();
    }
    source.push_back(source.front());  // closed

    CVector v;
    const double t = BestOf(5, [&] {
        v.m_points.Raw() = source;
        v.Recompute();
    });
    std::printf("points after clean-up: %d (closed %d)\n", v.PointCount(), v.m_closed);
    Report("Recompute, 1,000,000 points with exact and near duplicates", t, "well under 100 ms");
    return 0;
}
