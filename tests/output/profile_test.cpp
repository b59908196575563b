#include "output/profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
using Shown = std::vector<std::string>;

// A profile of 400 units chord: trailing edge A, upper point U at a quarter chord, nose N,
// lower point L. Its files are worked out by hand below.
const CPunkt A{400, 0}, U{100, 40}, N{0, 0}, L{200, -20};
CPunkt Mirrored(CPunkt p) { return {400 - p.x, p.y}; }

// NACA 2412 (camber 2 % at 40 %, thickness 12 %), 4000 units chord, 301 points from the
// trailing edge over the upper side; cosine spacing, thickness laid off vertically.
std::vector<CPunkt> Naca2412() {
    std::vector<CPunkt> points;
    for (int k = -150; k <= 150; ++k) {
        const double x = (1.0 - std::cos(3.14159265358979323846 * std::abs(k) / 150)) / 2.0;
        const double yc = x < 0.4 ? 0.125 * (0.8 * x - x * x) : 0.02 / 0.36 * (0.2 + 0.8 * x - x * x);
        const double yt = std::abs(k) == 150 ? 0.0 : 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * std::pow(x, 3) - 0.1036 * std::pow(x, 4));
        points.push_back({1000 + 4000 * x, 500 + 4000 * (k < 0 ? yc + yt : yc - yt)});
    }
    return points;
}

struct Export {
    ScriptedSession s;
    TempDir dir;
    CVector chain;
    explicit Export(std::vector<CPunkt> points) {
        chain.m_points = CPointArray(std::move(points));
        chain.Recompute();
        s.ui.shown.clear();
    }
    // Exports with format 1 or 2, or 3 "Ausgabe SVPlus", 4 "Ausgabe CFWIN"; the file's bytes.
    std::string Run(std::int32_t format, int maxOut = 150) {
        s.ui.files.push_back(dir.File("out"));
        std::filesystem::remove(dir.File("out"));
        CProfile profile;
        profile.m_format = format;
        format == 3   ? OnExportSvPlus(chain)
        : format == 4 ? OnExportCfwin(chain)
                      : profile.Export(chain, 0.025, [maxOut](InfoProfil& i) { return (i.maxOutputPoints = maxOut) != 0; });
        return ReadFile(dir.File("out"));
    }
};
}  // namespace

TEST(FormatProfileNumber, TenSignificantDigitsNineDecimalsBelowOne) {
    const std::pair<double, const char*> cases[] = {{0.0, "0.000000000"}, {0.5, "0.500000000"}, {12.5, "12.50000000"},
        {100.0, "100.0000000"}, {-0.05, "-0.050000000"}, {0.99999999999, "1.000000000"}, {0.000123456789012, "0.000123456"}};
    for (const auto& [v, text] : cases) EXPECT_EQ(FormatProfileNumber(v), text) << v;
}

TEST(ProfileExport, ReducedFilesStartAtTheTrailingEdgeWhicheverWayTheProfileIsDrawn) {
    const std::vector<CPunkt> drawings[] = {{A, U, N, L, A}, {A, L, N, U, A}, {N, L, A, U, N},
                                            {Mirrored(A), Mirrored(U), Mirrored(N), Mirrored(L), Mirrored(A)}};
    for (const auto& points : drawings) {
        Export e(points);
        EXPECT_EQ(e.Run(kProfileCfwin), "1.000000000 0.000000000\r\n0.250000000 0.100000000\r\n0.000000000 0.000000000\r\n"
                                        "0.500000000 -0.050000000\r\n1.000000000 0.000000000\r\n\r\n");
        EXPECT_EQ(e.Run(kProfileProfili), "4.000000000\r\n100.0000000 0.000000000\r\n25.00000000 10.00000000\r\n"
                                          "0.000000000 0.000000000\r\n50.00000000 -5.000000000\r\n100.0000000 0.000000000\r\n\r\n");
        EXPECT_EQ(e.s.ui.shown, (Shown{"save: ", "save: "}));
    }
}

TEST(ProfileExport, SvPlusAndCfwinLeaveTheChainClockwiseFromTheNose) {
    Export e({A, U, N, L, A});
    EXPECT_EQ(e.Run(3), "0.000000000 0.000000000 0.000000000 0.000000000\r\n25.00000000 10.00000000 50.00000000 -5.000000000\r\n"
                        "100.0000000 0.000000000\r\n50.00000000 -5.000000000\r\n\r\n");
    EXPECT_EQ(e.chain.m_points.Raw(), (std::vector<CPunkt>{N, U, A, L, N}));
    EXPECT_EQ(e.chain.m_direction, kDirClockwise);
    EXPECT_EQ(e.Run(4), "1.000000000 0.000000000\r\n0.750000000 0.100000000\r\n0.000000000 0.000000000\r\n"
                        "0.500000000 -0.050000000\r\n1.000000000 0.000000000\r\n\r\n");
}

TEST(ProfileExport, RefusedChainsWriteNothingAndABluntTrailingEdgeIsOnlyAWarning) {
    const std::vector<CPunkt> vertical{{5, 0}, {5, 90}, {5, 20}, {5, 0}}, small{{80, 0}, {20, 8}, {0, 0}, {40, -4}, {80, 0}};
    const std::tuple<std::vector<CPunkt>, int, Shown> cases[] = {
        {{A, N}, 3, {"save: ", "Kontur zu klein!!"}},      {vertical, 3, {"save: ", " Profil zu klein!"}},
        {vertical, 4, {"save: ", " Profil zu klein!"}},    {{A, U, N, L}, kProfileCfwin, {" Vektor nicht geschlossen!"}},
        {small, kProfileCfwin, {" Profil zu klein!"}}};
    for (const auto& [points, format, shown] : cases) {
        Export e(points);
        EXPECT_EQ(e.Run(format), "");
        EXPECT_EQ(e.s.ui.shown, shown);
    }
    Export e({A, U, N, L, {400, -5}, A});
    EXPECT_NE(e.Run(kProfileCfwin), "");
    EXPECT_EQ(e.s.ui.shown, (Shown{" Hinterkante nicht spitz", "save: "}));
}

TEST(ProfileExport, ReductionKeepsTheNoseAndTheLastTrailingEdgePoint) {
    Export e(Naca2412());
    ASSERT_EQ(e.chain.PointCount(), 301);
    // Maximum, and the fewest and most points written (Cancel leaves the maximum at 0).
    const int cases[][3] = {{150, 150, 153}, {0, 3, 3}, {10, 10, 13}};
    for (const auto& [maxOut, fewest, most] : cases) {
        const std::string text = e.Run(kProfileProfili, maxOut);
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        const int points = static_cast<int>(lines.size()) - 2;  // the count line and the empty line
        ASSERT_TRUE(points >= fewest && points <= most) << points;
        EXPECT_EQ(lines[0], FormatProfileNumber(points - 1));
        EXPECT_EQ(lines[1], "100.0000000 0.000000000");
        EXPECT_EQ(lines[points], "100.0000000 0.000000000");
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("0.000000000 ", 0) == 0; }), 1);
        EXPECT_EQ(lines[2].find('-'), std::string::npos) << "upper side first: " << lines[2];
    }
}
