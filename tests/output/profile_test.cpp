#include "output/profile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector.h"
#include "support/chain_builders.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"

namespace {
using Shown = std::vector<std::string>;

// A small profile of 400 drawing units chord: trailing edge A, upper point U at a quarter
// of the chord, nose N, lower point L. Its files are worked out by hand below.
const CPunkt A{400, 0}, U{100, 40}, N{0, 0}, L{200, -20};
CPunkt Mirrored(CPunkt p) { return {400 - p.x, p.y}; }

// NACA 2412 of 4000 units chord with 301 points: trailing edge, upper side, nose, lower
// side, trailing edge; cosine spacing, thickness laid off vertically, sharp trailing edge.
void MakeNaca2412(CVector& v) {
    constexpr int kSide = 150;
    constexpr double m = 0.02, p = 0.4, t = 0.12, kPi = 3.14159265358979323846;
    auto point = [&](int j, int side) {
        const double x = (1.0 - std::cos(kPi * j / kSide)) / 2.0;
        const double yc = x < p ? m / (p * p) * (2 * p * x - x * x) : m / ((1 - p) * (1 - p)) * (1 - 2 * p + 2 * p * x - x * x);
        const double yt = j == kSide ? 0.0
                                     : 5 * t * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                                                0.1036 * x * x * x * x);
        return CPunkt{1000 + 4000 * x, 500 + 4000 * (yc + side * yt)};
    };
    v.m_points.RemoveAll();
    for (int j = kSide; j >= 1; --j) v.AddPoint(point(j, 1));
    for (int j = 0; j <= kSide; ++j) v.AddPoint(point(j, -1));
    v.Recompute();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

InfoProfilDialog Answer(int maxOut) {
    return [maxOut](InfoProfil& info) {
        info.maxOutputPoints = maxOut;
        return maxOut != 0;
    };
}

struct Export {
    ScriptedSession s;
    TempDir dir;
    CVector chain;
    std::string Reduced(std::int32_t format, int maxOut, bool* written = nullptr) {
        s.ui.files.push_back(dir.File("out"));
        CProfile profile;
        profile.m_format = format;
        const bool ok = profile.Export(chain, 0.025, Answer(maxOut));
        if (written) *written = ok;
        return ReadFile(dir.File("out"));
    }
    std::string Whole(bool (*command)(CVector&)) {
        s.ui.files.push_back(dir.File("out"));
        command(chain);
        return ReadFile(dir.File("out"));
    }
};
}  // namespace

TEST(FormatProfileNumber, TenSignificantDigitsNineDecimalsBelowOne) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0.000000000"},      {0.5, "0.500000000"},      {12.5, "12.50000000"},   {100.0, "100.0000000"},
        {150.0, "150.0000000"},    {-0.05, "-0.050000000"},   {-3.25, "-3.250000000"}, {0.99999999999, "1.000000000"},
        {1234567890.4, "1234567890."}, {0.000123456789012, "0.000123456"}, {1e-12, "0.000000000"},
    };
    for (const auto& [v, text] : cases) EXPECT_EQ(FormatProfileNumber(v), text) << v;
}

TEST(ProfileExport, ReducedFilesStartAtTheTrailingEdgeWhicheverWayTheProfileIsDrawn) {
    const std::string usr =
        "1.000000000 0.000000000\r\n0.250000000 0.100000000\r\n0.000000000 0.000000000\r\n"
        "0.500000000 -0.050000000\r\n1.000000000 0.000000000\r\n\r\n";
    const std::string dat =
        "4.000000000\r\n100.0000000 0.000000000\r\n25.00000000 10.00000000\r\n0.000000000 0.000000000\r\n"
        "50.00000000 -5.000000000\r\n100.0000000 0.000000000\r\n\r\n";
    const std::vector<CPunkt> drawings[] = {
        {A, U, N, L, A},
        {A, L, N, U, A},
        {N, L, A, U, N},
        {Mirrored(A), Mirrored(U), Mirrored(N), Mirrored(L), Mirrored(A)},
    };
    for (const auto& points : drawings) {
        Export e;
        e.chain.m_points = CPointArray(points);
        e.chain.Recompute();
        EXPECT_EQ(e.Reduced(kProfileCfwin, 150), usr);
        EXPECT_EQ(e.Reduced(kProfileProfili, 150), dat);
        EXPECT_EQ(e.s.ui.shown, (Shown{"save: ", "save: "}));
    }
}

