#pragma once
// A drawing point: x and y in drawing (plotter) units, y growing upward.
// A plain 16-byte value; the 24-byte record with its type word exists only in files.

struct CPunkt {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const CPunkt&, const CPunkt&) = default;
};

static_assert(sizeof(CPunkt) == 16, "points are kept as two doubles, nothing more");
