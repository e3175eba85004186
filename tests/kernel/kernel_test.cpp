#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "kernel/clock.h"
#include "support/jpeg_fixtures.h"

namespace {

namespace fs = std::filesystem;

// Runs the body with the current directory set to a fresh folder holding `files`.
class FindFile : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    folder_ = fixtures::TempFile("find");
    fs::remove_all(folder_);
    fs::create_directories(folder_ + "/Stage/sub.stg");
    for (const char* name : {"b.stg", "A.STG", "c.stg.bak", "d.txt", "a.stg2", "e.stg"})
      std::ofstream(folder_ + "/Stage/" + name) << name;
    fs::current_path(folder_);
  }
  void TearDown() override { fs::current_path(previous_); }

  std::vector<std::string> List(const char* mask, DWORD* error = nullptr) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    SetLastError(0);
    HANDLE find = FindFirstFileA(mask, &data);
    if (find == INVALID_HANDLE_VALUE) {
      if (error != nullptr) *error = GetLastError();
      return names;
    }
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    if (error != nullptr) *error = GetLastError();
    EXPECT_TRUE(FindClose(find));
    return names;
  }

  fs::path previous_;
  std::string folder_;
};

TEST_F(FindFile, WindowsMaskListsMatchesSortedAndIgnoresCase) {
  DWORD error = 0;
  EXPECT_EQ(List(".\\Stage\\*.stg", &error),
            (std::vector<std::string>{"A.STG", "b.stg", "e.stg", "sub.stg"}));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_EQ(List("Stage/*.STG"), List(".\\Stage\\*.stg"));
  EXPECT_EQ(List(".\\Stage\\?.txt"), std::vector<std::string>{"d.txt"});
  EXPECT_EQ(List(".\\Stage\\*.*").size(), 7u);
}

TEST_F(FindFile, FolderEntriesCarryTheirAttributesAndSizes) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(".\\Stage\\b.stg", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(find);
  find = FindFirstFileA(".\\Stage\\sub.stg", &data);
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  FindClose(find);
}

TEST_F(FindFile, FailuresGiveTheErrorsOfWindows) {
  DWORD error = 0;
  EXPECT_TRUE(List(".\\Stage\\*.png", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(List(".\\Missing\\*.stg", &error).empty());
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(".\\Stage\\*.stg", &data);
  ASSERT_TRUE(FindClose(find));
  SetLastError(0);
  EXPECT_FALSE(FindNextFileA(find, &data)) << "a closed listing";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(find));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST(Kernel, VersionIsWindowsTen) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwMajorVersion, 10u);
  EXPECT_EQ(info.dwMinorVersion, 0u);
  EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
  info.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(GetVersionExA(&info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(Kernel, PerformanceCounterFollowsTheClockInHundredsOfNanoseconds) {
  LARGE_INTEGER frequency, count;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(frequency.QuadPart, 10000000);
  std::uint64_t now = 5'000'000'000;
  platform::SetClockSource([&] { return now; });
  ASSERT_TRUE(QueryPerformanceCounter(&count));
  EXPECT_EQ(count.QuadPart, 50'000'000);
  now += 1'234'567'800;
  QueryPerformanceCounter(&count);
  EXPECT_EQ(count.QuadPart, 62'345'678);
  platform::SetClockSource({});
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  QueryPerformanceCounter(&b);
  EXPECT_GE(b.QuadPart, a.QuadPart);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

TEST(Kernel, SystemMessagesAreEnglishWithALineEnd) {
  char text[1024];
  const DWORD chineseNeutral = MAKELANGID(LANG_CHINESE, SUBLANG_NEUTRAL);
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2, chineseNeutral, text,
                                sizeof text, nullptr);
  EXPECT_STREQ(text, "The system cannot find the file specified.\r\n");
  EXPECT_EQ(length, std::strlen(text));
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 234, 0, text, sizeof text, nullptr);
  EXPECT_STREQ(text, "More data is available.\r\n");

  SetLastError(0);
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2, 0, text, 10, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 99999, 0, text, sizeof text, nullptr),
      0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
}

TEST(Kernel, LastErrorBelongsToTheThread) {
  SetLastError(1234);
  DWORD seenElsewhere = 1;
  std::thread([&] { seenElsewhere = GetLastError(); }).join();
  EXPECT_EQ(seenElsewhere, 0u);
  EXPECT_EQ(GetLastError(), 1234u);
}

}  // namespace
