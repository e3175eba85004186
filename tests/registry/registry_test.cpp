#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "kernel/debug_output.h"
#include "registry/registry_store.h"
#include "support/jpeg_fixtures.h"

namespace {

namespace fs = std::filesystem;
using platform::registry::UseFile;

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fixtures::TempFile(
        "registry-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    file_ = folder_ + "/config/user.reg";
    UseFile(file_);
  }
  void TearDown() override {
    platform::registry::SetBeforeReplaceHook({});
    platform::registry::SetAfterReplaceHook({});
  }

  HKEY Open(DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Brannoch\\Kestrelwork\\TVR", 0, nullptr,
                              0, KEY_ALL_ACCESS, nullptr, &key, disposition),
              ERROR_SUCCESS);
    return key;
  }

  std::string FileText() {
    const fixtures::Bytes bytes = fixtures::ReadFile(file_);
    return std::string(bytes.begin(), bytes.end());
  }

  std::string folder_;
  std::string file_;
};

TEST_F(Registry, CreatesTheKeyOnceThenOpensIt) {
  DWORD disposition = 0;
  RegCloseKey(Open(&disposition));
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(Open(&disposition));
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "software\\BRANNOCH\\kestrelwork\\tvr", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS)
      << "names ignore case";
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(key);
}

TEST_F(Registry, QueriesFollowTheRulesOfWindows) {
  HKEY key = Open();
  const DWORD number = 0x12345678;
  ASSERT_EQ(RegSetValueExA(key, "Score0", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Name0", 0, REG_SZ, reinterpret_cast<const BYTE*>("Alice"), 6),
            ERROR_SUCCESS);

  DWORD type = 0, value = 0, size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "score0", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, number);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  char name[17];
  size = 3;
  EXPECT_EQ(RegQueryValueExA(key, "Name0", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u) << "the size it needs, zero included";
  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Name0", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  size = sizeof name;
  EXPECT_EQ(RegQueryValueExA(key, "Name0", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "Alice");

  size = 4;
  EXPECT_EQ(
      RegQueryValueExA(key, "Missing", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
      ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  EXPECT_EQ(RegQueryValueExA(key, "Score0", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE)
      << "closed";
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, ClosingAChangedKeyWritesTheFileThatTheNextRunReads) {
  HKEY key = Open();
  const DWORD option = 2;
  RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&option), 4);
  const char tricky[] = "Bo \"B\" \\ \xe9";
  RegSetValueExA(key, "Name0", 0, REG_SZ, reinterpret_cast<const BYTE*>(tricky), sizeof tricky);
  const BYTE raw[] = {1, 2, 0, 255};
  RegSetValueExA(key, "Blob", 0, REG_BINARY, raw, sizeof raw);
  EXPECT_FALSE(fs::exists(file_)) << "nothing written before the key is closed";
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  const std::string text = FileText();
  EXPECT_EQ(text.rfind("WINE REGISTRY Version 2\n", 0), 0u);
  EXPECT_NE(text.find("[Software\\\\Brannoch\\\\Kestrelwork\\\\TVR] "), std::string::npos) << text;
  EXPECT_NE(text.find("\n\"Option\"=dword:00000002\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\"Name0\"=\"Bo \\\"B\\\" \\\\ \\xe9\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\"Blob\"=hex:01,02,00,ff\n"), std::string::npos) << text;

  UseFile(file_);  // a new run
  key = Open();
  char name[32];
  DWORD size = sizeof name;
  ASSERT_EQ(RegQueryValueExA(key, "Name0", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, sizeof tricky);
  EXPECT_STREQ(name, tricky);
  BYTE blob[8];
  size = sizeof blob;
  DWORD type = 0;
  RegQueryValueExA(key, "Blob", nullptr, &type, blob, &size);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(blob[3], 255);
  RegCloseKey(key);
}

TEST_F(Registry, DamagedFileIsSetAsideAndReadAsEmpty) {
  fs::create_directories(folder_ + "/config");
  fixtures::WriteFile(file_, {'n', 'o', 't', ' ', 'a', ' ', 'r', 'e', 'g'});
  platform::DebugOutputCapture debug;
  DWORD disposition = 0;
  HKEY key = Open(&disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  ASSERT_EQ(debug.Lines().size(), 1u);
  EXPECT_NE(debug.Lines()[0].find("damaged"), std::string::npos);
  const fixtures::Bytes aside = fixtures::ReadFile(file_ + ".damaged");
  EXPECT_EQ(std::string(aside.begin(), aside.end()), "not a reg") << "kept as it was";
  const DWORD zero = 0;
  RegSetValueExA(key, "Pos_X", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), 4);
  RegCloseKey(key);
  EXPECT_NE(FileText().find("\"Pos_X\"=dword:00000000"), std::string::npos);

  fixtures::WriteFile(file_, {'[', 'x'});
  UseFile(file_);
  RegCloseKey(Open());
  EXPECT_TRUE(fs::exists(file_ + ".damaged-2")) << "an earlier damaged file is not overwritten";
}

// A damaged file that cannot be set aside, here because its name leaves no room for ".damaged",
// is never written over: neither one that is not ours nor one with a line that cannot be read.
TEST_F(Registry, ADamagedFileThatCannotBeSetAsideIsNotWrittenOver) {
  fs::create_directories(folder_);
  const std::string file = folder_ + "/" + std::string(250, 'r');
  for (const std::string text : {"not a reg", "WINE REGISTRY Version 2\n"
                                              "[Software\\\\Brannoch\\\\Kestrelwork\\\\TVR] 1\n"
                                              "\"Score1\"=dword:00000014\n"
                                              "\"Score2\"=dword:0000zz00\n"}) {
    fixtures::WriteFile(file, fixtures::Bytes(text.begin(), text.end()));
    UseFile(file);
    platform::DebugOutputCapture debug;
    HKEY key = Open();
    DWORD score = 0, size = sizeof score;
    const bool read = RegQueryValueExA(key, "Score1", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&score), &size) == ERROR_SUCCESS;
    EXPECT_EQ(read, text != "not a reg") << "what could be read is there, for this run";
    const DWORD one = 1;
    RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
    EXPECT_EQ(RegCloseKey(key), ERROR_REGISTRY_IO_FAILED) << text;
    const fixtures::Bytes after = fixtures::ReadFile(file);
    EXPECT_EQ(std::string(after.begin(), after.end()), text);
    const auto& lines = debug.Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      return line.find("will not be written over") != std::string::npos;
    })) << "the player is told";
  }
}

