// A stage's two pictures: which differences are in play, which picture each patch goes into,
// the orientation on Difficult, and the places of the pictures on the playfield.
#include <string.h>

#include "Bitmap.h"
#include "Tavrelo.h"
#include "TrackedAlloc.h"

enum { kOrientationCount = 5 };

// A patch of another depth than its picture cannot be pasted (CopyBmpRect refuses it), so its
// difference would be a target with nothing to see: such differences are left out.
static BOOL PatchCanBeShown(const Difference* d, const StageData* stage) {
  return d->patch.info != NULL && d->patch.info->biBitCount == stage->picture.info->biBitCount;
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
  for (DWORD i = 0; i < count; ++i) {
    Difference* d = &stage->differences[i];
    if (!d->available || !d->chosen) continue;
    RECT& r = game->targets[game->targetCount].rect;
    r.left = d->left;
    r.top = d->top;
    r.right = d->right;
    r.bottom = d->bottom;
    game->targetCount += 1;
    if (NextRandom() & 1)
      d->patchLeft = 1;
    else
      d->patchRight = 1;
  }
}

BOOL ComposePictures(GameState* game) {
  StageData* stage = game->stage;
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
  if (game->difficulty == 2) {
    LONG w = game->leftPicture.info->biWidth, h = game->leftPicture.info->biHeight;
    SeedRandom();
    // Quarter turns would not fit a picture that is not square: it gets a half turn or a mirror.
    DWORD t = w == h ? NextRandom() % kOrientationCount : (NextRandom() % 3) * 2;
    if (!TransformPicture(&game->leftPicture, t)) return FALSE;
    if (!TransformPicture(&game->rightPicture, t)) return FALSE;
    for (DWORD i = 0; i < game->targetCount; ++i) TransformRect(&game->targets[i].rect, w, h, t);
  }
  FlipBmp(game->leftPicture.file);
  FlipBmp(game->rightPicture.file);
  return TRUE;
}

BOOL TransformPicture(DibImage* picture, DWORD orientation) {
  LONG w = picture->info->biWidth, h = picture->info->biHeight;
  if ((orientation == 1 || orientation == 3) && w != h) return FALSE;
  if (orientation == 0 || orientation >= kOrientationCount) return orientation == 0;
  DWORD pixelBytes = picture->info->biBitCount / 8;
  DWORD stride = ((DWORD)w * pixelBytes + 3) & ~3u;
  DWORD size = stride * (DWORD)h;
  BYTE* turned = (BYTE*)TrackedAlloc(size, &g_TrackedList, __FILE__, __LINE__);
  if (turned == NULL) return FALSE;
  memcpy(turned, picture->bits, size);
  for (LONG y = 0; y < h; ++y) {
    const BYTE* from = picture->bits + (size_t)y * stride;
    for (LONG x = 0; x < w; ++x, from += pixelBytes) {
      POINT to = TransformPoint(x, y, w, h, orientation);
      memcpy(turned + (size_t)to.y * stride + (size_t)to.x * pixelBytes, from, pixelBytes);
    }
  }
  memcpy(picture->bits, turned, size);
  TrackedFree(turned, &g_TrackedList);
  return TRUE;
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
