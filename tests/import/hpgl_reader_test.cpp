#include <gtest/gtest.h>

#include "hpgl_fixture.h"
#include "import/texts.h"

using Shown = std::vector<std::string>;
using StrokeList = std::vector<std::vector<CPunkt>>;

namespace {
// A fresh document that has read one text: the strokes of a pen, the position, the messages.
struct ReadOnce : HpglTest {
    using HpglTest::doc;
    using HpglTest::s;
    ReadOnce(const std::string& text, bool showUnknown = false) {
        doc.m_showUnknown = showUnknown ? 1 : 0;
        Read(text);
    }
    void TestBody() override {}
    StrokeList Of(int pen) {
        StrokeList out;
        for (CVector* v : HpglTest::Strokes(pen)) out.push_back(v->m_points.Raw());
        return out;
    }
};
}  // namespace

// ---- plotting ----

TEST(HpglStrokes, WhatEachTextDraws) {
    struct Case {
        const char* text;
        int pen;
        StrokeList strokes;
    };
    const Case cases[] = {
        {"IN;SP1;PU0,0;PD100,0,100,100;PU;", 1, {{{0, 0}, {100, 0}, {100, 100}}}},
        {"SP1;PA10,10;PR5,5;PD5,0;", 1, {{{15, 15}, {20, 15}}}},  // relative from the position
        {"SP1;PU 5,5;PD 10 5 10 10;", 1, {{{5, 5}, {10, 5}, {10, 10}}}},  // blanks separate too
        // As written by some drivers: the next command's letter ends the parameters.
        {"SP1PA1000,100PD2500,100PU650,1150PD1000,1150", 1, {{{1000, 100}, {2500, 100}}, {{650, 1150}, {1000, 1150}}}},
        // Strokes before the first SP go to pen 1.
        {"PU0,0;PD10,0;SP3;PU0,5;PD10,5;", 1, {{{0, 0}, {10, 0}}}},
        {"PU0,0;PD10,0;SP3;PU0,5;PD10,5;", 3, {{{0, 5}, {10, 5}}}},
        {"SP1;PU5,5;PD;AA5,5,90;", 1, {{{5, 5}}}},  // an arc around the position draws nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ReadOnce r(c.text);
        EXPECT_EQ(r.Of(c.pen), c.strokes);
    }
}

