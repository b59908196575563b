// The step "report": its JSON text, byte for byte, for one small drawing.

#include <gtest/gtest.h>

#include "cli_run.h"

TEST(CliReport, GoldenJsonOfASmallDrawing) {
    TempDir dir;
    // A closed square drawn twice, a stroke with a gap of 30 units to the next, two unknown
    // commands; placed at the work zero point (12.5 mm, 10 mm: 500, 400 units).
    std::ofstream(dir.File("t.plt")) << "SP1;PU0,0;PD99,0,99,99,0,99,0,0;PU;PD99,0,99,99,0,99,0,0;PU;"
                                    "PU200,0;PD300,0;PU330,0;PD400,0,400,50;LT;ZZ1;";
    const CliResult r = RunCli(dir, "import t.plt report");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"imported\":true,\"chains\":4,\"closed\":2,\"open\":2,\"doubleStrokes\":1,\"nearDistanceMm\":1,"
              "\"nearOpenEnds\":2,\"nearOpenEndPoints\":[[700,400],[730,400]],"
              "\"unknownHpglCommands\":{\"LT\":1,\"ZZ\":1},\"skippedCadEntities\":{}}\n");
}
