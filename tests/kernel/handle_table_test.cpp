#include "common/handle_table.h"

#include <gtest/gtest.h>

namespace {

using platform::HandleKind;
using platform::HandleTable;

TEST(HandleTable, EntriesStayInPlaceWhileOthersAreAdded) {
  HandleTable<int> table(HandleKind::Window);
  const std::uintptr_t first = table.Add(1);
  int* held = table.Find(first);
  for (int i = 0; i < 1000; ++i) table.Add(i);
  EXPECT_EQ(table.Find(first), held);
  EXPECT_EQ(*held, 1);
}

TEST(HandleTable, StaleAndForeignHandlesFindNothing) {
  HandleTable<int> windows(HandleKind::Window);
  HandleTable<int> menus(HandleKind::Menu);
  const std::uintptr_t window = windows.Add(5);
  EXPECT_EQ(menus.Find(window), nullptr) << "another kind's handle";
  EXPECT_TRUE(windows.Remove(window));
  EXPECT_EQ(windows.Find(window), nullptr);
  const std::uintptr_t reused = windows.Add(6);
  EXPECT_NE(reused, window) << "the slot is reused under a new generation";
  EXPECT_EQ(windows.Find(window), nullptr);
  EXPECT_EQ(*windows.Find(reused), 6);
  EXPECT_FALSE(windows.Remove(window));
  EXPECT_EQ(windows.Find(0), nullptr);
}

}  // namespace
