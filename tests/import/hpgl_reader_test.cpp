#include <gtest/gtest.h>

#include "hpgl_fixture.h"
#include "import/texts.h"

using Shown = std::vector<std::string>;

// ---- plotting ----

TEST_F(HpglTest, PenDownStrokeAndTheEmptyChainOfSP) {
    Read("IN;SP1;PU0,0;PD100,0,100,100;PU;");
    ASSERT_EQ(doc.m_layers.size(), 1u);
    ASSERT_EQ(Layer().m_pens.size(), 1u);
    CStift* pen = Pen(1);
    ASSERT_NE(pen, nullptr);
    ASSERT_EQ(pen->m_chains.size(), 2u);
    EXPECT_EQ(pen->m_chains[0]->PointCount(), 0);
    const CPointArray& p = pen->m_chains[1]->m_points;
    ASSERT_EQ(p.Size(), 3);
    ExpectPoint(p[0], 0, 0);
    ExpectPoint(p[1], 100, 0);
    ExpectPoint(p[2], 100, 100);
    EXPECT_EQ(doc.m_penUp, 1);
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST_F(HpglTest, RelativePlottingStartsFromThePosition) {
    Read("SP1;PA10,10;PR5,5;PD5,0;");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0]->PointCount(), 2);
    ExpectPoint(strokes[0]->m_points[0], 15, 15);
    ExpectPoint(strokes[0]->m_points[1], 20, 15);
    EXPECT_EQ(doc.m_relative, 1);
}

TEST_F(HpglTest, DecimalsAreCutAtThePoint) {
    Read("PU12.7,3;");
    ExpectPoint(doc.m_hpglPos, 12, 3);
    Read("PU-3.9,-0.5;");
    ExpectPoint(doc.m_hpglPos, -3, 0);
}

TEST_F(HpglTest, BlanksAndSeparators) {
    Read("SP1;PU 5,5;PD 10 5 10 10;");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 1u);
    ASSERT_EQ(strokes[0]->PointCount(), 3);
    ExpectPoint(strokes[0]->m_points[2], 10, 10);
}

TEST_F(HpglTest, CommandsWithoutSemicolons) {
    // As written by some drivers: the next command's letter ends the parameters.
    Read("SP1PA1000,100PD2500,100PU650,1150PD1000,1150");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 2u);
    ExpectPoint(strokes[0]->m_points[0], 1000, 100);
    ExpectPoint(strokes[0]->m_points[1], 2500, 100);
    ExpectPoint(strokes[1]->m_points[1], 1000, 1150);
}

TEST_F(HpglTest, StrokesBeforeTheFirstSPGoToPen1) {
    Read("PU0,0;PD10,0;SP3;PU0,5;PD10,5;");
    ASSERT_EQ(Strokes(1).size(), 1u);
    ASSERT_EQ(Strokes(3).size(), 1u);
}

TEST_F(HpglTest, SelectingPensAgainAndAgainMakesNoPileOfEmptyChains) {
    Read("SP1;SP2;SP1;SP2;SP1;");
    EXPECT_EQ(Pen(1)->m_chains.size(), 1u);
    EXPECT_EQ(Pen(2)->m_chains.size(), 1u);
    EXPECT_EQ(doc.m_currentPenNumber, 1);
}

TEST_F(HpglTest, INReturnsThePositionToTheOrigin) {
    Read("PU5,7;IN;PR1,1;");
    ExpectPoint(doc.m_hpglPos, 1, 1);
    EXPECT_EQ(doc.m_relative, 1);
}

// ---- numbers and parameter errors ----

