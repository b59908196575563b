#include <chrono>
#include <string>

#include "hpgl_fixture.h"
#include "model/core_context.h"

// The bytes interpreted of the text: rising, never past the total, ending on it once. Every
// report goes out here, not one per interval.
TEST_F(HpglTest, ProgressRisesToTheWholeText) {
    const std::chrono::milliseconds kept = CurrentContext().progressInterval;
    CurrentContext().progressInterval = {};
    std::string text = "IN;SP1;";
    for (int i = 0; i < 5000; ++i) text += "PD" + std::to_string(i) + "," + std::to_string(i % 7) + ";";
    Import(text);
    CurrentContext().progressInterval = kept;
    const auto& p = s.ui.progress;
    ASSERT_GE(p.size(), 3u);
    for (std::size_t k = 1; k < p.size(); ++k) EXPECT_LT(p[k - 1].first, p[k].first) << k;
    for (const auto& [done, total] : p) EXPECT_EQ(total, text.size());
    EXPECT_EQ(p.back().first, text.size());
}
