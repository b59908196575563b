// The HPGL import's frame against its steps done the plain way, on many random plotter
// files: the reader recomputes chains as it finishes them, the joining reads only what it
// moves and runs pens side by side, the move runs on several threads, and the box
// recomputations in between repeat results without reading points. None of that may change
// a point, a box, a flag or a message, nor the order of the messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <random>
#include <string>
#include <vector>

#include "import/hpgl_reader.h"
#include "model/document.h"
#include "model/parallel.h"
#include "model/quenk_app.h"
#include "model/texts.h"
#include "import/texts.h"
#include "prepare/join_reference.h"
#include "support/describe.h"
#include "support/scripted_interaction.h"
#include "support/test_depth.h"

namespace {

// The reader with its steps done the plain way: one after the other on one thread.
void PlainImport(CQuenkDoc& doc, std::string bytes, const std::string& name) {
    ResetHpglScaling(doc);
    const double maxXBefore = doc.m_maxX;
    StripLineBreaks(bytes);
    if (bytes.size() > 10 && doc.m_nothingImported) {
        doc.m_nothingImported = 0;
        doc.m_drawingName = name;
    }
    CLayer& layer = *doc.AddLayer();
    doc.m_curLayer = &layer;
    doc.m_curPen = nullptr;
    doc.m_curChain = nullptr;
    if (InterpretHpgl(doc, bytes) > 9) Ui().Message(import_texts::kTooManyErrors);
    const CQuenkApp& app = doc.App();
    if (maxXBefore == 0.0) {
        doc.m_importTargetX = app.m_workZeroX / app.m_plotterUnit;
        doc.m_importTargetY = app.m_workZeroY / app.m_plotterUnit;
    } else {
        doc.m_importTargetX = maxXBefore + 400.0;
    }
    doc.RecomputeBox();
    const double dx = doc.m_importTargetX - layer.m_minX;
    const double dy = doc.m_importTargetY - layer.m_minY;
    ReferenceJoinEndPoints(doc, layer);
    for (auto& pen : layer.m_pens)
        for (auto& c : pen->m_chains)
            for (CPunkt& p : c->m_points) {
                p.x += dx;
                p.y += dy;
            }
    ShowingNotes([&](DirectionNotes& notes) { layer.RecomputeBox(notes); });
    layer.RemoveDuplicatePoints();
    doc.RecomputeBox();
    Ui().RequestRedraw();
}

// A plotter file on a small grid: touching strokes of several pens, absolute and relative,
// circles and arcs, pens selected again later, and now and then a scaling so fine that
// neighbouring points fall within the clean-up tolerance.
std::string RandomPlot(std::mt19937& rng, int maxCommands = 60, bool penChanges = true) {
    auto dice = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::string t = penChanges ? "IN;" : "";
    if (dice(0, 4) == 0) t += "IP0,0,1,1;SC0," + std::to_string(dice(5000, 40000)) + ",0,30000;";
    const int commands = dice(1, maxCommands);
    for (int k = 0; k < commands; ++k) {
        const int kind = dice(penChanges ? 0 : 2, 19);
        auto pair = [&] { return std::to_string(dice(-6, 6)) + "," + std::to_string(dice(-6, 6)); };
        if (kind < 2) {
            t += "SP" + std::to_string(dice(1, 4)) + ";";
        } else if (kind < 5) {
            t += "PU" + pair() + ";";
        } else if (kind < 13) {
            t += std::string(dice(0, 2) ? "PD" : "PA") + pair();
            for (int n = dice(0, 4); n > 0; --n) t += "," + pair();
            t += ";";
        } else if (kind < 15) {
            t += "PR" + pair() + "," + pair() + ";PA;";
        } else if (kind < 16) {
            t += "CI" + std::to_string(dice(1, 4)) + ";";
        } else if (kind < 17) {
            t += "AA" + pair() + "," + std::to_string(dice(-180, 180)) + ";";
        } else if (kind < 18) {
            t += "PD;";
        } else if (kind < 19) {
            t += "PU;";
        } else {
            t += "PD" + pair() + ",0,0,0,0," + pair() + ";";  // a repeated point
        }
    }
    return t;
}

struct Outcome {
    std::vector<std::string> drawing;
    std::vector<std::string> shown;
    int redraws = 0;
};

Outcome ImportBoth(const std::string& first, const std::string& second, bool plain) {
    ScriptedSession s;
    CQuenkApp app;
    CQuenkDoc doc(app);
    doc.m_showUnknown = 1;
    // A first drawing lies in the document already: the second one goes beside it, and the
    // box recomputations walk the first one's chains as well.
    PlainImport(doc, first, "a.plt");
    s.ui.shown.clear();
    if (plain)
        PlainImport(doc, second, "b.plt");
    else
        ImportHpglBytes(doc, second, "b.plt");
    return {DescribeDrawing(doc), s.ui.shown, s.ui.redraws};
}

}  // namespace

TEST(ImportStepsRandom, ImportMatchesThePlainSteps) {
    std::mt19937 rng(2024);
    int withMessages = 0;
    for (int round = 0; round < Rounds(1000); ++round) {
        const std::string first = RandomPlot(rng), second = RandomPlot(rng);
        const Outcome plain = ImportBoth(first, second, true), fast = ImportBoth(first, second, false);
        ASSERT_EQ(fast.shown, plain.shown) << "round " << round << "\n" << second;
        ASSERT_EQ(fast.redraws, plain.redraws) << "round " << round;
        ASSERT_EQ(fast.drawing.size(), plain.drawing.size()) << "round " << round;
        for (std::size_t i = 0; i < plain.drawing.size(); ++i)
            ASSERT_EQ(fast.drawing[i], plain.drawing[i]) << "round " << round << "\n" << second;
        withMessages += plain.shown.size() > 1;
    }
    EXPECT_GT(withMessages, Rounds(1000) / 30);
}

