#include "Setting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TrackedAlloc.h"
#include "kernel/debug_output.h"
#include "registry/registry_store.h"
#include "support/jpeg_fixtures.h"

namespace {

namespace fs = std::filesystem;

class SettingsStore : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = fixtures::TempFile(
        "settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
        "/user.reg");
    fs::remove_all(fs::path(file_).parent_path());
    platform::registry::UseFile(file_);
  }

  // Stores values as another program (or an older run) might have left them.
  void Store(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void StoreDword(const char* name, DWORD value) { Store(name, REG_DWORD, &value, 4); }
  void StoreText(const char* name, const std::string& text) {
    Store(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }

  std::vector<std::string> ValueNamesInFile() {
    const fixtures::Bytes bytes = fixtures::ReadFile(file_);
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> names;
    for (std::size_t at = text.find("\n\""); at != std::string::npos;
         at = text.find("\n\"", at + 1))
      names.push_back(text.substr(at + 2, text.find('"', at + 2) - at - 2));
    return names;
  }

  std::string file_;
  Settings settings_{};
};

TEST_F(SettingsStore, FirstRunWritesAllTwentyThreeDefaultsInOrder) {
  platform::DebugOutputCapture debug;
  LoadSettings(&settings_);
  std::vector<std::string> expected = {"Pos_X", "Pos_Y", "Option"};
  for (int i = 0; i < 10; ++i) {
    expected.push_back("Score" + std::to_string(i));
    expected.push_back("Name" + std::to_string(i));
  }
  EXPECT_EQ(ValueNamesInFile(), expected);
  ASSERT_EQ(debug.Lines().size(), 23u) << "one line per missing value";
  EXPECT_EQ(debug.Lines()[0], "The system cannot find the file specified.\r\n");
  EXPECT_EQ(settings_.option, 1);
  EXPECT_EQ(settings_.posX, 0);
  EXPECT_STREQ(settings_.highScores.entries[9].name, "");

  debug.Clear();
  Settings again{};
  platform::registry::UseFile(file_);
  LoadSettings(&again);
  EXPECT_TRUE(debug.Lines().empty()) << "a second run finds everything";
  EXPECT_EQ(again.option, 1);
}

TEST_F(SettingsStore, StoredValuesAreClampedAndTheBoardSortedStably) {
  StoreDword("Option", 7);
  StoreDword("Pos_X", static_cast<DWORD>(-32000));
  StoreDword("Pos_Y", 5000);
  const DWORD scores[] = {5, 9, 9, 1};
  const char* names[] = {"five", "nine-a", "nine-b", "one"};
  for (int i = 0; i < 4; ++i) {
    StoreDword(("Score" + std::to_string(i)).c_str(), scores[i]);
    StoreText(("Name" + std::to_string(i)).c_str(), names[i]);
  }
  StoreDword("Score7", 3000000000u);
  StoreText("Name7", "big");
  LoadSettings(&settings_);
  ValidateSettings(&settings_, 1288, 616);
  EXPECT_EQ(settings_.option, 2);
  EXPECT_EQ(settings_.posX, 0);
  EXPECT_EQ(settings_.posY, 616);
  const HighScoreEntry* board = settings_.highScores.entries;
  EXPECT_EQ(board[0].score, 3000000000u) << "compared as unsigned";
  EXPECT_STREQ(board[0].name, "big");
  EXPECT_STREQ(board[1].name, "nine-a");
  EXPECT_STREQ(board[2].name, "nine-b");
  EXPECT_STREQ(board[3].name, "five");
  EXPECT_STREQ(board[4].name, "one");
  EXPECT_EQ(board[9].score, 0u);
  EXPECT_EQ(g_TrackedList.liveCount, 0u) << "the sort's spare record was given back";

  Settings low{};
  low.option = -3;
  low.posX = 10;
  ValidateSettings(&low, -5, 100);
  EXPECT_EQ(low.option, 0);
  EXPECT_EQ(low.posX, -5) << "a desktop narrower than the window";
}

TEST_F(SettingsStore, OverlongOrUnterminatedNamesAreMended) {
  StoreText("Name0", "an-exceedingly-long");        // 19 characters: replaced by the empty name
  Store("Name1", REG_SZ, "seventeen-bytes!!", 17);  // 17 bytes, no terminating zero
  Store("Score2", REG_SZ, "x", 2);                  // too short to be a number
  platform::DebugOutputCapture debug;
  LoadSettings(&settings_);
  EXPECT_STREQ(settings_.highScores.entries[0].name, "");
  EXPECT_STREQ(settings_.highScores.entries[1].name, "seventeen-bytes!");
  EXPECT_EQ(settings_.highScores.entries[2].score, 0u);
  EXPECT_NE(std::find(debug.Lines().begin(), debug.Lines().end(), "More data is available.\r\n"),
            debug.Lines().end());

  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  char name[64];
  DWORD size = sizeof name;
  RegQueryValueExA(key, "Name0", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size);
  EXPECT_EQ(size, 1u) << "the empty name was written back";
  RegCloseKey(key);
}

TEST_F(SettingsStore, SaveWritesEveryValueAndNamesWithTheirZero) {
  settings_.posX = -32000;
  settings_.option = 0;
  std::strcpy(settings_.highScores.entries[0].name, "Zoe");
  settings_.highScores.entries[0].score = 4321;
  SaveSettings(&settings_);
  EXPECT_EQ(ValueNamesInFile().size(), 23u);

  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                  nullptr);
  char name[32];
  DWORD type = 0, size = sizeof name;
  RegQueryValueExA(key, "Name0", nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 4u);
  RegCloseKey(key);

  Settings loaded{};
  platform::registry::UseFile(file_);
  LoadSettings(&loaded);
  EXPECT_EQ(loaded.posX, -32000);
  EXPECT_EQ(loaded.highScores.entries[0].score, 4321u);
  EXPECT_STREQ(loaded.highScores.entries[0].name, "Zoe");
}

