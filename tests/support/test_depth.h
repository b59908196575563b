#pragma once
// How many random cases the differential tests try. `make test` runs the quick counts; a
// deeper run is one variable away: QUENK_TEST_DEPTH=deep tries ten times as many, a whole
// number that many times as many.

#include <cstdlib>
#include <string_view>

inline int TestDepth() {
    static const int depth = [] {
        const char* v = std::getenv("QUENK_TEST_DEPTH");
        if (v == nullptr || std::string_view(v) == "quick") return 1;
        if (std::string_view(v) == "deep") return 10;
        const int n = std::atoi(v);
        return n > 0 ? n : 1;
    }();
    return depth;
}

// The rounds of a test whose quick run tries `quick` cases.
inline int Rounds(int quick) { return quick * TestDepth(); }