TEST_F(HpglTest, MissingSecondNumberReportsXYError) {
    Read("SP1;PU0,0;PD1,a;PD5,5;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kXYError});
    // The command is abandoned; the next one is read.
    ExpectPoint(doc.m_hpglPos, 5, 5);
}

TEST_F(HpglTest, NumbersBeyond32BitsAreHeldAtTheLimits) {
    Read("PU99999999999999999999,-99999999999999999999;");
    ExpectPoint(doc.m_hpglPos, 2147483647.0, -2147483648.0);
    Read("PU2147483648,-2147483649;");
    ExpectPoint(doc.m_hpglPos, 2147483647.0, -2147483648.0);
}

TEST_F(HpglTest, NumbersConvertLikeACIntegerConversion) {
    Read("PU5-3,--7;");  // a '-' inside ends the conversion, "--7" converts to 0
    ExpectPoint(doc.m_hpglPos, 5, 0);
}

// After any command, with or without its optional parameters, reading goes on at the next
// command: none of these may lose the PU or PA that follows.
TEST_F(HpglTest, OptionalParametersNeverSwallowTheNextCommand) {
    Read("PU0,0;CI10;PU50,50;");
    ExpectPoint(doc.m_hpglPos, 50, 50);
    Read("PU10,0;AA0,0,90;PU7,7;");
    ExpectPoint(doc.m_hpglPos, 7, 7);
    Read("PA10,10,PU20,20;");
    ExpectPoint(doc.m_hpglPos, 20, 20);
    EXPECT_EQ(doc.m_penUp, 1);
    Read("IP0,0,100,100;SC0,10,0,10;SCPA10,10;");
    ExpectPoint(doc.m_hpglPos, 10, 10);
    Read("PU100PD5,5;");  // a lone number: the letter is the next command, not a separator
    ExpectPoint(doc.m_hpglPos, 5, 5);
    EXPECT_EQ(doc.m_penUp, 0);
    EXPECT_TRUE(s.ui.shown.size() == 1u && s.ui.shown[0] == import_texts::kXYError);
}

TEST_F(HpglTest, IPErrors) {
    Read("IP;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kIPErrorP1});
    s.ui.shown.clear();
    Read("IP1,2;PU3,4;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kIPErrorP2});
    ExpectPoint(doc.m_p1, 1, 2);
    ExpectPoint(doc.m_hpglPos, 3, 4);
    s.ui.shown.clear();
    Read("IP;PU;");  // no parameters before the letter: IP keeps its points
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kIPErrorP1});
}

TEST_F(HpglTest, ScalingMapsUserUnitsOntoP1P2) {
    Read("IP100,200,1100,2200;SC0,10,0,20;PU5,10;");
    ExpectPoint(doc.m_hpglPos, 600, 1200);
    Read("PR1,1;");
    ExpectPoint(doc.m_hpglPos, 700, 1300);
    Read("SC;PA5,5;");
    ExpectPoint(doc.m_hpglPos, 5, 5);
}

TEST_F(HpglTest, ScalingOverAnEmptyRangeIsRefused) {
    Read("IP0,0,100,100;SC5,5,0,10;PU1,1;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kSCError});
    EXPECT_EQ(doc.m_scaleX, 1.0);
    ExpectPoint(doc.m_hpglPos, 1, 1);
    s.ui.shown.clear();
    Read("SC1,2;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kSCError});
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

TEST_F(HpglTest, ArcAroundThePositionDrawsNothing) {
    Read("SP1;PU5,5;PD;AA5,5,90;");
    EXPECT_EQ(Strokes(1)[0]->PointCount(), 1);
    ExpectPoint(doc.m_hpglPos, 5, 5);
}

TEST_F(HpglTest, ArcParameterErrors) {
    Read("AA;AA1;AR;");
    EXPECT_EQ(s.ui.shown, (Shown{import_texts::kAAErrorXY, import_texts::kXYError, import_texts::kAAErrorXY,
                                 import_texts::kARError}));
    s.ui.shown.clear();
    Read("AA1,1;AR1,1;");
    EXPECT_EQ(s.ui.shown, Shown{import_texts::kAAErrorArc});
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

TEST_F(HpglTest, CircleWithPenDownLeavesTheCircleClosed) {
    Read("SP1;PU0,0;PD;CI10;PA20,0;");
    auto strokes = Strokes(1);
    ASSERT_EQ(strokes.size(), 3u);  // the dot at the centre, the circle, the stroke after it
    EXPECT_EQ(strokes[1]->m_points.Front(), strokes[1]->m_points.Back());
    ASSERT_EQ(strokes[2]->PointCount(), 2);
    ExpectPoint(strokes[2]->m_points[0], 0, 0);
    ExpectPoint(strokes[2]->m_points[1], 20, 0);
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

TEST_F(HpglTest, UnknownCommandsAreShownWhenAsked) {
    doc.m_showUnknown = 1;
    Read("LT;DT;");
    EXPECT_EQ(s.ui.shown, (Shown{"Unbekannter LT Befehl", "Unbekannter DT Befehl"}));
    s.ui.shown.clear();
    doc.m_showUnknown = 0;
    Read("LT;DT;");
    EXPECT_TRUE(s.ui.shown.empty());
}

TEST_F(HpglTest, ElevenUnknownCommandsShowTenAndTheSummary) {
    doc.m_showUnknown = 1;
    Import("LT;DT;LT;DT;LT;DT;LT;DT;LT;DT;LT;");
    ASSERT_EQ(s.ui.shown.size(), 11u);
    EXPECT_EQ(s.ui.shown[9], "Unbekannter DT Befehl");
    EXPECT_EQ(s.ui.shown[10], import_texts::kTooManyErrors);
}

TEST_F(HpglTest, NineUnknownCommandsGiveNoSummary) {
    doc.m_showUnknown = 1;
    Import("LT;DT;LT;DT;LT;DT;LT;DT;LT;");
    EXPECT_EQ(s.ui.shown.size(), 9u);
}

TEST_F(HpglTest, LabelTextIsReadAsCommands) {
    doc.m_showUnknown = 1;
    Read("LBHELLO\x03;PA1,1;B1X\xE9");
    EXPECT_EQ(s.ui.shown, (Shown{"Unbekannter LB Befehl", "Unbekannter HE Befehl", "Unbekannter LL Befehl",
                                 "Unbekannter O? Befehl", "Unbekannter B1 Befehl", "Unbekannter X\xC3\xA9 Befehl"}));
    ExpectPoint(doc.m_hpglPos, 1, 1);
    s.ui.shown.clear();
    Read("PU1,1;Q");
    EXPECT_EQ(s.ui.shown, Shown{"Unbekannter Q Befehl"});
}

TEST_F(HpglTest, IgnoredCommandsSayNothing) {
    doc.m_showUnknown = 1;
    Read("AF;AP;AS;CA1;CP;CS0;CV;VS10;");
    EXPECT_TRUE(s.ui.shown.empty());
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

TEST_F(HpglTest, ZeroBytesAreOrdinaryCharacters) {
    Read(std::string("SP1;PU0,0;PD5\0,5;PD7,7;", 24));
    ExpectPoint(doc.m_hpglPos, 7, 7);
}

TEST(HpglLineBreaks, RemovesEveryCRAndLFKeepingOrder) {
    const std::string cases[] = {"", "\r\n", "\n\n\r", "abc", "\rabc\n", "a\r\nb\nc\rd", "ab\r\n\r\ncd\n",
                                 std::string("x\0\ny", 4)};
    for (const std::string& c : cases) {
        std::string expected;
        for (char ch : c)
            if (ch != '\r' && ch != '\n') expected += ch;
        std::string got = c;
        StripLineBreaks(got);
        EXPECT_EQ(got, expected);
    }
}
