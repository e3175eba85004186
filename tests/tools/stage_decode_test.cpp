// tavrelo-stage decode, run as a stage author runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/jpeg_fixtures.h"
#include "support/tool_runner.h"

namespace {

using fixtures::ToolRun;

ToolRun RunTool(const std::string& arguments) { return fixtures::RunStageTool(arguments); }

TEST(StageToolDecode, WritesTheSameBmpAsTheLibrarysDecoder) {
  for (int components : {3, 1}) {
    fixtures::EncodeOptions options;
    options.progressive = components == 1;
    const fixtures::Bytes jpeg =
        fixtures::EncodeJpeg(fixtures::MakePicture(101, 67, components), options);
    const std::string in = fixtures::TempFile("decode-in.jpg");
    const std::string out = fixtures::TempFile("decode-out.bmp");
    fixtures::WriteFile(in, jpeg);
    const ToolRun run = RunTool("decode '" + in + "' '" + out + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stderrText, "");
    EXPECT_TRUE(fixtures::ReadFile(out) == fixtures::DecodeWithDjpeg(jpeg).bmp) << components;
  }
}

TEST(StageToolDecode, UndecodableInputFailsWithTheDecodersMessageAndWritesNothing) {
  const std::string in = fixtures::TempFile("empty.jpg");
  const std::string out = fixtures::TempFile("never.bmp");
  fixtures::WriteFile(in, {});
  std::remove(out.c_str());
  ToolRun run = RunTool("decode '" + in + "' '" + out + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stderrText, "Empty input file\n");
  EXPECT_TRUE(fixtures::ReadFile(out).empty());

  run = RunTool("decode /nonexistent/in.jpg '" + out + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.stderrText.find("/nonexistent/in.jpg"), std::string::npos);
}

TEST(StageToolDecode, WrongWordsPrintUsage) {
  EXPECT_EQ(RunTool("decode only-one-file").status, 2);
  EXPECT_EQ(RunTool("").status, 2);
  const ToolRun unknown = RunTool("paint");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.stderrText.find("unknown command 'paint'"), std::string::npos);
}

}  // namespace
