// The sample drawing of `make run` must import cleanly and give the joining real work: its
// outlines come as loose strokes whose ends meet exactly.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "hpgl_fixture.h"
#include "import/import_command.h"

TEST_F(HpglTest, SampleSignImportsAsLooseStrokesThatMeet) {
    doc.m_showUnknown = 1;
    ImportFile(doc, std::string(QUENK_SOURCE_DIR) + "/samples/schild.plt");
    for (const std::string& m : s.ui.shown) EXPECT_EQ(m.rfind("Unbekannter", 0), std::string::npos) << m;
    ASSERT_EQ(doc.m_layers.size(), 1u);
    EXPECT_EQ(Layer().m_pens.size(), 3u);
    EXPECT_EQ(doc.m_nothingImported, 0);
    EXPECT_EQ(doc.m_drawingName, "schild.plt");

    // Read without joining, every end of a letter stroke meets the end of another one.
    std::ifstream in(std::string(QUENK_SOURCE_DIR) + "/samples/schild.plt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string bytes = text.str();
    StripLineBreaks(bytes);
    Read(bytes);
    std::map<std::pair<int, int>, int> ends;
    for (CVector* c : Strokes(1, 1)) {
        c->Recompute();
        ++ends[{c->m_startX, c->m_startY}];
        ++ends[{c->m_endX, c->m_endY}];
    }
    EXPECT_GT(Strokes(1, 1).size(), 30u);
    for (const auto& [at, count] : ends) EXPECT_EQ(count % 2, 0) << at.first << "," << at.second;
    // The two mounting holes are circles, closed from the start.
    int holes = 0;
    for (const CVector* c : Strokes(3, 0)) holes += (c->PointCount() > 10 && c->m_closed == 1) ? 1 : 0;
    EXPECT_EQ(holes, 2);
}