TEST(ImportStepsRandom, LargeFilesOnSeveralThreadsMatchToo) {
    // Enough chains that the joining and the move go to several threads.
    std::mt19937 rng(77);
    for (int round = 0; round < Rounds(2); ++round) {
        const std::string first = RandomPlot(rng, 30000), second = RandomPlot(rng, 30000);
        const Outcome plain = ImportBoth(first, second, true), fast = ImportBoth(first, second, false);
        ASSERT_EQ(fast.shown, plain.shown) << "round " << round;
        ASSERT_EQ(fast.drawing, plain.drawing) << "round " << round;
        ASSERT_GT(plain.drawing.size(), kPiecesWorthThreads);
    }
}

TEST(ImportStepsRandom, PenByPenFilesJoinedWhileReadingMatchToo) {
    // One pen after the other, as plotter drivers write: every finished pen is joined while
    // the reader goes on. Now and then a pen comes back at the end, or a pen is selected in
    // a way the walk does not read as a selection ("XSP2" is the command XS, then P2).
    std::mt19937 rng(78);
    for (int round = 0; round < Rounds(2); ++round) {
        std::string file = "IN;";
        for (int pen = 1; pen <= 5; ++pen) {
            file += "SP" + std::to_string(pen) + ";";
            file += RandomPlot(rng, 9000, false);
            if (pen == 3 && round % 2 == 1) file += "XSP1;";
        }
        if (round % 2 == 0 || round >= 2) file += "SP2;" + RandomPlot(rng, 2000, false);
        const Outcome plain = ImportBoth("SP1;PD1,1,2,2;", file, true);
        const Outcome fast = ImportBoth("SP1;PD1,1,2,2;", file, false);
        ASSERT_EQ(fast.shown, plain.shown) << "round " << round;
        ASSERT_EQ(fast.drawing, plain.drawing) << "round " << round;
    }
}

TEST(ImportStepsRandom, DirectionMessagesOfAThreadedImportComeAsFromThePlainWalk) {
    // Pen by pen, large enough for the helper thread and the threads of the move: tiny closed
    // squares (" Vektor zu klein ") and flat closed back-and-forth chains (undeterminable)
    // in an order that differs from pen to pen, so that any other order of the pens' messages
    // would show.
    std::string file = "IN;IP0,0,1,1;SC0,40000,0,40000;";
    int squares = 0;
    for (int pen = 1; pen <= 4; ++pen) {
        file += "SP" + std::to_string(pen) + ";";
        for (int k = 0; k < 1200; ++k) {
            const std::string x = std::to_string(3000 * (k % 40)), y = std::to_string(3000 * (k / 40 + 40 * pen));
            const bool flat = (k + pen) % 7 == 0;
            file += "PU" + x + "," + y + ";PD" + (flat ? ";PR2000,0,-1000,0,-1000,0;PA;" : ";PR10,0,0,10,-10,0,0,-10;PA;");
            squares += flat ? 0 : 1;
        }
    }
    const Outcome plain = ImportBoth("SP1;PD1,1,2,2;", file, true);
    const Outcome fast = ImportBoth("SP1;PD1,1,2,2;", file, false);
    ASSERT_EQ(fast.shown, plain.shown);
    ASSERT_EQ(fast.drawing, plain.drawing);
    const auto count = [&](const char* text) { return std::count(plain.shown.begin(), plain.shown.end(), text); };
    // Every tiny square says so at each of the four recomputations the import runs on it; the
    // undeterminable direction is shown five times in all.
    EXPECT_EQ(count(texts::kChainTooSmall), 4 * squares);
    EXPECT_EQ(count(texts::kDirectionUndeterminable), kMaxDirectionWarnings);
}

TEST(ImportStepsRandom, ManySmallPensBesideLargeOnesMatchToo) {
    // Thousands of pens of a stroke or two, which the reader's thread takes through the steps
    // itself, between large pens that the helper joins meanwhile; some small pens come back
    // later, some are only selected.
    std::mt19937 rng(79);
    std::string file = "IN;";
    for (int pen = 1; pen <= 3000; ++pen) {
        file += "SP" + std::to_string(pen) + ";";
        if (pen % 7 != 0) file += RandomPlot(rng, pen % 1000 == 0 ? 9000 : 3, false);
        if (pen % 250 == 0) file += "SP" + std::to_string(pen / 2) + ";PD1,1,2,2;";
    }
    const Outcome plain = ImportBoth("SP1;PD1,1,2,2;", file, true);
    const Outcome fast = ImportBoth("SP1;PD1,1,2,2;", file, false);
    ASSERT_EQ(fast.shown, plain.shown);
    ASSERT_EQ(fast.drawing, plain.drawing);
}

TEST(ImportStepsRandom, FilesLargeEnoughForTheRoomInLargePagesMatchToo) {
    // Over 4 MB of text: the import makes its room in large pages, and the idle helper brings
    // in the reader's next pages while the reader goes on. Pens come back all the time, so
    // the helper has nothing else to do until the end.
    std::mt19937 rng(80);
    std::string file = "IN;";
    while (file.size() < (std::size_t{9} << 19)) file += RandomPlot(rng, 400, true);
    const Outcome plain = ImportBoth("SP1;PD1,1,2,2;", file, true);
    const Outcome fast = ImportBoth("SP1;PD1,1,2,2;", file, false);
    ASSERT_EQ(fast.shown, plain.shown);
    ASSERT_EQ(fast.drawing, plain.drawing);
}
