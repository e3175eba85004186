// tavrelo-stage inspect, pack, unpack, make and sheet, run as an author runs them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "Stage.h"
#include "image.h"
#include "regions.h"
#include "stage_file.h"
#include "support/jpeg_fixtures.h"
#include "support/stage_builder.h"
#include "support/tool_runner.h"

namespace {

using fixtures::RunStageTool;
using tools::Image;
using tools::Rect;

void Fill(Image& image, const Rect& r, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  for (int y = r.top; y < std::min<int>(r.bottom, image.height); ++y)
    for (int x = r.left; x < std::min<int>(r.right, image.width); ++x) {
      std::uint8_t* p = image.Pixel(x, y);
      p[0] = red, p[1] = green, p[2] = blue;
    }
}

// A soft gradient with a few solid blocks on it.
Image Scene(int width = 120, int height = 120) {
  Image image = tools::MakeImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.Pixel(x, y);
      p[0] = static_cast<std::uint8_t>(80 + x), p[1] = static_cast<std::uint8_t>(100 + y / 2),
      p[2] = 180;
    }
  Fill(image, {10, 10, 30, 30}, 200, 30, 30);
  Fill(image, {70, 20, 100, 40}, 30, 160, 40);
  Fill(image, {20, 80, 50, 100}, 240, 220, 40);
  return image;
}

class StageTool : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) { return dir_ + "/" + name; }
  std::string SavePng(const std::string& name, const Image& image) {
    std::string error;
    EXPECT_TRUE(tools::SavePng(Path(name), image, &error)) << error;
    return Path(name);
  }
  std::string SaveJpeg(const std::string& name, const Image& image, int quality) {
    const tools::Bytes jpeg = tools::EncodeJpeg(image, tools::Orientation::Upright, quality);
    fixtures::WriteFile(Path(name), jpeg);
    return Path(name);
  }

  void SetUp() override {
    dir_ = fixtures::TempFile(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }

  std::string dir_;
};

struct LoadedStage {
  explicit LoadedStage(const std::string& path) : stage(LoadStage(path.c_str())) {}
  ~LoadedStage() { FreeStage(stage); }
  StageData* stage;
};

Rect RectOf(const Difference& d) { return {d.left, d.top, d.right, d.bottom}; }

// By value: the header lies on a 2-byte boundary, where no reference may point.
int WidthOf(const DibImage& image) { return image.info->biWidth; }

TEST_F(StageTool, PackStoresUprightPicturesUpsideDownWithTheirRectangles) {
  Image picture = Scene();
  Image patch = tools::MakeImage(16, 12);
  Fill(patch, {0, 0, 16, 6}, 255, 255, 255);  // white above, black below
  const std::string run = "pack -o " + Path("out.stg") + " " + SavePng("picture.png", picture) +
                          " 5,7," + SavePng("patch.png", patch) + " 60,60,90,80," +
                          SavePng("patch2.png", patch);
  const fixtures::ToolRun packed = RunStageTool(run);
  ASSERT_EQ(packed.status, 0) << packed.stderrText;

  LoadedStage loaded(Path("out.stg"));
  ASSERT_NE(loaded.stage, nullptr);
  ASSERT_EQ(loaded.stage->differenceCount, 2u);
  EXPECT_EQ(RectOf(loaded.stage->differences[0]), (Rect{5, 7, 21, 19}));
  EXPECT_EQ(RectOf(loaded.stage->differences[1]), (Rect{60, 60, 90, 80}));
  // The game's stored rows of a stage picture run from the visible top down.
  const DibImage& stored = loaded.stage->differences[0].patch;
  const std::size_t stride = (16 * 3 + 3) & ~3;
  EXPECT_GT(stored.bits[0], 200) << "first stored row: the white top";
  EXPECT_LT(stored.bits[11 * stride], 50) << "last stored row: the black bottom";
  EXPECT_NE(packed.stderrText.find(
                "warning: difference 1 has a patch of 16 x 12 for a rectangle of 30 x 20"),
            std::string::npos)
      << packed.stderrText;
}

