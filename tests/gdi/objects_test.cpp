// GDI objects and handles: selection, deletion, stale and wrong-kind handles, stock objects,
// the display, and the built-in msimg32.dll.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/canvas.h"

namespace {

TEST(GdiObjects, SelectObjectGivesBackThePreviousOfTheSameKind) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  EXPECT_EQ(SelectObject(dc, red), GetStockObject(BLACK_PEN));
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), red);
  EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush);
  EXPECT_TRUE(DeleteObject(red));
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, StaleAndClosedHandlesFailAsOnWindows) {
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  ASSERT_TRUE(DeleteObject(pen));
  SetLastError(0);
  EXPECT_FALSE(DeleteObject(pen)) << "deleted twice";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, pen), nullptr) << "a stale pen";
  ASSERT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_FALSE(Rectangle(dc, 0, 0, 2, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(SetROP2(dc, R2_COPYPEN), 0);
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(dc))) << "a DC is not an object";
  EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(pen)), nullptr);
}

TEST(GdiObjects, ASelectedBitmapCannotBeDeletedUntilItIsSelectedOut) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
  HGDIOBJ original = SelectObject(dc, bitmap);
  ASSERT_NE(original, nullptr);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, bitmap), nullptr) << "one DC at a time";
  EXPECT_FALSE(DeleteObject(bitmap));
  SelectObject(dc, original);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(other);
  DeleteDC(dc);
}

TEST(GdiObjects, StockObjectsSurviveDeletion) {
  HGDIOBJ hollow = GetStockObject(NULL_BRUSH);
  ASSERT_NE(hollow, nullptr);
  EXPECT_TRUE(DeleteObject(hollow));
  fixtures::Canvas canvas(4, 4);
  EXPECT_NE(SelectObject(canvas.dc(), hollow), nullptr) << "still usable";
  EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), nullptr);
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(GdiObjects, DisplayShowsTheDesktop) {
  HDC display = CreateDCA("Display", nullptr, nullptr, nullptr);
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(GetPixel(display, 10, 10), GetSysColor(COLOR_DESKTOP));
  HBITMAP compatible = CreateCompatibleBitmap(display, 15, 19);
  EXPECT_NE(compatible, nullptr);
  DeleteObject(compatible);
  DeleteDC(display);
  EXPECT_EQ(CreateDCA("Printer", nullptr, nullptr, nullptr), nullptr);
}

TEST(Modules, Msimg32ExportsAlphaBlendAndNothingElseIsFound) {
  HMODULE module = LoadLibraryA("msimg32.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(LoadLibraryA("MSIMG32"), module) << "the same module, counted twice";
  EXPECT_EQ(GetProcAddress(module, "AlphaBlend"),
            reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&AlphaBlend)));
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(module, "GradientFill"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_NE(GetProcAddress(module, "AlphaBlend"), nullptr) << "one reference left";
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(FreeLibrary(module));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadLibraryA("opengl32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