TEST_F(Registry, FailureBeforeTheNewFileIsInPlaceKeepsTheOldOne) {
  HKEY key = Open();
  const DWORD one = 1, two = 2;
  RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  RegCloseKey(key);
  const std::string before = FileText();

  platform::registry::SetBeforeReplaceHook([] { return false; });
  key = Open();
  RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
  platform::DebugOutputCapture debug;
  EXPECT_EQ(RegCloseKey(key), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(debug.Lines().size(), 1u);
  EXPECT_EQ(FileText(), before);
  EXPECT_FALSE(fs::exists(file_ + ".new")) << "no half-made file left behind";

  platform::registry::SetBeforeReplaceHook({});
  RegCloseKey(Open());  // nothing changed since, so nothing is written
  key = Open();
  RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
  RegCloseKey(key);
  EXPECT_NE(FileText().find("\"Option\"=dword:00000002"), std::string::npos);
}

// The browser's save: the file is in place, but kept only once IndexedDB has it.
TEST_F(Registry, ASaveNotKeptAfterwardsFailsAndIsMadeAgainAtTheNextChance) {
  int keeps = 0;
  bool keeping = false;
  platform::registry::SetAfterReplaceHook([&] {
    ++keeps;
    return keeping;
  });
  HKEY key = Open();
  const DWORD two = 2;
  RegSetValueExA(key, "Option", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4);
  platform::DebugOutputCapture debug;
  EXPECT_EQ(RegCloseKey(key), ERROR_REGISTRY_IO_FAILED);
  EXPECT_EQ(debug.Lines().size(), 1u);
  EXPECT_NE(FileText().find("\"Option\"=dword:00000002"), std::string::npos) << "in place";
  keeping = true;
  EXPECT_EQ(RegCloseKey(Open()), ERROR_SUCCESS) << "nothing changed, but it was not kept yet";
  EXPECT_EQ(keeps, 2);
  EXPECT_EQ(RegCloseKey(Open()), ERROR_SUCCESS);
  EXPECT_EQ(keeps, 2) << "kept now: nothing more to do";
}

TEST(RegistryText, EveryValueSurvivesTheRoundTrip) {
  using namespace platform::registry;
  std::vector<Key> keys = {{"A\\B",
                            7,
                            {{"", REG_SZ, {'x', 0}},
                             {"nul", REG_SZ, {'a', 0, 'b', 0}},
                             {"short", REG_DWORD, {1, 2}},
                             {"expand", REG_EXPAND_SZ, {'%', 0}},
                             {"empty", REG_BINARY, {}}}}};
  std::vector<Key> back;
  ASSERT_TRUE(Parse(Serialise(keys), &back)) << Serialise(keys);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].path, "A\\B");
  EXPECT_EQ(back[0].modified, 7);
  ASSERT_EQ(back[0].values.size(), keys[0].values.size());
  for (std::size_t i = 0; i < keys[0].values.size(); ++i) {
    EXPECT_EQ(back[0].values[i].name, keys[0].values[i].name);
    EXPECT_EQ(back[0].values[i].type, keys[0].values[i].type);
    EXPECT_EQ(back[0].values[i].data, keys[0].values[i].data) << keys[0].values[i].name;
  }
}

