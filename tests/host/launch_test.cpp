// What the game settles before its WinMain on Linux: the command line, the display, and the
// folder it plays from when it is installed.
#include "host/launch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::host::CommandLine;
using platform::host::ProgramInfo;

const ProgramInfo kGame = {"tavrelo",          "1.2.3", "Find the differences.",
                           "More to know.\n", "com.example.game", "Stage",
                           "../share/games/tavrelo"};

CommandLine Read(std::initializer_list<const char*> args) {
  std::vector<const char*> argv = {"tavrelo"};
  argv.insert(argv.end(), args);
  return platform::host::ReadCommandLine(kGame, static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLine, NoArgumentsRunsTheGame) {
  const CommandLine line = Read({});
  EXPECT_TRUE(line.run);
  EXPECT_TRUE(line.text.empty());
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
  for (const char* help : {"--help", "-h"}) {
    const CommandLine line = Read({help});
    EXPECT_FALSE(line.run) << help;
    EXPECT_EQ(line.status, 0) << help;
    EXPECT_EQ(line.text.rfind("Usage: tavrelo [OPTION]\nFind the differences.\n", 0), 0u)
        << line.text;
    EXPECT_NE(line.text.find("--version"), std::string::npos);
    EXPECT_NE(line.text.find("\nMore to know.\n"), std::string::npos);
  }
  const CommandLine version = Read({"--version"});
  EXPECT_FALSE(version.run);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.text, "tavrelo 1.2.3\n");
}

TEST(CommandLine, AnythingElseIsAUsageErrorThatPointsToHelp) {
  const CommandLine option = Read({"--fullscreen"});
  EXPECT_FALSE(option.run);
  EXPECT_EQ(option.status, 2);
  EXPECT_EQ(option.text,
            "tavrelo: unrecognized option '--fullscreen'\n"
            "Try 'tavrelo --help' for more information.\n");
  const CommandLine word = Read({"Stage"});
  EXPECT_EQ(word.status, 2);
  EXPECT_EQ(word.text.rfind("tavrelo: unexpected argument 'Stage'\n", 0), 0u);
  // The first word decides, as it is read: help after a bad word is still an error.
  EXPECT_EQ(Read({"-x", "--help"}).status, 2);
  EXPECT_EQ(Read({"--version", "-x"}).status, 0);
}

TEST(DisplayProblem, WithoutAnyDisplayOneLineSaysWhatWasTriedAndWhatToSet) {
  const std::string line = platform::host::DisplayProblem(kGame, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(line.rfind("tavrelo: ", 0), 0u);
  EXPECT_NE(line.find("DISPLAY"), std::string::npos);
  EXPECT_NE(line.find("WAYLAND_DISPLAY"), std::string::npos);
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
  EXPECT_EQ(line.back(), '\n');
  EXPECT_EQ(platform::host::DisplayProblem(kGame, "", "", "", nullptr), line)
      << "empty is as good as unset";
}

TEST(DisplayProblem, ANamedDisplayIsTriedAndSdlsErrorReported) {
  EXPECT_EQ(platform::host::DisplayProblem(kGame, ":0", nullptr, nullptr, nullptr), "");
  EXPECT_EQ(platform::host::DisplayProblem(kGame, nullptr, "wayland-0", nullptr, nullptr), "");
  EXPECT_EQ(platform::host::DisplayProblem(kGame, nullptr, nullptr, "dummy", nullptr), "")
      << "a driver chosen by the user needs no display name";
  const std::string line =
      platform::host::DisplayProblem(kGame, ":9", nullptr, nullptr, "x11 not available");
  EXPECT_EQ(line.rfind("tavrelo: cannot open DISPLAY=:9 (x11 not available)", 0), 0u) << line;
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

class InstalledFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("tavrelo-launch-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "prefix/games");
    fs::create_directories(root_ / "prefix/share/games/tavrelo/Stage");
    fs::create_directories(root_ / "home");
    fs::create_directories(root_ / "author/Stage");
    fs::create_directories(root_ / "build");
  }
  void TearDown() override { fs::remove_all(root_); }
  std::optional<fs::path> Choose(const fs::path& working, const fs::path& executable,
                                 const ProgramInfo& program = kGame) {
    return platform::host::InstalledWorkingFolder(program, working, executable);
  }
  fs::path root_;
};

TEST_F(InstalledFolder, AFolderWithoutStagesPlaysTheInstalledOnes) {
  const auto chosen = Choose(root_ / "home", root_ / "prefix/games/tavrelo");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, fs::canonical(root_ / "prefix/share/games/tavrelo"));
}

TEST_F(InstalledFolder, AnAuthorsOwnStageFolderIsKept) {
  EXPECT_FALSE(Choose(root_ / "author", root_ / "prefix/games/tavrelo").has_value());
}

TEST_F(InstalledFolder, ABuildTreeWithoutInstalledStagesLeavesTheFolderAlone) {
  EXPECT_FALSE(Choose(root_ / "home", root_ / "build/tavrelo").has_value());
  ProgramInfo noData = kGame;
  noData.dataFolder = nullptr;
  noData.installedData = nullptr;
  EXPECT_FALSE(Choose(root_ / "home", root_ / "prefix/games/tavrelo", noData).has_value());
}

TEST_F(InstalledFolder, AFileNamedStageIsNoStageFolder) {
  std::ofstream(root_ / "home/Stage") << "not a folder";
  EXPECT_TRUE(Choose(root_ / "home", root_ / "prefix/games/tavrelo").has_value());
}

}  // namespace
