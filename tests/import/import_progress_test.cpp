#include <chrono>
#include <string>
#include <utility>

#include "hpgl_fixture.h"
#include "model/core_context.h"
#include "model/progress.h"

namespace {
// Every report goes out, not one per interval, while the object lives.
class EveryReport {
public:
    EveryReport() : m_kept(CurrentContext().progressInterval) { CurrentContext().progressInterval = {}; }
    ~EveryReport() { CurrentContext().progressInterval = m_kept; }

private:
    std::chrono::milliseconds m_kept;
};
}  // namespace

// The bytes interpreted of the text: rising, never past the total, ending on it once.
TEST_F(HpglTest, ProgressRisesToTheWholeText) {
    EveryReport every;
    std::string text = "IN;SP1;";
    for (int i = 0; i < 5000; ++i) text += "PD" + std::to_string(i) + "," + std::to_string(i % 7) + ";";
    Import(text);
    const auto& p = s.ui.progress;
    ASSERT_GE(p.size(), 3u);
    for (std::size_t k = 1; k < p.size(); ++k) EXPECT_LT(p[k - 1].first, p[k].first) << k;
    for (const auto& [done, total] : p) EXPECT_EQ(total, text.size());
    EXPECT_EQ(p.back().first, text.size());
}
