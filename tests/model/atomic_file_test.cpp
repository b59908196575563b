#include "model/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/temp_dir.h"

namespace {
namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}));
}
}  // namespace

// A killed write leaves its temporary file; the next write of the same target takes it over
// (never writing through a link of that name) and no way out of a write leaves it behind.
TEST(AtomicFile, OneTemporaryNamePerTargetThatNoEndLeavesBehind) {
    TempDir dir;
    const std::string target = dir.File("job.Quenk");
    const std::string temp = AtomicFile::TempPath(target);
    EXPECT_EQ(fs::path(temp).parent_path(), dir.path);
    const std::string elsewhere = dir.File("elsewhere");
    std::ofstream(elsewhere) << "keep";
    enum class End { Commit, Abort, Destroy };
    for (End end : {End::Commit, End::Abort, End::Destroy}) {
        SCOPED_TRACE(static_cast<int>(end));
        std::ofstream(target) << "old";
        fs::remove(temp);
        fs::create_symlink(elsewhere, temp);  // a leftover that points elsewhere
        {
            AtomicFile f(target);
            ASSERT_TRUE(f.IsOpen());
            f.Stream() << "new";
            if (end == End::Commit) {
                EXPECT_TRUE(f.Commit());
            } else if (end == End::Abort) {
                f.Abort();
            }
        }
        EXPECT_EQ(ReadFile(target), end == End::Commit ? "new" : "old");
        EXPECT_EQ(ReadFile(elsewhere), "keep");
        EXPECT_FALSE(fs::exists(fs::symlink_status(temp)));
        EXPECT_EQ(FilesIn(dir.path), 2u);
    }
}
