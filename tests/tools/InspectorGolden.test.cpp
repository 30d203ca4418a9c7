// The inspector's outputs for a few stored workbooks (a new one, one with
// every part done, one with a game, damaged ones), compared byte for byte
// with the expected outputs kept beside them in tests/tools/golden/. After a
// deliberate change of the output, rewrite the expected files with
//   ORVIK_UPDATE_GOLDEN=1 build/test_tools --gtest_filter='InspectorGolden*'
// and read the difference before committing it.
#include "Inspector.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace orvik::inspect {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs in the golden folder, so the outputs name the files as given.
class InspectorGolden : public ::testing::Test {
protected:
    void SetUp() override {
        before_ = fs::current_path();
        fs::current_path(ORVIK_GOLDEN_DIR);
    }
    void TearDown() override { fs::current_path(before_); }

private:
    fs::path before_;
};

TEST_F(InspectorGolden, EveryOutputOfTheStoredWorkbooksIsAsKept) {
    const std::vector<std::string> files = {"plain.orvik",        "done.orvik",
                                            "game.orvik",         "damaged-values.orvik",
                                            "damaged-game.orvik", "short.orvik"};
    struct Run {
        const char* name; // the expected file's name
        std::vector<std::string> options;
        std::vector<std::string> files; // all of them when empty
    };
    // The full listings hold the curve table: three workbooks are enough.
    const std::vector<std::string> some = {"game.orvik", "damaged-game.orvik", "short.orvik"};
    const Run runs[] = {
        {"listing", {}, some},
        {"recompute", {"--recompute"}, {}},
        {"json", {"--json", "--recompute"}, some},
        {"summary", {"--summary", "--recompute"}, {}},
        {"similar", {"--similar"}, {}},
    };
    const bool update = std::getenv("ORVIK_UPDATE_GOLDEN") != nullptr;
    for (const Run& run : runs) {
        SCOPED_TRACE(run.name);
        std::vector<std::string> args = run.options;
        const std::vector<std::string>& inspected = run.files.empty() ? files : run.files;
        args.insert(args.end(), inspected.begin(), inspected.end());
        std::ostringstream out, err;
        // A file that cannot be read and a lost game outweigh everything else.
        EXPECT_EQ(RunInspector(args, out, err), 2);
        const std::string kept = std::string(run.name) + ".out";
        const std::string keptErr = std::string(run.name) + ".err";
        if (update) {
            std::ofstream(kept, std::ios::binary) << out.str();
            std::ofstream(keptErr, std::ios::binary) << err.str();
            continue;
        }
        EXPECT_EQ(out.str(), ReadText(kept));
        EXPECT_EQ(err.str(), ReadText(keptErr));
    }
}

} // namespace
} // namespace orvik::inspect