TEST_F(StageTool, UnpackThenPackGivesAStageThatPlaysTheSame) {
  const Image picture = Scene();
  Image patch = tools::MakeImage(20, 14);
  Fill(patch, {0, 0, 20, 14}, 10, 200, 220);
  ASSERT_EQ(RunStageTool("pack -o " + Path("a.stg") + " " + SavePng("p.png", picture) + " 3,4," +
                         SavePng("d0.png", patch) + " 70,80,95,100," + SavePng("d1.png", patch))
                .status,
            0);
  const fixtures::ToolRun unpacked = RunStageTool("unpack " + Path("a.stg") + " " + Path("parts"));
  ASSERT_EQ(unpacked.status, 0) << unpacked.stderrText;
  for (const char* name : {"picture.png", "patch-0.png", "patch-1.png", "stage.txt"})
    EXPECT_TRUE(std::filesystem::exists(Path("parts/") + name)) << name;
  const fixtures::Bytes list = fixtures::ReadFile(Path("parts/stage.txt"));
  EXPECT_NE(std::string(list.begin(), list.end())
                .find("\n3,4,23,18,patch-0.png\n70,80,95,100,patch-1.png\n"),
            std::string::npos);

  const fixtures::ToolRun repacked =
      RunStageTool("pack -o " + Path("b.stg") + " @" + Path("parts/stage.txt"));
  ASSERT_EQ(repacked.status, 0) << repacked.stderrText;
  LoadedStage a(Path("a.stg")), b(Path("b.stg"));
  ASSERT_NE(a.stage, nullptr);
  ASSERT_NE(b.stage, nullptr);
  ASSERT_EQ(b.stage->differenceCount, 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(RectOf(a.stage->differences[i]), RectOf(b.stage->differences[i]));
    EXPECT_EQ(WidthOf(b.stage->differences[i].patch), WidthOf(a.stage->differences[i].patch));
  }
  // The pictures went through JPEG once more: close, not equal.
  const Image first = tools::ImageFromBmp(a.stage->picture.file, tools::Orientation::UpsideDown);
  const Image second = tools::ImageFromBmp(b.stage->picture.file, tools::Orientation::UpsideDown);
  long total = 0;
  for (std::size_t i = 0; i < first.rgb.size(); ++i)
    total += std::abs(first.rgb[i] - second.rgb[i]);
  EXPECT_LT(static_cast<double>(total) / first.rgb.size(), 2.0);
  const std::uint8_t* top = first.Pixel(20, 15);  // inside the red block near the top
  EXPECT_GT(top[0], 170);
}

TEST_F(StageTool, PackRefusesAPatchOutsideThePictureAndWritesNothing) {
  const std::string picture = SavePng("p.png", Scene(40, 40));
  const std::string patch = SavePng("d.png", tools::MakeImage(10, 10));
  for (const std::string where : {"31,0,", "-1,0,", "0,35,"}) {
    const fixtures::ToolRun run =
        RunStageTool("pack -o " + Path("x.stg") + " " + picture + " " + where + patch);
    EXPECT_EQ(run.status, 1) << where;
    EXPECT_NE(run.stderrText.find("reaches outside the picture"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Path("x.stg")));
  }
  EXPECT_EQ(RunStageTool("pack -o " + Path("x.stg") + " " + picture + " 1,2,x").status, 1)
      << "missing patch";
  EXPECT_EQ(RunStageTool("pack -o " + Path("x.stg") + " " + picture + " nonsense").status, 2);
  EXPECT_EQ(RunStageTool("pack -o " + Path("x.stg") + " " + picture + " 5,5,4,9," + patch).status,
            1)
      << "an empty rectangle";
}

