#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "winmm/sound.h"

namespace {

TEST(PlaySound, SystemAliasesBecomeTheDesktopThemesEvents) {
  std::vector<std::string> played;
  platform::winmm::SetSoundSink([&](const std::string& alias, const std::string& event) {
    played.push_back(alias + "=" + event);
  });
  EXPECT_TRUE(PlaySoundA("SystemHand", nullptr, SND_ALIAS | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA("SystemExclamation", nullptr, SND_ALIAS | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA("systemasterisk", nullptr, SND_ALIAS | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA("NoSuchSound", nullptr, SND_ALIAS | SND_ASYNC))
      << "the default sound instead";
  EXPECT_FALSE(PlaySoundA("NoSuchSound", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT));
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, SND_PURGE));
  EXPECT_EQ(played,
            (std::vector<std::string>{"SystemHand=dialog-error", "SystemExclamation=dialog-warning",
                                      "systemasterisk=dialog-information", "NoSuchSound=bell"}));
  platform::winmm::SetSoundSink({});
}

TEST(PlaySound, WithoutASoundDeviceItReturnsAtOnceAndQuietly) {
  // The real player, on a machine that may have no sound at all: it must not fail or block.
  EXPECT_TRUE(PlaySoundA("SystemAsterisk", nullptr, SND_ALIAS | SND_ASYNC));
}

}  // namespace