TEST(SortRecords, SortsHigherScoresFirstAndKeepsTiesInOrder) {
  HighScoreEntry entries[5] = {{"a", 1}, {"b", 7}, {"c", 3}, {"d", 7}, {"e", 0}};
  SortRecords(entries, 5, sizeof(HighScoreEntry), CompareScores);
  std::string order;
  for (const HighScoreEntry& e : entries) order += e.name;
  EXPECT_EQ(order, "bdcae");
  HighScoreEntry one[1] = {{"x", 1}};
  SortRecords(one, 1, sizeof(HighScoreEntry), CompareScores);
  EXPECT_STREQ(one[0].name, "x");
  EXPECT_EQ(g_TrackedList.liveCount, 0u);
  EXPECT_EQ(CompareScores(&entries[4], &entries[0]), 1);
  EXPECT_EQ(CompareScores(&entries[0], &entries[4]), -1);
  EXPECT_EQ(CompareScores(&entries[0], &entries[1]), 0);
}

// A clean file is read and saved as it was, and nothing is set aside. (What each kind of damage
// costs is played end to end by the game replays DamagedSettingsFileKeepsWhatCanBeRead-*.)
TEST_F(SettingsStore, ACleanFileIsSavedAsItWasAndNothingIsSetAside) {
  StoreText("Name0", "Ann");
  StoreDword("Score0", 20);
  LoadSettings(&settings_);  // the first run writes the other values
  const fixtures::Bytes good = fixtures::ReadFile(file_);
  platform::registry::UseFile(file_);  // a start and an exit
  Settings read{};
  LoadSettings(&read);
  SaveSettings(&read);
  EXPECT_EQ(fixtures::ReadFile(file_), good);
  EXPECT_FALSE(fs::exists(file_ + ".damaged"));
}

}  // namespace
