#include "files/atomic_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

// The next write takes over a killed write's leftover (never writing through a link) and removes it.
TEST(AtomicFile, OneTemporaryNamePerTargetThatNoEndLeavesBehind) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string target = dir.File("job.Quenk"), temp = AtomicFile::TempPath(target);
    std::ofstream(dir.File("elsewhere")) << "keep";
    for (bool commit : {true, false}) {
        std::ofstream(target) << "old";
        fs::create_symlink(dir.File("elsewhere"), temp);  // a leftover that points elsewhere
        {
            AtomicFile f(target);
            f.Stream() << "new";
            EXPECT_EQ(commit && f.Commit(), commit);
        }
        EXPECT_EQ(ReadFile(target), commit ? "new" : "old");
        EXPECT_EQ(ReadFile(dir.File("elsewhere")), "keep");
        EXPECT_FALSE(fs::exists(fs::symlink_status(temp)));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator{}), 2);
    }
}
