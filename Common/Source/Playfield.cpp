// The playfield: background, the two pictures, the outlines of the differences, and the score,
// clock, lives and status line, each of which can be redrawn in place over the background.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "Surface.h"
#include "Tavrelo.h"
#include "shell/Shell.h"

enum { kStatusChars = 1024, kMaxDigits = 10 };

static void DrawPicture(HDC dc, const DibImage& picture, LONG x, LONG y) {
  if (picture.info == NULL) return;
  SetDIBitsToDevice(dc, x, y, (DWORD)picture.info->biWidth, (DWORD)picture.info->biHeight, 0, 0, 0,
                    (UINT)picture.info->biHeight, picture.bits, (const BITMAPINFO*)picture.info,
                    DIB_RGB_COLORS);
}

void OutlineTarget(GameState* game, HDC dc, const RECT& r) {
  Rectangle(dc, r.left + game->leftRect.left, r.top + game->leftRect.top,
            r.right + game->leftRect.left, r.bottom + game->leftRect.top);
  Rectangle(dc, r.left + game->rightRect.left, r.top + game->rightRect.top,
            r.right + game->rightRect.left, r.bottom + game->rightRect.top);
}

void DrawTargetOutlines(GameState* game, HDC dc, DWORD marked) {
  for (DWORD i = 0; i < game->targetCount; ++i)
    if ((game->targets[i].marked != 0) == (marked != 0)) OutlineTarget(game, dc, game->targets[i].rect);
}

void PaintPlayfield(GameState* game, HDC dc) {
  DrawPicture(dc, game->background, 0, 0);
  if (game->phase == kIdle) return;
  DrawPicture(dc, game->leftPicture, game->leftRect.left, game->leftRect.top);
  DrawPicture(dc, game->rightPicture, game->rightRect.left, game->rightRect.top);

  SetBkMode(dc, TRANSPARENT);
  HPEN red = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
  HPEN yellow = CreatePen(PS_SOLID, 2, RGB(255, 255, 0));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ previousPen = SelectObject(dc, red);
  int previousMode = SetROP2(dc, R2_MASKPENNOT);
  DrawTargetOutlines(game, dc, 1);
  if (game->phase == kLost) {
    SelectObject(dc, yellow);
    DrawTargetOutlines(game, dc, 0);
  }
  SetROP2(dc, previousMode);
  SelectObject(dc, previousPen);
  DeleteObject(red);
  DeleteObject(yellow);

  DrawNumber(game, dc, (LONG)game->score, 2, game->anchors[kAnchorScore].left,
             game->anchors[kAnchorScore].top);
  DrawNumber(game, dc, (LONG)game->timeLeft, 2, game->anchors[kAnchorTime].left,
             game->anchors[kAnchorTime].top);
  DrawStatusText(game, dc, kAnchorStatus, FALSE);
  DrawLifeMarks(game, dc, 0, game->anchors[kAnchorLives].left, game->anchors[kAnchorLives].top);
}

void RestoreBackground(GameState* game, HDC dc, RECT r) {
  const DibImage& background = game->background;
  if (background.info == NULL) return;
  LONG height = background.info->biHeight;
  SetDIBitsToDevice(dc, r.left, r.top, (DWORD)(r.right - r.left + 1), (DWORD)(r.bottom - r.top + 1),
                    r.left, height - r.bottom - 1, 0, (UINT)height, background.bits,
                    (const BITMAPINFO*)background.info, DIB_RGB_COLORS);
}

DWORD SplitDigits(LONG value, DWORD* digits) {
  char text[64];
  // The magnitude as an unsigned number, so that the most negative value has one too.
  unsigned long magnitude = value < 0 ? 0ul - (unsigned long)value : (unsigned long)value;
  int n = snprintf(text, sizeof text, "%lu", magnitude);
  for (int k = 0; k < n; ++k) digits[k] = (DWORD)(text[k] - '0');
  return (DWORD)n;
}

static SIZE MeasureRow(DWORD n, const DWORD* indices, LONG spacing) {
  SIZE size = {n > 0 ? (LONG)(n - 1) * spacing : 0, 0};
  for (DWORD k = 0; k < n; ++k) {
    const Surface& glyph = DigitGlyphs[indices[k]];
    size.cx += glyph.width;
    if (glyph.height > size.cy) size.cy = glyph.height;
  }
  return size;
}

SIZE MeasureDigits(LONG value, LONG spacing) {
  DWORD digits[kMaxDigits];
  DWORD n = SplitDigits(value, digits);
  return MeasureRow(n, digits, spacing);
}

void DrawDigitRow(HDC dc, DWORD n, const DWORD* indices, LONG spacing, LONG x, LONG y) {
  for (DWORD k = 0; k < n; ++k) {
    Surface& glyph = DigitGlyphs[indices[k]];
    glyph.Draw(dc, x, y);
    x += glyph.width + spacing;
  }
}

// The box of a row of the given size centred on (cx, cy), right and bottom included.
static RECT CentredBox(SIZE size, LONG cx, LONG cy) {
  RECT r;
  r.left = cx - size.cx / 2;
  r.top = cy - size.cy / 2;
  r.right = r.left + size.cx;
  r.bottom = r.top + size.cy;
  return r;
}

void DrawNumber(GameState* game, HDC dc, LONG value, LONG spacing, LONG cx, LONG cy) {
  SIZE size = MeasureDigits(value, spacing);
  RestoreBackground(game, dc, CentredBox(MeasureDigits(value + 1, spacing), cx, cy));
  DWORD digits[kMaxDigits];
  DWORD n = SplitDigits(value, digits);
  DrawDigitRow(dc, n, digits, spacing, cx - size.cx / 2, cy - size.cy / 2);
}

void DrawLifeMarks(GameState* game, HDC dc, LONG spacing, LONG cx, LONG cy) {
  DWORD n = game->lives < kMaxDigits - 2 ? game->lives : kMaxDigits - 2;
  DWORD marks[kMaxDigits];
  for (DWORD k = 0; k < kMaxDigits; ++k) marks[k] = kLifeMark;
  // One mark wider than the row shown before a miss, which had n + 1 marks.
  RestoreBackground(game, dc, CentredBox(MeasureRow(n + 2, marks, spacing), cx, cy));
  if (n == 0) return;
  SIZE size = MeasureRow(n, marks, spacing);
  DrawDigitRow(dc, n, marks, spacing, cx - size.cx / 2, cy - size.cy / 2);
}

void DrawStatusText(GameState* game, HDC dc, DWORD anchor, BOOL erase) {
  HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  char text[kStatusChars];
  int length = snprintf(text, sizeof text, g_szStatusFormat, (int)game->stageNumber,
                        (int)game->hintsLeft, (int)(game->targetCount - game->foundCount));
  if (length < 0) length = 0;
  if (length >= (int)sizeof text) length = (int)sizeof text - 1;
  SIZE extent = {0, 0};
  GetTextExtentPointA(dc, text, length, &extent);
  RECT& entry = game->anchors[anchor];
  entry.right = entry.left + extent.cx;
  entry.bottom = entry.top + extent.cy;
  RECT r = {entry.left - extent.cx / 2, entry.top - extent.cy / 2, entry.right - extent.cx / 2,
            entry.bottom - extent.cy / 2};
  if (erase) RestoreBackground(game, dc, r);
  TextOutA(dc, r.left, r.top, text, length);
  SelectObject(dc, previousFont);
}
