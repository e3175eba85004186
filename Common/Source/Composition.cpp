// A stage's two pictures: which differences are in play, which picture each patch goes into,
// the orientation on Difficult, and the places of the pictures on the playfield.
#include <string.h>

#include "Bitmap.h"
#include "Tavrelo.h"

enum { kOrientationCount = 5 };

static void OrientForDisplay(DibImage* picture, DWORD t);

// A patch of another depth than its picture cannot be pasted (CopyBmpRect refuses it), so its
// difference would be a target with nothing to see: such differences are left out.
static BOOL PatchCanBeShown(const Difference* d, const StageData* stage) {
  return d->patch.info != NULL && d->patch.info->biBitCount == stage->picture.info->biBitCount;
}

BOOL StageHasPlayableDifference(const StageData* stage) {
  for (DWORD i = 0; i < stage->differenceCount; ++i)
    if (PatchCanBeShown(&stage->differences[i], stage)) return TRUE;
  return FALSE;
}

void ResetDifferences(GameState* game) {
  StageData* stage = game->stage;
  for (DWORD i = 0; i < stage->differenceCount; ++i) {
    Difference* d = &stage->differences[i];
    d->chosen = d->patchLeft = d->patchRight = d->available = 0;
  }
  memset(game->targets, 0, game->maxTargets * sizeof(Target));
  stage->availableCount = 0;
  for (DWORD i = 0; i < stage->differenceCount; ++i) {
    Difference* d = &stage->differences[i];
    d->available = PatchCanBeShown(d, stage) ? 1 : 0;
    stage->availableCount += d->available;
  }
}

void ChooseTargets(GameState* game) {
  StageData* stage = game->stage;
  DWORD count = stage->differenceCount;
  SeedRandom();
  DWORD n = stage->availableCount < game->maxTargets ? stage->availableCount : game->maxTargets;
  for (DWORD i = 0; i < n; ++i) {
    DWORD k = game->difficulty == 0 ? i % count : NextRandom() % count;
    // Forward, wrapping, to the first difference still free; n never exceeds the free ones.
    while (!stage->differences[k].available || stage->differences[k].chosen) k = (k + 1) % count;
    stage->differences[k].chosen = 1;
  }
  game->targetCount = 0;
  // A rectangle is only ever hit inside its picture, and its corners go into sums for turning
  // and drawing: whatever a file says beyond the picture is cut off, so that no sum overflows.
  LONG w = stage->picture.info->biWidth, h = stage->picture.info->biHeight;
  for (DWORD i = 0; i < count; ++i) {
    Difference* d = &stage->differences[i];
    if (!d->available || !d->chosen) continue;
    RECT& r = game->targets[game->targetCount].rect;
    r.left = d->left < 0 ? 0 : d->left > w ? w : d->left;
    r.top = d->top < 0 ? 0 : d->top > h ? h : d->top;
    r.right = d->right < 0 ? 0 : d->right > w ? w : d->right;
    r.bottom = d->bottom < 0 ? 0 : d->bottom > h ? h : d->bottom;
    game->targetCount += 1;
    if (NextRandom() & 1)
      d->patchLeft = 1;
    else
      d->patchRight = 1;
  }
}

// Pastes a patch at (left, top) of a picture that already has orientation t and display order:
// each patch pixel goes where turning and flipping would have taken it.
static void PasteTurned(DibImage* picture, const Difference* d, DWORD t) {
  LONG w = picture->info->biWidth, h = picture->info->biHeight;
  LONG pw = d->patch.info->biWidth, ph = d->patch.info->biHeight;
  if (d->left < 0 || d->top < 0 || d->left + pw > w || d->top + ph > h) return;
  // Only differences in play come here, and those have patches of the picture's depth.
  DWORD n = picture->info->biBitCount / 8;
  DWORD stride = BmpStride((DWORD)w, picture->info->biBitCount);
  DWORD patchStride = BmpStride((DWORD)pw, picture->info->biBitCount);
  for (LONG y = 0; y < ph; ++y) {
    const BYTE* from = d->patch.bits + (size_t)y * patchStride;
    for (LONG x = 0; x < pw; ++x, from += n) {
      POINT to = TransformPoint(d->left + x, d->top + y, w, h, t);
      BYTE* pixel = picture->bits + (size_t)(h - 1 - to.y) * stride + (size_t)to.x * n;
      for (DWORD k = 0; k < n; ++k) pixel[k] = from[k];
    }
  }
}