TEST_F(StageTool, InspectDescribesASoundStageAndItsFlaws) {
  std::vector<tools::StageDifference> differences = {
      {{10, 10, 40, 40}, tools::MakeImage(30, 30)},
      {{30, 30, 36, 50}, tools::MakeImage(6, 20)},   // overlaps the first, narrower than 8
      {{60, 60, 90, 70}, tools::MakeImage(20, 10)},  // patch smaller than its rectangle
  };
  tools::Bytes file = tools::BuildStageFile(Scene(120, 100), differences);
  file.insert(file.end(), 5, 0);
  fixtures::WriteFile(Path("flawed.stg"), file);

  const fixtures::ToolRun run = RunStageTool("inspect " + Path("flawed.stg"));
  EXPECT_EQ(run.status, 0) << "the game still plays it";
  const std::string& text = run.stdoutText;
  for (const std::string expected : {
           "count field 9: 3 differences\n",
           "picture: 120 x 100, 24-bit, chunk of ",
           "difference 0: (10, 10)-(40, 40), patch 30 x 30, chunk of ",
           "difference 2: (60, 60)-(90, 70), patch 20 x 10, chunk of ",
           "warning: difference 0 and difference 1 overlap",
           "warning: difference 1 is 6 x 20, smaller than 8 x 8",
           "warning: difference 2 has a patch of 20 x 10 for a rectangle of 30 x 10",
           "warning: the picture is not square",
           "warning: 5 bytes after the last chunk are never read",
           "verdict: the game plays this stage\n",
       })
    EXPECT_NE(text.find(expected), std::string::npos) << "missing: " << expected << "\n" << text;
  EXPECT_EQ(text.find("problem:"), std::string::npos);
}

TEST_F(StageTool, InspectStatsTellHowHardAStageIs) {
  Image patch = tools::MakeImage(20, 20);
  Fill(patch, {0, 0, 20, 20}, 250, 250, 250);
  fixtures::WriteFile(Path("s.stg"),
                      tools::BuildStageFile(Scene(300, 300), {{{5, 5, 25, 25}, patch},
                                                              {{150, 150, 170, 170}, patch}}));
  const std::string plain = RunStageTool("inspect " + Path("s.stg")).stdoutText;
  EXPECT_EQ(plain.find("busy-ness"), std::string::npos) << "only when asked for";
  const fixtures::ToolRun run = RunStageTool("inspect --stats " + Path("s.stg"));
  EXPECT_EQ(run.status, 0);
  for (const std::string expected : {
           "busy-ness: ",
           " areas of one colour\n",
           "difference 0: 20 x 20, 0.44 % of the picture (small), ",
           "difference 1: 20 x 20, 0.44 % of the picture (small), 400 pixels change, ",
       })
    EXPECT_NE(run.stdoutText.find(expected), std::string::npos) << "missing: " << expected << "\n"
                                                                << run.stdoutText;
}

TEST_F(StageTool, SheetLaysStagesOutFourToARow) {
  const tools::Bytes stage =
      tools::BuildStageFile(Scene(300, 300), {{{100, 100, 140, 140}, tools::MakeImage(40, 40)}});
  std::string files;
  for (int i = 0; i < 5; ++i) {
    fixtures::WriteFile(Path(std::to_string(i) + ".stg"), stage);
    files += " " + Path(std::to_string(i) + ".stg");
  }
  ASSERT_EQ(RunStageTool("sheet " + Path("plain.png") + files).status, 0);
  ASSERT_EQ(RunStageTool("sheet " + Path("marked.png") + files + " --marks").status, 0);
  std::string error;
  const auto plain = tools::LoadImageFile(Path("plain.png"), &error);
  const auto marked = tools::LoadImageFile(Path("marked.png"), &error);
  ASSERT_TRUE(plain && marked) << error;
  // Each stage at half size: two pictures of 150 and the gap between them, under its name.
  const int cellWidth = (300 + 12 + 300) / 2;
  EXPECT_EQ(plain->width, 4 * (cellWidth + 8) + 8);
  EXPECT_EQ(plain->height, 2 * (150 + 16 + 8) + 8);
  EXPECT_EQ(marked->width, plain->width);
  EXPECT_FALSE(plain->rgb == marked->rgb) << "--marks outlines the differences";
  // The sixth, seventh and eighth places of the second row stay empty.
  const std::uint8_t* empty = plain->Pixel(plain->width - 40, plain->height - 40);
  const std::uint8_t* background = plain->Pixel(2, 2);
  EXPECT_TRUE(std::equal(empty, empty + 3, background));
}