TEST(ProfileExport, SvPlusAndCfwinStartTheChainClockwiseAtTheNose) {
    Export e;
    MakeChain(e.chain, {A, U, N, L, A});
    EXPECT_EQ(e.Whole(OnExportSvPlus),
              "0.000000000 0.000000000 0.000000000 0.000000000\r\n25.00000000 10.00000000 50.00000000 -5.000000000\r\n"
              "100.0000000 0.000000000\r\n50.00000000 -5.000000000\r\n\r\n");
    EXPECT_EQ(e.chain.m_points.Raw(), (std::vector<CPunkt>{N, U, A, L, N}));
    EXPECT_EQ(e.chain.m_direction, kDirClockwise);
    EXPECT_EQ(e.Whole(OnExportCfwin),
              "1.000000000 0.000000000\r\n0.750000000 0.100000000\r\n0.000000000 0.000000000\r\n"
              "0.500000000 -0.050000000\r\n1.000000000 0.000000000\r\n\r\n");
}

TEST(ProfileExport, RefusedChainsWriteNothing) {
    const CPunkt blunt{400, -5};
    const struct {
        std::vector<CPunkt> points;
        int command;  // 0 SVPlus, 1 CFWIN, 2 CFWin reduced
        Shown shown;
    } cases[] = {
        {{A, N}, 0, {"save: ", "Kontur zu klein!!"}},
        {{{5, 0}, {5, 90}, {5, 20}, {5, 0}}, 0, {"save: ", " Profil zu klein!"}},
        {{{5, 0}, {5, 90}, {5, 20}, {5, 0}}, 1, {"save: ", " Profil zu klein!"}},
        {{A, U, N, L}, 2, {" Vektor nicht geschlossen!"}},
        {{{80, 0}, {20, 8}, {0, 0}, {40, -4}, {80, 0}}, 2, {" Profil zu klein!"}},
    };
    for (const auto& c : cases) {
        Export e;
        e.chain.m_points = CPointArray(c.points);
        e.chain.Recompute();
        e.s.ui.shown.clear();
        const std::string text = c.command == 0   ? e.Whole(OnExportSvPlus)
                                 : c.command == 1 ? e.Whole(OnExportCfwin)
                                                  : e.Reduced(kProfileCfwin, 150);
        EXPECT_EQ(text, "");
        EXPECT_EQ(e.s.ui.shown, c.shown) << c.command;
    }
    // A blunt trailing edge is only a warning.
    Export e;
    MakeChain(e.chain, {A, U, N, L, blunt, A});
    EXPECT_NE(e.Reduced(kProfileCfwin, 150), "");
    EXPECT_EQ(e.s.ui.shown, (Shown{" Hinterkante nicht spitz", "save: "}));
}

TEST(ProfileExport, ReductionKeepsTheNoseAndTheLastTrailingEdgePoint) {
    Export e;
    MakeNaca2412(e.chain);
    ASSERT_EQ(e.chain.PointCount(), 301);
    const struct {
        int maxOut;
        std::size_t minPoints, maxPoints;
    } cases[] = {{150, 150, 153}, {0, 3, 3}, {10, 10, 13}};
    for (const auto& c : cases) {
        const std::vector<std::string> lines = Lines(e.Reduced(kProfileProfili, c.maxOut));
        ASSERT_GE(lines.size(), 3u);
        const std::size_t points = lines.size() - 2;  // the count line and the empty line
        EXPECT_GE(points, c.minPoints);
        EXPECT_LE(points, c.maxPoints);
        EXPECT_EQ(lines[0], FormatProfileNumber(static_cast<double>(points - 1)));
        EXPECT_EQ(lines[1], "100.0000000 0.000000000");
        EXPECT_EQ(lines[points], "100.0000000 0.000000000");
        EXPECT_EQ(lines.back(), "");
        std::size_t noses = 0;
        for (const std::string& l : lines) noses += l.rfind("0.000000000 ", 0) == 0;
        EXPECT_EQ(noses, 1u) << c.maxOut;
        // The upper side comes first.
        EXPECT_EQ(lines[2].find('-'), std::string::npos) << lines[2];
    }
    EXPECT_EQ(e.s.ui.shown.size(), 3u);
}