BOOL ComposePictures(GameState* game) {
  StageData* stage = game->stage;
  if (game->difficulty == 2) {
    LONG w = game->leftPicture.info->biWidth, h = game->leftPicture.info->biHeight;
    SeedRandom();
    // Quarter turns would not fit a picture that is not square: it gets a half turn or a mirror.
    DWORD t = w == h ? NextRandom() % kOrientationCount : (NextRandom() % 3) * 2;
    // Pasting first and then turning both pictures would turn the same picture twice: the
    // stage picture is turned once, copied, and every patch put where turning would take it.
    // The pixels come out the same.
    OrientForDisplay(&game->rightPicture, t);
    memcpy(game->leftPicture.bits, game->rightPicture.bits,
           BmpStride((DWORD)w, game->leftPicture.info->biBitCount) * (DWORD)h);
    for (DWORD i = 0; i < stage->differenceCount; ++i) {
      const Difference* d = &stage->differences[i];
      if (!d->available) continue;
      if (d->patchLeft) PasteTurned(&game->leftPicture, d, t);
      if (d->patchRight) PasteTurned(&game->rightPicture, d, t);
    }
    for (DWORD i = 0; i < game->targetCount; ++i) TransformRect(&game->targets[i].rect, w, h, t);
    return TRUE;
  }
  for (DWORD i = 0; i < stage->differenceCount; ++i) {
    const Difference* d = &stage->differences[i];
    if (!d->available) continue;
    DWORD w = (DWORD)d->patch.info->biWidth, h = (DWORD)d->patch.info->biHeight;
    if (d->patchLeft)
      CopyBmpRect(game->leftPicture.file, d->patch.file, (DWORD)d->left, (DWORD)d->top, w, h, 0, 0);
    if (d->patchRight)
      CopyBmpRect(game->rightPicture.file, d->patch.file, (DWORD)d->left, (DWORD)d->top, w, h, 0,
                  0);
  }
  FlipBmp(game->leftPicture.file);
  FlipBmp(game->rightPicture.file);
  return TRUE;
}

// Every reorientation here is built from four moves that are their own inverse, so each is
// done in place by swapping pixels in pairs: no second picture is needed.
enum Swap { kMirror, kHalfTurn, kTranspose, kAntiTranspose };

// Pixels of N bytes, known when compiled, so that a swap is a few moves and not three calls.
template <DWORD N>
static void SwapPixelsOf(DibImage* picture, Swap swap) {
  LONG w = picture->info->biWidth, h = picture->info->biHeight;
  DWORD stride = BmpStride((DWORD)w, N * 8);
  BYTE* bits = picture->bits;
  // The pixel of column x in stored row y.
  auto at = [&](LONG x, LONG y) { return bits + (size_t)y * stride + (size_t)x * N; };
  auto exchange = [](BYTE* a, BYTE* b) {
    for (DWORD k = 0; k < N; ++k) {
      BYTE t = a[k];
      a[k] = b[k];
      b[k] = t;
    }
  };
  switch (swap) {
    case kMirror:
      for (LONG y = 0; y < h; ++y)
        for (LONG x = 0; x < w / 2; ++x) exchange(at(x, y), at(w - 1 - x, y));
      break;
    case kHalfTurn:
      for (LONG y = 0; y < (h + 1) / 2; ++y) {
        // The middle row of an odd height pairs with itself, to its middle.
        LONG last = y == h - 1 - y ? w / 2 : w;
        for (LONG x = 0; x < last; ++x) exchange(at(x, y), at(w - 1 - x, h - 1 - y));
      }
      break;
    case kTranspose:  // square pictures only
      for (LONG y = 0; y < h; ++y)
        for (LONG x = y + 1; x < w; ++x) exchange(at(x, y), at(y, x));
      break;
    case kAntiTranspose:  // square pictures only
      for (LONG y = 0; y < h; ++y)
        for (LONG x = 0; x + y < w - 1; ++x) exchange(at(x, y), at(w - 1 - y, w - 1 - x));
      break;
  }
}