// One sheet a place: stages named as the set names them go to their place's sheet, in the order
// given; any other name is a place of its own.
TEST_F(StageTool, SheetByPlaceMakesOneSheetForEachPlace) {
  const tools::Bytes stage =
      tools::BuildStageFile(Scene(300, 300), {{{100, 100, 140, 140}, tools::MakeImage(40, 40)}});
  std::string files;
  for (const char* name : {"0001-toy-shop", "0002-pond", "0061-toy-shop", "0121-toy-shop",
                           "0181-toy-shop", "0241-toy-shop", "mine", "12-x"}) {
    fixtures::WriteFile(Path(std::string(name) + ".stg"), stage);
    files += " " + Path(std::string(name) + ".stg");
  }
  ASSERT_EQ(RunStageTool("sheet --by-place " + Path("sheets") + files).status, 0);
  const int cellWidth = (300 + 12 + 300) / 2;
  std::string error;
  // Four toy shops fill a row, and the fifth goes onto a second one.
  for (const auto& [place, rows] : {std::pair{"toy-shop", 2}, {"pond", 1}, {"mine", 1}, {"x", 1}}) {
    SCOPED_TRACE(place);
    const auto sheet = tools::LoadImageFile(Path("sheets/" + std::string(place) + ".png"), &error);
    ASSERT_TRUE(sheet) << error;
    EXPECT_EQ(sheet->width, 4 * (cellWidth + 8) + 8);
    EXPECT_EQ(sheet->height, rows * (150 + 16 + 8) + 8);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("sheets")), {}), 4);
}

TEST_F(StageTool, SheetWritesNothingWhenAStageIsRefused) {
  fixtures::WriteFile(Path("good.stg"),
                      tools::BuildStageFile(Scene(), {{{1, 1, 11, 11}, tools::MakeImage(10, 10)}}));
  fixtures::WriteFile(Path("bad.stg"), tools::Bytes(40, 7));
  const fixtures::ToolRun run =
      RunStageTool("sheet " + Path("out.png") + " " + Path("good.stg") + " " + Path("bad.stg"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stderrText.find("bad.stg"), std::string::npos) << run.stderrText;
  EXPECT_FALSE(std::filesystem::exists(Path("out.png")));
  EXPECT_EQ(RunStageTool("sheet " + Path("out.png")).status, 2);
  EXPECT_EQ(RunStageTool("sheet --marks " + Path("good.stg")).status, 2);
}

TEST_F(StageTool, InspectFailsForEveryFileTheGameRefuses) {
  const tools::Bytes sound =
      tools::BuildStageFile(Scene(), {{{1, 1, 11, 11}, tools::MakeImage(10, 10)}});
  fixtures::WriteFile(Path("sound.stg"), sound);
  fixtures::WriteFile(Path("cut.stg"), tools::Bytes(sound.begin(), sound.end() - 10));
  const fixtures::ToolRun run =
      RunStageTool("inspect " + Path("sound.stg") + " " + Path("cut.stg"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stdoutText.find("verdict: the game plays this stage"), std::string::npos);
  EXPECT_NE(run.stdoutText.find("problem: chunk 1 announces"), std::string::npos) << run.stdoutText;
  EXPECT_NE(run.stdoutText.find("verdict: the game refuses this stage"), std::string::npos);

  EXPECT_EQ(RunStageTool("inspect " + Path("missing.stg")).status, 1);
  EXPECT_EQ(RunStageTool("unpack " + Path("cut.stg") + " " + Path("out")).status, 1);
}

// Three changes a person would see: a block recoloured, one removed, one added.
Image Altered(const Image& original) {
  Image altered = original;
  Fill(altered, {10, 10, 30, 30}, 30, 30, 200);
  Fill(altered, {70, 20, 100, 40}, 0, 0, 0);
  for (int y = 20; y < 40; ++y)
    for (int x = 70; x < 100; ++x)
      for (int c = 0; c < 3; ++c)
        altered.Pixel(x, y)[c] = original.Pixel(x, 19)[c];  // the backdrop above
  Fill(altered, {80, 85, 96, 101}, 250, 120, 0);
  return altered;
}

TEST_F(StageTool, MakeFindsExactlyTheThreeChangedRegions) {
  const Image original = Scene();
  const Image altered = Altered(original);
  const std::vector<Rect> changes = {{10, 10, 30, 30}, {70, 20, 100, 40}, {80, 85, 96, 101}};
  for (const bool jpeg : {false, true}) {
    SCOPED_TRACE(jpeg ? "JPEG inputs" : "PNG inputs");
    const std::string a = jpeg ? SaveJpeg("a.jpg", original, 85) : SavePng("a.png", original);
    const std::string b = jpeg ? SaveJpeg("b.jpg", altered, 85) : SavePng("b.png", altered);
    const fixtures::ToolRun run = RunStageTool("make -o " + Path("made.stg") + " " + a + " " + b);
    ASSERT_EQ(run.status, 0) << run.stderrText;
    LoadedStage made(Path("made.stg"));
    ASSERT_NE(made.stage, nullptr);
    ASSERT_EQ(made.stage->differenceCount, 3u) << run.stdoutText;
    for (int i = 0; i < 3; ++i) {
      const Rect found = RectOf(made.stage->differences[i]);
      const Rect& change = changes[i];
      EXPECT_LE(found.left, change.left);
      EXPECT_LE(found.top, change.top);
      EXPECT_GE(found.right, change.right);
      EXPECT_GE(found.bottom, change.bottom);
      EXPECT_LE(change.left - found.left + found.right - change.right, 8) << "a snug margin";
      EXPECT_LE(change.top - found.top + found.bottom - change.bottom, 8);
      EXPECT_EQ(WidthOf(made.stage->differences[i].patch), found.Width());
    }
  }
}

TEST_F(StageTool, MakeRefusesPicturesThatDoNotDifferOrDoNotMatch) {
  const std::string a = SavePng("a.png", Scene());
  fixtures::ToolRun run = RunStageTool("make -o " + Path("m.stg") + " " + a + " " + a);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stderrText.find("do not differ"), std::string::npos);
  run = RunStageTool("make -o " + Path("m.stg") + " " + a + " " +
                     SavePng("small.png", Scene(60, 60)));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stderrText.find("differ in size"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Path("m.stg")));
}

