// The splash screen: the splash picture fades in over what the screen showed in its place,
// holds, and goes by itself or at a key or click.
#include <string.h>

#include "Bitmap.h"
#include "Pictures.h"
#include "Shell.h"
#include "image/JpegToBmp.h"

enum { kSplashTimerId = 1, kSplashPeriod = 10, kOpaqueStep = 255, kLastHoldStep = 455 };

struct SplashState {
  int fadeStep;
  RECT place;  // the desktop first, then (x, y, width, height) of the splash
  HDC imageDC, backDC, workDC;
  HBITMAP imageBitmap, backBitmap, workBitmap;
  BLENDFUNCTION blend;
};

static SplashState s_Splash;

// On a desktop smaller than the picture the difference is negative, and C's division would
// round its half up, toward zero.
static int HalfRoundedDown(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

static void SetUpSplash(HWND dialog) {
  BYTE* block = CreateBmpFromJpeg(g_SplashJpeg, g_SplashJpegSize);
  if (block != NULL) {
    DibImage picture;
    BindDibImage(&picture, block);
    int w = picture.info->biWidth, h = picture.info->biHeight;
    GetWindowRect(GetDesktopWindow(), &s_Splash.place);
    int x = HalfRoundedDown(s_Splash.place.right - s_Splash.place.left - w);
    int y = HalfRoundedDown(s_Splash.place.bottom - s_Splash.place.top - h);
    s_Splash.place.left = x;
    s_Splash.place.top = y;
    s_Splash.place.right = w;
    s_Splash.place.bottom = h;
    SetWindowPos(dialog, NULL, x, y, w, h, 0);

    HDC display = CreateDCA("Display", NULL, NULL, NULL);
    s_Splash.imageDC = CreateCompatibleDC(display);
    s_Splash.backDC = CreateCompatibleDC(display);
    s_Splash.workDC = CreateCompatibleDC(display);
    s_Splash.imageBitmap = CreateCompatibleBitmap(display, w, h);
    s_Splash.backBitmap = CreateCompatibleBitmap(display, w, h);
    s_Splash.workBitmap = CreateCompatibleBitmap(display, w, h);
    SelectObject(s_Splash.imageDC, s_Splash.imageBitmap);
    SelectObject(s_Splash.backDC, s_Splash.backBitmap);
    SelectObject(s_Splash.workDC, s_Splash.workBitmap);
    // The dialog is not shown yet, so this is what lies under it.
    if (!BitBlt(s_Splash.backDC, 0, 0, w, h, display, x, y, SRCCOPY))
      OutputDebugStringA("Blt background failed.\n");
    if (SetDIBitsToDevice(s_Splash.imageDC, 0, 0, (DWORD)w, (DWORD)h, 0, 0, 0, (UINT)h,
                          picture.bits, (const BITMAPINFO*)picture.info, DIB_RGB_COLORS) == 0)
      OutputDebugStringA("SetDIBitsToDevice failed.\n");
    DeleteDC(display);
    FreeBmp(block);
  }
  SetTimer(dialog, kSplashTimerId, kSplashPeriod, NULL);
}

static BOOL EndSplash(HWND dialog, WPARAM wParam) {
  DeleteDC(s_Splash.imageDC);
  DeleteDC(s_Splash.backDC);
  DeleteDC(s_Splash.workDC);
  DeleteObject(s_Splash.imageBitmap);
  DeleteObject(s_Splash.backBitmap);
  DeleteObject(s_Splash.workBitmap);
  s_Splash.imageDC = s_Splash.backDC = s_Splash.workDC = NULL;
  s_Splash.imageBitmap = s_Splash.backBitmap = s_Splash.workBitmap = NULL;
  KillTimer(dialog, kSplashTimerId);
  EndDialog(dialog, LOWORD(wParam));
  return TRUE;
}

// One tick: the next step of the fade, nothing while the picture is held, and the end after it.
static BOOL FadeStep(HWND dialog, WPARAM wParam) {
  int previous = s_Splash.fadeStep++;
  if (previous > kLastHoldStep) return EndSplash(dialog, wParam);
  if (s_Splash.fadeStep > kOpaqueStep) return FALSE;
  int w = s_Splash.place.right, h = s_Splash.place.bottom;
  HDC dc = GetDC(dialog);
  if (pfnAlphaBlend == NULL) {
    if (!BitBlt(dc, 0, 0, w, h, s_Splash.imageDC, 0, 0, SRCCOPY))
      OutputDebugStringA("Blt2 background failed.\n");
    s_Splash.fadeStep = kOpaqueStep + 1;
  } else {
    if (!BitBlt(s_Splash.workDC, 0, 0, w, h, s_Splash.backDC, 0, 0, SRCCOPY))
      OutputDebugStringA("Blt1 background failed.\n");
    s_Splash.blend.BlendOp = AC_SRC_OVER;
    s_Splash.blend.BlendFlags = 0;
    s_Splash.blend.AlphaFormat = 0;
    s_Splash.blend.SourceConstantAlpha = (BYTE)s_Splash.fadeStep;
    if (!pfnAlphaBlend(s_Splash.workDC, 0, 0, w, h, s_Splash.imageDC, 0, 0, w, h, s_Splash.blend))
      OutputDebugStringA("AlphaBlend failed.\n");
    if (!BitBlt(dc, 0, 0, w, h, s_Splash.workDC, 0, 0, SRCCOPY))
      OutputDebugStringA("Blt2 background failed.\n");
  }
  ReleaseDC(dialog, dc);
  return FALSE;
}

INT_PTR CALLBACK SplashDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetUpSplash(dialog);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dialog, &ps);
      BitBlt(dc, 0, 0, s_Splash.place.right, s_Splash.place.bottom, s_Splash.backDC, 0, 0, SRCCOPY);
      EndPaint(dialog, &ps);
      return FALSE;
    }
    case WM_TIMER:
      return FadeStep(dialog, wParam);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return EndSplash(dialog, wParam);
    case WM_COMMAND:
      if (wParam == IDCANCEL) return EndSplash(dialog, wParam);
      return FALSE;
    default:
      return FALSE;
  }
}