// Where the pen stands after a text, and what the reader said: numbers, parameter errors,
// commands whose optional parameters must not swallow the next command, unknown commands.
TEST(HpglPosition, AndMessagesAfterEachText) {
    struct Case {
        std::string text;
        double x, y;
        Shown shown;
        bool showUnknown = false;
    };
    using namespace import_texts;
    using namespace std::string_literals;
    const Case cases[] = {
        {"PU12.7,3;", 12, 3, {}},  // decimals are cut at the point
        {"PU-3.9,-0.5;", -3, 0, {}},
        {"PU5,7;IN;PR1,1;", 1, 1, {}},  // IN returns to the origin
        {"PU99999999999999999999,-99999999999999999999;", 2147483647.0, -2147483648.0, {}},
        {"PU2147483648,-2147483649;", 2147483647.0, -2147483648.0, {}},
        {"PU5-3,--7;", 5, 0, {}},  // like a C integer conversion: "--7" is 0
        {"SP1;PU0,0;PD1,a;PD5,5;", 5, 5, {kXYError}},  // the command is abandoned, the next one read
        {"PU0,0;CI10;PU50,50;", 50, 50, {}},
        {"PU10,0;AA0,0,90;PU7,7;", 7, 7, {}},
        {"PA10,10,PU20,20;", 20, 20, {}},
        {"IP0,0,100,100;SC0,10,0,10;SCPA10,10;", 10, 10, {}},
        {"PU100PD5,5;", 5, 5, {kXYError}},  // a lone number: the letter is the next command
        {"SP1;PU0,0;PD5\0,5;PD7,7;"s, 7, 7, {kXYError}},  // a zero byte is no separator
        {"IP;", 0, 0, {kIPErrorP1}},
        {"IP1,2;PU3,4;", 3, 4, {kIPErrorP2}},
        {"IP;PU;", 0, 0, {kIPErrorP1}},  // no parameters before the letter: IP keeps its points
        {"IP100,200,1100,2200;SC0,10,0,20;PU5,10;", 600, 1200, {}},  // user units onto P1, P2
        {"IP100,200,1100,2200;SC0,10,0,20;PU5,10;PR1,1;", 700, 1300, {}},
        {"IP100,200,1100,2200;SC0,10,0,20;SC;PA5,5;", 5, 5, {}},
        {"IP0,0,100,100;SC5,5,0,10;PU1,1;", 1, 1, {kSCError}},  // an empty range is refused
        {"SC1,2;", 0, 0, {kSCError}},
        {"PU0,0;AA;AA1;AR;", 0, 0, {kAAErrorXY, kXYError, kAAErrorXY, kARError}},
        {"PU0,0;AA1,1;AR1,1;", 0, 0, {kAAErrorArc}},
        {"LT;DT;", 0, 0, {"Unbekannter LT Befehl", "Unbekannter DT Befehl"}, true},
        {"LT;DT;", 0, 0, {}},
        {"PU0,0;AF;AP;AS;CA1;CP;CS0;CV;VS10;", 0, 0, {}, true},  // ignored commands say nothing
        // Label text is read as commands.
        {"LBHELLO\x03;PA1,1;B1X\xE9", 1, 1, {"Unbekannter LB Befehl", "Unbekannter HE Befehl", "Unbekannter LL Befehl",
                                             "Unbekannter O? Befehl", "Unbekannter B1 Befehl", "Unbekannter X\xC3\xA9 Befehl"}, true},
        {"PU1,1;Q", 1, 1, {"Unbekannter Q Befehl"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        ReadOnce r(c.text, c.showUnknown);
        EXPECT_EQ(r.doc.m_hpglPos, (CPunkt{c.x, c.y}));
        EXPECT_EQ(r.s.ui.shown, c.shown);
    }
}

TEST_F(HpglTest, PenStateAfterReading) {
    Read("SP1;SP2;SP1;SP2;SP1;");  // selecting pens again and again makes no pile of empty chains
    EXPECT_EQ(Pen(1)->m_chains.size(), 1u);
    EXPECT_EQ(Pen(2)->m_chains.size(), 1u);
    EXPECT_EQ(doc.m_currentPenNumber, 1);
    Read("PU5,7;IN;PR1,1;");
    EXPECT_EQ(doc.m_relative, 1);
    Read("PA10,10,PU20,20;");
    EXPECT_EQ(doc.m_penUp, 1);
    Read("PU100PD5,5;");
    EXPECT_EQ(doc.m_penUp, 0);
    Read("IP1,2;PU3,4;");
    EXPECT_EQ(doc.m_p1, (CPunkt{1, 2}));
}

TEST_F(HpglTest, CircleWithPenDownLeavesTheCircleClosed) {
    Read("SP1;PU0,0;PD;CI10;PA20,0;");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 3u);  // the dot at the centre, the circle, the stroke after it
    EXPECT_EQ(strokes[1]->m_points.Front(), strokes[1]->m_points.Back());
    EXPECT_EQ(strokes[2]->m_points.Raw(), (std::vector<CPunkt>{{0, 0}, {20, 0}}));
}

// ---- arcs and circles ----
TEST_F(HpglTest, ArcWithTenSegments) {
    app.m_segmentAngle = 10.0;
    Read("SP1;PU10,0;PD;AA0,0,90;");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 1u);
    const CPointArray& p = strokes[0]->m_points;
    ASSERT_EQ(p.Size(), 12);
    ExpectPoint(p[0], 10, 0);
    for (int j = 0; j < 10; ++j) {
        const double a = (360.0 + 9.0 * j) * kPi / 180.0;
        ExpectPoint(p[1 + j], 10 * std::cos(a), 10 * std::sin(a), 1e-9);
    }
    ExpectPoint(p[11], 0, 10, 1e-9);
    ExpectPoint(doc.m_hpglPos, 0, 10, 1e-9);
}

TEST_F(HpglTest, ArcRelativeClockwiseAndPenUp) {
    app.m_segmentAngle = 45.0;
    Read("SP1;PU0,0;PD;AR0,10,-180;");  // centre (0,10), clockwise half turn to (0,20)
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 1u);
    ExpectPoint(strokes[0]->m_points.Back(), 0, 20, 1e-9);
    // Clockwise from the bottom of the circle passes its left side.
    EXPECT_LT(strokes[0]->m_points[3].x, -5.0);
    Read("PU0,0;AA0,10,180;");
    ExpectPoint(doc.m_hpglPos, 0, 20, 1e-9);
    EXPECT_EQ(Strokes(1, 1).size(), 0u);
}

TEST_F(HpglTest, ArcChordsNoLongerThanTheMaximumVectorLength) {
    // Radius 1000 at 1 degree gives chords of 17.5 units; at 0.25 mm (10 units) they shorten.
    app.m_maxVectorLength = 0.25;
    Read("SP1;PU1000,0;PD;AA0,0,90;");
    const CPointArray& p = Strokes(1)[0]->m_points;
    for (int i = 1; i < p.Size(); ++i) EXPECT_LE(Distance(p[i - 1], p[i]), 10.0 + 1e-9);
    // A given chord angle is used as it is.
    Read("SP1;PU1000,0;PD;AA0,0,90,30;");
    EXPECT_EQ(Strokes(1, 1)[0]->PointCount(), 1 + 4 + 1);
}