TEST(ChangedRegions, NearbyChangesMergeAndSpecksAreNoise) {
  Image a = tools::MakeImage(100, 60);
  Image b = a;
  Fill(b, {10, 10, 20, 20}, 255, 255, 255);
  Fill(b, {24, 10, 34, 20}, 255, 255, 255);  // 4 pixels away: the same region
  Fill(b, {70, 40, 72, 42}, 255, 255, 255);  // 4 pixels: a speck
  const std::vector<Rect> regions = tools::FindChangedRegions(a, b);
  ASSERT_EQ(regions.size(), 1u);
  EXPECT_EQ(regions[0], (Rect{8, 8, 36, 22}));
}

}  // namespace

namespace {

// One line naming the file and why, and status 1: never an abort, never a usage text.
void ExpectOneLineAbout(const fixtures::ToolRun& run, const std::string& file,
                        const std::string& reason, const std::string& command) {
  EXPECT_EQ(run.status, 1) << command << "\n" << run.stderrText;
  EXPECT_EQ(std::count(run.stderrText.begin(), run.stderrText.end(), '\n'), 1) << command << "\n"
                                                                               << run.stderrText;
  EXPECT_EQ(run.stderrText.rfind(file + ": ", 0), 0u) << command << "\n" << run.stderrText;
  EXPECT_NE(run.stderrText.find(reason), std::string::npos) << command << "\n" << run.stderrText;
}

TEST_F(StageTool, EveryCommandAnswersAFileItCannotReadWithOneLine) {
  const std::string folder = Path("x.stg");  // a folder with a stage's name
  std::filesystem::create_directories(folder);
  const std::string missing = Path("missing.png");
  const std::string picture = SavePng("picture.png", Scene());
  fixtures::WriteFile(Path("sound.stg"),
                      tools::BuildStageFile(Scene(), {{{1, 1, 11, 11}, tools::MakeImage(10, 10)}}));
  const struct {
    std::string arguments, file, reason;
  } cases[] = {
      {"preview " + folder + " " + Path("out.png"), folder, "it is a folder"},
      {"unpack " + folder + " " + Path("out"), folder, "it is a folder"},
      {"decode " + folder + " " + Path("out.bmp"), folder, "it is a folder"},
      {"make -o " + Path("new.stg") + " " + folder + " " + picture, folder, "it is a folder"},
      {"make -o " + Path("new.stg") + " " + picture + " " + missing, missing,
       "No such file or directory"},
      {"pack -o " + Path("new.stg") + " " + folder + " 0,0," + picture, folder, "it is a folder"},
      {"pack -o " + Path("new.stg") + " @" + folder, folder, "it is a folder"},
      {"pack -o " + Path("new.stg") + " @" + Path("missing.txt"), Path("missing.txt"),
       "No such file or directory"},
      {"pack -o " + Path("new.stg") + " " + picture + " 0,0," + missing, missing,
       "No such file or directory"},
  };
  for (const auto& c : cases)
    ExpectOneLineAbout(RunStageTool(c.arguments), c.file, c.reason, c.arguments);

  // inspect reports on standard output, a verdict per file, and fails for the unreadable one.
  const fixtures::ToolRun inspect = RunStageTool("inspect " + folder + " " + Path("sound.stg"));
  EXPECT_EQ(inspect.status, 1);
  EXPECT_NE(inspect.stdoutText.find("problem: " + folder + ": cannot read: it is a folder"),
            std::string::npos)
      << inspect.stdoutText;
  EXPECT_NE(inspect.stdoutText.find("verdict: the game plays this stage"), std::string::npos);
  EXPECT_TRUE(inspect.stderrText.empty()) << inspect.stderrText;
}

TEST_F(StageTool, EveryCommandAnswersAFileItCannotWriteWithOneLine) {
  const std::string picture = SavePng("picture.png", Scene());
  const std::string patch = SavePng("patch.png", tools::MakeImage(10, 10));
  const std::string stage = Path("sound.stg");
  fixtures::WriteFile(stage,
                      tools::BuildStageFile(Scene(), {{{1, 1, 11, 11}, tools::MakeImage(10, 10)}}));
  const std::string jpeg = SaveJpeg("scene.jpg", Scene(), 90);
  const std::string folder = Path("taken");
  std::filesystem::create_directories(folder);
  const struct {
    std::string arguments, file, reason;
  } cases[] = {
      // A full disk.
      {"decode " + jpeg + " /dev/full", "/dev/full", "No space left on device"},
      {"preview " + stage + " /dev/full", "/dev/full", "No space left on device"},
      {"pack -o /dev/full " + picture + " 1,1," + patch, "/dev/full", "No space left on device"},
      // A folder in the way, and a folder that is not there.
      {"decode " + jpeg + " " + folder, folder, "it is a folder"},
      {"preview " + stage + " " + Path("no/such/out.png"), Path("no/such/out.png"),
       "No such file or directory"},
      {"unpack " + stage + " /dev/full", "/dev/full", "Not a directory"},
  };
  for (const auto& c : cases)
    ExpectOneLineAbout(RunStageTool(c.arguments), c.file, c.reason, c.arguments);
}

TEST_F(StageTool, AFailedWriteLeavesTheFileThatWasThere) {
  // A file that cannot be replaced while written: its folder is made read-only, which binds
  // everyone but root.
  if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  const std::string picture = SavePng("picture.png", Scene());
  const std::string kept = Path("locked/kept.stg");
  std::filesystem::create_directories(Path("locked"));
  fixtures::WriteFile(kept, tools::Bytes{1, 2, 3});
  std::filesystem::permissions(
      Path("locked"), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const fixtures::ToolRun run = RunStageTool("pack -o " + kept + " " + picture);
  std::filesystem::permissions(Path("locked"), std::filesystem::perms::owner_all);
  ExpectOneLineAbout(run, kept, "Permission denied", "pack");
  EXPECT_EQ(fixtures::ReadFile(kept), (tools::Bytes{1, 2, 3}));
}

// A stage that loads but has no difference the game could play: a colour picture whose every
// patch is gray. The game passes it over, and inspect says so.
TEST_F(StageTool, InspectSaysTheGamePassesOverAStageWithNothingToFind) {
  fixtures::StageRecipe recipe;
  recipe.picture = fixtures::EncodeJpeg(fixtures::MakePicture(60, 60, 3));
  recipe.records.push_back({5, 5, 15, 15});
  recipe.patches.push_back(fixtures::EncodeJpeg(fixtures::MakePicture(10, 10, 1)));
  recipe.countField = 5;
  fixtures::WriteFile(Path("gray.stg"), fixtures::BuildStage(recipe));
  const fixtures::ToolRun run = RunStageTool("inspect " + Path("gray.stg"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stdoutText.find("problem: no difference can be played"), std::string::npos)
      << run.stdoutText;
  EXPECT_NE(run.stdoutText.find("verdict: the game passes over this stage"), std::string::npos);
}

}  // namespace