TEST(RegistryText, OnlyATextThatOpensWithOurHeaderIsOurs) {
  using platform::registry::Parse;
  std::vector<platform::registry::Key> keys;
  for (const char* other : {"", "not a reg", "WINE REGISTRY Version 3\n[K] 1\n\"a\"=\"b\"\n",
                            "\n[K] 1\n", "REGEDIT4\n[K]\n"})
    EXPECT_FALSE(Parse(other, &keys)) << other;
  // What a Windows editor leaves: a byte order mark, CRLF line ends.
  std::vector<platform::registry::DroppedLine> dropped;
  ASSERT_TRUE(Parse("\xEF\xBB\xBFWINE REGISTRY Version 2\r\n[K] 1\r\n\"a\"=\"b\"\r\n", &keys,
                    &dropped));
  EXPECT_TRUE(dropped.empty());
  ASSERT_EQ(keys.size(), 1u);
  ASSERT_EQ(keys[0].values.size(), 1u);
  EXPECT_EQ(keys[0].values[0].data, (std::vector<std::uint8_t>{'b', 0}));
}

// Each line that cannot be read goes, with its number and why; every other value stays.
TEST(RegistryText, ALineThatCannotBeReadIsLeftOutAndTheRestKept) {
  const std::string text =
      "WINE REGISTRY Version 2\n"                  // 1
      "\"early\"=dword:00000001\n"                  // 2: before any key
      "[A] 5\n"                                     // 3
      "\"one\"=dword:00000001\n"                    // 4
      "\"bad\"=dword:0000zz00\n"                    // 5
      "some words an editor left\n"                // 6
      "\"open=\"x\"\n"                              // 7: the name's quote not closed
      "\"two\"=\"Ann\"\n"                           // 8
      "\"one\"=dword:00000007\n"                    // 9: the later one holds
      "[B 9\n"                                      // 10: no closing bracket
      "\"lost\"=dword:00000001\n"                   // 11: under a key that could not be read
      "[C] 1\n"                                     // 12
      "\"kept\"=hex:01,02\n"                        // 13
      "\"cut\"=hex:01,0";                            // 14: the file ends in the middle
  std::vector<platform::registry::Key> keys;
  std::vector<platform::registry::DroppedLine> dropped;
  ASSERT_TRUE(platform::registry::Parse(text, &keys, &dropped));
  std::vector<int> lines;
  for (const auto& left : dropped) lines.push_back(left.number);
  EXPECT_EQ(lines, (std::vector<int>{2, 4, 5, 6, 7, 10, 11, 14}));
  EXPECT_EQ(dropped[1].why, "set again on line 9, which holds");
  EXPECT_EQ(dropped[2].why, "a dword that is not eight hex digits");
  EXPECT_EQ(dropped[3].why, "a line that is neither a key nor a value");
  EXPECT_EQ(dropped[5].why, "a key without its closing bracket");
  EXPECT_EQ(dropped[6].why, "a value of a key that could not be read");
  ASSERT_EQ(keys.size(), 2u);
  ASSERT_EQ(keys[0].values.size(), 2u);
  EXPECT_EQ(keys[0].values[0].name, "one");
  EXPECT_EQ(keys[0].values[0].data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(keys[0].values[1].name, "two");
  EXPECT_EQ(keys[1].path, "C");
  ASSERT_EQ(keys[1].values.size(), 1u);
  EXPECT_EQ(keys[1].values[0].name, "kept");

  // A text or a dword shows where it ends: one left without its line end is whole.
  ASSERT_TRUE(platform::registry::Parse("WINE REGISTRY Version 2\n[K] 1\n\"a\"=\"b\"", &keys, &dropped));
  EXPECT_TRUE(dropped.empty());
  EXPECT_EQ(keys[0].values.size(), 1u);
}

}  // namespace