// Colour pictures, the usual case, get faster moves: 24-bit pixels go four bytes at a time.
// Each such move carries one byte of the following pixel, which the next move up the row
// writes over; the last pixel of a run moves alone. Sources are scratch copies with a spare
// byte at the end, so that no read leaves them.
enum { kMaxRowBytes = 8192 * 3, kTile = 16 };
static BYTE s_rowA[kMaxRowBytes + 4];
static BYTE s_rowB[kMaxRowBytes + 4];
static BYTE s_tileA[kTile][kTile * 3 + 4];
static BYTE s_tileB[kTile][kTile * 3 + 4];

// `count` pixels from `from` into `to` in reverse order.
static void ReversePixels(BYTE* to, const BYTE* from, LONG count) {
  const BYTE* source = from + 3 * (count - 1);
  for (LONG x = 0; x < count - 1; ++x, source -= 3) memcpy(to + 3 * x, source, 4);
  memcpy(to + 3 * (count - 1), from, 3);
}

// Region (x0, y0) of `rows` x `columns` pixels becomes the transpose of `tile`, which holds
// `columns` rows of `rows` pixels.
static void PutTransposed(BYTE* bits, DWORD stride, LONG x0, LONG y0, LONG rows, LONG columns,
                          BYTE tile[][kTile * 3 + 4]) {
  for (LONG r = 0; r < rows; ++r) {
    BYTE* to = bits + (size_t)(y0 + r) * stride + (size_t)x0 * 3;
    for (LONG c = 0; c < columns - 1; ++c) memcpy(to + 3 * c, tile[c] + 3 * r, 4);
    memcpy(to + 3 * (columns - 1), tile[columns - 1] + 3 * r, 3);
  }
}

static void TakeTile(const BYTE* bits, DWORD stride, LONG x0, LONG y0, LONG rows, LONG columns,
                     BYTE tile[][kTile * 3 + 4]) {
  for (LONG r = 0; r < rows; ++r)
    memcpy(tile[r], bits + (size_t)(y0 + r) * stride + (size_t)x0 * 3, (size_t)columns * 3);
}

static void SwapColourPixels(DibImage* picture, Swap swap) {
  LONG w = picture->info->biWidth, h = picture->info->biHeight;
  DWORD rowBytes = (DWORD)w * 3, stride = BmpStride((DWORD)w, 24);
  BYTE* bits = picture->bits;
  switch (swap) {
    case kMirror:
      for (LONG y = 0; y < h; ++y) {
        BYTE* row = bits + (size_t)y * stride;
        memcpy(s_rowA, row, rowBytes);
        ReversePixels(row, s_rowA, w);
      }
      break;
    case kHalfTurn:
      for (LONG y = 0; y < h / 2; ++y) {
        BYTE* top = bits + (size_t)y * stride;
        BYTE* bottom = bits + (size_t)(h - 1 - y) * stride;
        memcpy(s_rowA, top, rowBytes);
        memcpy(s_rowB, bottom, rowBytes);
        ReversePixels(top, s_rowB, w);
        ReversePixels(bottom, s_rowA, w);
      }
      if (h % 2 == 1) {
        BYTE* middle = bits + (size_t)(h / 2) * stride;
        memcpy(s_rowA, middle, rowBytes);
        ReversePixels(middle, s_rowA, w);
      }
      break;
    case kTranspose:
      // Tile by tile: each tile above the diagonal trades places with its mirror image below.
      for (LONG i = 0; i < h; i += kTile)
        for (LONG j = i; j < w; j += kTile) {
          LONG rows = h - i < kTile ? h - i : (LONG)kTile;
          LONG columns = w - j < kTile ? w - j : (LONG)kTile;
          TakeTile(bits, stride, j, i, rows, columns, s_tileA);
          if (i == j) {
            PutTransposed(bits, stride, j, i, rows, columns, s_tileA);
          } else {
            TakeTile(bits, stride, i, j, columns, rows, s_tileB);
            PutTransposed(bits, stride, j, i, rows, columns, s_tileB);
            PutTransposed(bits, stride, i, j, columns, rows, s_tileA);
          }
        }
      break;
    case kAntiTranspose:
      SwapColourPixels(picture, kTranspose);
      SwapColourPixels(picture, kHalfTurn);
      break;
  }
}