TEST_F(HpglTest, CircleIsClosedAtRadiusRight) {
    Read("SP2;PU0,0;CI10;");
    auto strokes = Strokes(2);
    ASSERT_EQ(strokes.size(), 1u);
    const CPointArray& p = strokes[0]->m_points;
    ASSERT_EQ(p.Size(), 362);  // 1 degree: 361 segments, and the closing point
    ExpectPoint(p.Front(), 10, 0);
    ExpectPoint(p.Back(), 10, 0);
    ExpectPoint(doc.m_hpglPos, 0, 0);
    EXPECT_EQ(doc.m_curChain, strokes[0]);
}

TEST_F(HpglTest, CircleRadiusScalesWithX) {
    Read("IP0,0,200,200;SC0,100,0,100;PU50,50;CI10,90;");
    const CPointArray& p = Strokes(1)[0]->m_points;
    ASSERT_EQ(p.Size(), 5 + 1);  // 360/90 + 1 segments
    ExpectPoint(p.Front(), 120, 100);
}

TEST_F(HpglTest, ArcsOfAbsurdSizeAreRefusedOnce) {
    Read("SP1;PU10,0;PD;AA0,0,2000000000;AA0,0,-2000000000;CI10,-5;PD20,0;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kHpglArcRefused});
    EXPECT_LT(PointCount(), 10u);
    // The stroke breaks at the refused arc and goes on from its end.
    ExpectPoint(doc.m_hpglPos, 20, 0);
}

TEST_F(HpglTest, NoSegmentAngleLeftRefusesTheCircle) {
    app.m_segmentAngle = 0.0;
    Read("PU0,0;CI10;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kHpglArcRefused});
    EXPECT_EQ(PointCount(), 0u);
}

TEST_F(HpglTest, ManyHugeCirclesStayWithinTheBudget) {
    // Each circle alone is allowed (about 90000 points in chords of 4 units); together they
    // would need gigabytes.
    app.m_maxVectorLength = 0.1;
    std::string text = "PU0,0;";
    for (int i = 0; i < 2000; ++i) text += "CI57000;";
    Read(text);
    EXPECT_LE(PointCount(), 4000000u + text.size() / 4);  // the allowance and a point per 4 bytes
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kHpglArcRefused});
}

// ---- unknown commands ----

// Ten unknown commands are shown; from the tenth on the summary follows them.
TEST_F(HpglTest, TenUnknownCommandsAreShownThenTheSummary) {
    doc.m_showUnknown = 1;
    for (int count : {9, 10, 11}) {
        SCOPED_TRACE(count);
        s.ui.shown.clear();
        std::string text;
        Shown want;
        for (int k = 0; k < count; ++k) {
            text += k % 2 ? "DT;" : "LT;";
            if (k < 10) want.push_back(k % 2 ? "Unbekannter DT Befehl" : "Unbekannter LT Befehl");
        }
        if (count >= 10) want.push_back(import_texts::kTooManyErrors);
        Import(text);
        EXPECT_EQ(s.ui.shown, want);
    }
}

// ---- robustness ----

TEST_F(HpglTest, TextsEndingInsideACommandStayInBounds) {
    const char* cut[] = {"PD",     "PD1",   "PD1,",   "PD-",  "PU1, ", "AA",   "AA0,0",   "AA0,0,",
                         "AA0,0,9", "AR1,1,90,", "CI",    "CI5,", "IP1,2,", "IP1,2,3", "SC0,1,", "SC0,1,0",
                         "SP",     "SP ",   "P",      "X",    "IN",    "-",    "PD1 ",    "PU1,1,"};
    for (const char* t : cut) {
        SCOPED_TRACE(t);
        Read(std::string("SP1;PU10,0;PD;") + t);
    }
    EXPECT_TRUE(AllPointsFinite());
}

TEST(HpglLineBreaks, RemovesEveryCRAndLFKeepingOrder) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"\r\n", ""}, {"\n\n\r", ""}, {"abc", "abc"}, {"\rabc\n", "abc"}, {"a\r\nb\nc\rd", "abcd"},
        {"ab\r\n\r\ncd\n", "abcd"}, {std::string("x\0\ny", 4), std::string("x\0y", 3)}};
    for (auto [text, expected] : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        StripLineBreaks(text);
        EXPECT_EQ(text, expected);
    }
}
