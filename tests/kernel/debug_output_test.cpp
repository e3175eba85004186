#include "kernel/debug_output.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/jpeg_fixtures.h"

namespace {

TEST(DebugOutput, CaptureReceivesEachCallWhole) {
  platform::DebugOutputCapture capture;
  OutputDebugStringA("GetDC = 1c\n");
  OutputDebugStringA("");
  OutputDebugStringA(nullptr);
  OutputDebugStringA("no newline");
  EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"GetDC = 1c\n", "", "no newline"}));
}

TEST(DebugOutput, NestedCapturesRestoreTheOuterOne) {
  platform::DebugOutputCapture outer;
  {
    platform::DebugOutputCapture inner;
    OutputDebugStringA("inner\n");
    EXPECT_EQ(inner.Lines().size(), 1u);
  }
  OutputDebugStringA("outer\n");
  EXPECT_EQ(outer.Lines(), std::vector<std::string>{"outer\n"});
}

// The environment is read once per process, so each setting runs in a process of its own.
std::string RunProbe(const std::string& environment, const std::string& stderrFile) {
  const std::string command = environment + " '" TAVRELO_DEBUG_PROBE "' 2>'" + stderrFile + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  fixtures::Bytes err = fixtures::ReadFile(stderrFile);
  return std::string(err.begin(), err.end());
}

TEST(DebugOutput, EnvironmentChoosesSilenceStandardErrorOrAFile) {
  const std::string err = fixtures::TempFile("probe.err");
  EXPECT_EQ(RunProbe("env -u TAVRELO_DEBUG_OUTPUT", err), "");
  EXPECT_EQ(RunProbe("TAVRELO_DEBUG_OUTPUT=", err), "");
  EXPECT_EQ(RunProbe("TAVRELO_DEBUG_OUTPUT=-", err), "first line\nsecond line\n");

  const std::string log = fixtures::TempFile("probe.log");
  fixtures::WriteFile(log, {'o', 'l', 'd', '\n'});
  EXPECT_EQ(RunProbe("TAVRELO_DEBUG_OUTPUT='" + log + "'", err), "");
  fixtures::Bytes text = fixtures::ReadFile(log);
  EXPECT_EQ(std::string(text.begin(), text.end()), "old\nfirst line\nsecond line\n") << "appended";

  EXPECT_EQ(RunProbe("TAVRELO_DEBUG_OUTPUT=/nonexistent/dir/log", err), "")
      << "an unusable file leaves the output silent";
}

}  // namespace