static void SwapPixels(DibImage* picture, Swap swap) {
  if (picture->info->biBitCount == 24 && picture->info->biWidth <= 8192)
    SwapColourPixels(picture, swap);
  else if (picture->info->biBitCount == 8)
    SwapPixelsOf<1>(picture, swap);
  else
    SwapPixelsOf<3>(picture, swap);
}

static void FlipRows(DibImage* picture) {
  FlipBmpRows(picture->bits, (DWORD)picture->info->biWidth, (DWORD)picture->info->biHeight,
              picture->info->biBitCount);
}

// Gives the picture orientation t and then turns it upside down into display order, in one
// move each: turning and flipping together make a single one of the four swaps.
static void OrientForDisplay(DibImage* picture, DWORD t) {
  switch (t) {
    case 1:
      SwapPixels(picture, kTranspose);
      break;
    case 2:
      SwapPixels(picture, kMirror);
      break;
    case 3:
      SwapPixels(picture, kAntiTranspose);
      break;
    case 4:
      SwapPixels(picture, kHalfTurn);
      break;
    default:
      FlipRows(picture);
      break;
  }
}

BOOL TransformPicture(DibImage* picture, DWORD orientation) {
  LONG w = picture->info->biWidth, h = picture->info->biHeight;
  if ((orientation == 1 || orientation == 3) && w != h) return FALSE;
  switch (orientation) {
    case 0:
      return TRUE;
    case 1:  // (x, y) to (y, w - 1 - x): across the diagonal, then upside down
      SwapPixels(picture, kTranspose);
      FlipRows(picture);
      return TRUE;
    case 2:
      SwapPixels(picture, kHalfTurn);
      return TRUE;
    case 3:  // (x, y) to (h - 1 - y, x): across the diagonal, then left to right
      SwapPixels(picture, kTranspose);
      SwapPixels(picture, kMirror);
      return TRUE;
    case 4:
      SwapPixels(picture, kMirror);
      return TRUE;
    default:
      return FALSE;
  }
}

POINT TransformPoint(LONG x, LONG y, LONG w, LONG h, DWORD orientation) {
  POINT p = {x, y};
  switch (orientation) {
    case 1:
      p.x = y, p.y = w - 1 - x;
      break;
    case 2:
      p.x = w - 1 - x, p.y = h - 1 - y;
      break;
    case 3:
      p.x = h - 1 - y, p.y = x;
      break;
    case 4:
      p.x = w - 1 - x;
      break;
    default:
      break;
  }
  return p;
}

// The rectangle's last pixel, not its exclusive corner, is the point to turn: turning the
// corner itself would land the rectangle a pixel beside the pixels it covers.
void TransformRect(RECT* rect, LONG w, LONG h, DWORD orientation) {
  if (rect->right <= rect->left || rect->bottom <= rect->top) {
    // No pixel to turn: the corners below would make a live 1-pixel-thick target of it. It stays
    // empty, where its top-left corner goes.
    POINT corner = TransformPoint(rect->left, rect->top, w, h, orientation);
    rect->left = rect->right = corner.x;
    rect->top = rect->bottom = corner.y;
    return;
  }
  POINT a = TransformPoint(rect->left, rect->top, w, h, orientation);
  POINT b = TransformPoint(rect->right - 1, rect->bottom - 1, w, h, orientation);
  rect->left = a.x < b.x ? a.x : b.x;
  rect->right = (a.x < b.x ? b.x : a.x) + 1;
  rect->top = a.y < b.y ? a.y : b.y;
  rect->bottom = (a.y < b.y ? b.y : a.y) + 1;
}

RECT CentreRect(POINT centre, LONG halfWidth, LONG halfHeight) {
  RECT r = {centre.x - halfWidth, centre.y - halfHeight, centre.x + halfWidth,
            centre.y + halfHeight};
  return r;
}
