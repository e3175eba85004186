// The game's rules: the game record, the flow of a game through its stages, clicks, hints, the
// stage clock and the random numbers.
#include "Tavrelo.h"

#include <mmsystem.h>
#include <stdio.h>
#include <string.h>

#include "Bitmap.h"
#include "Pictures.h"
#include "Setting.h"
#include "Surface.h"
#include "TrackedAlloc.h"
#include "shell/Shell.h"

GameState g_Game;

static const RECT kAnchors[kAnchorCount] = {
    {500, 410, 0, 0}, {160, 50, 0, 0}, {360, 50, 0, 0},
    {500, 410, 0, 0}, {500, 410, 0, 0}, {550, 50, 0, 0},
};

static const char kNoStageFiles[] = "No stage files were found in the Stage folder.";
static const char kNoLoadableStage[] = "None of the stage files in the Stage folder could be loaded.";

static void PlayAlias(const char* alias) { PlaySoundA(alias, NULL, SND_ALIAS | SND_ASYNC); }

// The window's own device context, taken for drawing outside a paint.
static HDC TakeWindowDC(GameState* game) {
  HDC dc = GetDC(game->hwnd);
  char line[64];
  sprintf(line, "GetDC = %x\n", (unsigned)(UINT_PTR)dc);
  OutputDebugStringA(line);
  return dc;
}

static DWORD BmpFileSize(const BYTE* block) {
  DWORD size;
  memcpy(&size, block + 2, sizeof size);
  return size;
}

// -------------------------------------------------------------------------------------------
// Start and end of the program

DWORD GameInit(GameState* game) {
  BuildDigitGlyphs();
  memset(game, 0, sizeof *game);
  game->stagesPerGame = kStagesPerGame;
  game->stageTimeUnit = kStageTimeUnit;
  game->maxTargets = kMaxTargets;
  game->targets =
      (Target*)TrackedAlloc(game->maxTargets * sizeof(Target), &g_TrackedList, __FILE__, __LINE__);
  if (game->targets == NULL)
    OutputDebugStringA("Out of memory: no room for the targets; no game can start.\n");
  else
    memset(game->targets, 0, game->maxTargets * sizeof(Target));
  BYTE* background = CreateBmpFromJpeg(g_BackgroundJpeg, g_BackgroundJpegSize);
  if (background != NULL) BindDibImage(&game->background, background);
  game->leftCentre.x = 163;
  game->leftCentre.y = 251;
  game->rightCentre.x = 472;
  game->rightCentre.y = 251;
  DWORD found = ScanStageFiles(game);
  memcpy(game->anchors, kAnchors, sizeof kAnchors);
  return found;
}

void GameShutdown(GameState* game) {
  TrackedFree(game->targets, &g_TrackedList);
  game->targets = NULL;
  FreeStageFiles(game);
  if (game->playOrder != NULL) {
    for (DWORD i = 0; i < game->stagesPerGame; ++i) TrackedFree(game->playOrder[i], &g_TrackedList);
    TrackedFree(game->playOrder, &g_TrackedList);
    game->playOrder = NULL;
  }
  FreeBmp(game->leftPicture.file);
  FreeBmp(game->rightPicture.file);
  FreeBmp(game->background.file);
  BindDibImage(&game->leftPicture, NULL);
  BindDibImage(&game->rightPicture, NULL);
  BindDibImage(&game->background, NULL);
  FreeStage(game->stage);
  game->stage = NULL;
}

// -------------------------------------------------------------------------------------------
// The flow of a game

// Ends the game where it stands without a result: back to the background alone, with nothing
// of the stage left to click, hint or count down. The player is told why when `why` is given.
static void AbandonGame(GameState* game, const char* why) {
  game->stageOver = 1;
  game->phase = kIdle;
  FreeStage(game->stage);
  game->stage = NULL;
  game->stageNumber = 0;
  game->targetCount = 0;
  game->foundCount = 0;
  game->lives = 0;
  game->hintsLeft = 0;
  game->timeLeft = 0;
  InvalidateRect(game->hwnd, NULL, TRUE);
  if (why != NULL) MessageBoxA(game->hwnd, why, g_szTitle, MB_OK | MB_ICONINFORMATION);
}

static BOOL AllocatePlayOrder(GameState* game) {
  if (game->playOrder != NULL) return TRUE;
  char** order = (char**)TrackedAlloc(game->stagesPerGame * sizeof(char*), &g_TrackedList,
                                      __FILE__, __LINE__);
  if (order == NULL) return FALSE;
  for (DWORD i = 0; i < game->stagesPerGame; ++i) {
    order[i] = (char*)TrackedAlloc(kStagePathChars, &g_TrackedList, __FILE__, __LINE__);
    if (order[i] == NULL) {
      while (i > 0) TrackedFree(order[--i], &g_TrackedList);
      TrackedFree(order, &g_TrackedList);
      return FALSE;
    }
    order[i][0] = '\0';
  }
  game->playOrder = order;
  return TRUE;
}

void NewGame(GameState* game, DWORD mode) {
  if (game->stageFileCount == 0) {
    MessageBoxA(game->hwnd, kNoStageFiles, g_szTitle, MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (game->targets == NULL || !AllocatePlayOrder(game)) {
    OutputDebugStringA("Out of memory: the new game cannot start.\n");
    return;
  }
  game->mode = mode;
  game->lives = kStartLives;
  game->hintsLeft = kStartHints;
  game->score = 0;
  game->stageNumber = 0;
  if (!BuildPlayOrder(game)) {
    // Without a fresh order the paths are those of the last game, or none at all.
    OutputDebugStringA("Out of memory: the play order cannot be drawn; the new game cannot start.\n");
    AbandonGame(game, NULL);
    return;
  }
  game->phase = kPlaying;
  SetUpStage(game);
}

// The stage at `path`, loaded for play: null, with a debugger line, when it will not load, and
// also when none of its differences can be played (a patch of another depth than the picture
// is never pasted), since such a stage could not be won.
static StageData* LoadPlayableStage(const char* path) {
  StageData* stage = LoadStage(path);
  if (stage != NULL && !StageHasPlayableDifference(stage)) {
    char line[kStagePathChars + 64];
    snprintf(line, sizeof line, "Stage %s has no difference that can be played.\n", path);
    OutputDebugStringA(line);
    FreeStage(stage);
    stage = NULL;
  }
  return stage;
}

// The file name in a stage path; a path not made by the catalogue is taken whole.
static const char* StageFileName(const char* path) {
  size_t prefix = strlen(STAGE_PATH_PREFIX);
  return strncmp(path, STAGE_PATH_PREFIX, prefix) == 0 ? path + prefix : path;
}

// A stage file that will not play gives way to the next file of the catalogue that does.
static StageData* LoadStandIn(GameState* game, const char* failedPath) {
  const char* failedName = StageFileName(failedPath);
  DWORD start = 0;
  for (DWORD i = 0; i < game->stageFileCount; ++i)
    if (strcmp(game->stageFiles[i], failedName) == 0) start = i;
  char path[kStagePathChars];
  for (DWORD k = 1; k <= game->stageFileCount; ++k) {
    const char* name = game->stageFiles[(start + k) % game->stageFileCount];
    if (strcmp(name, failedName) == 0) continue;
    MakeStagePath(path, name);
    StageData* stage = LoadPlayableStage(path);
    if (stage != NULL) {
      char line[2 * kStagePathChars];
      snprintf(line, sizeof line, "Stage %s is played in place of %s.\n", path, failedPath);
      OutputDebugStringA(line);
      return stage;
    }
  }
  return NULL;
}

// Makes `picture` a block of at least `size` bytes, keeping the one it has when it is big enough.
static BOOL ReservePicture(DibImage* picture, DWORD size) {
  if (picture->file != NULL && BmpFileSize(picture->file) >= size) return TRUE;
  FreeBmp(picture->file);
  BindDibImage(picture, NULL);
  picture->file = (BYTE*)TrackedAlloc(size, &g_TrackedList, __FILE__, __LINE__);
  return picture->file != NULL;
}

BOOL SetUpStage(GameState* game) {
  game->timeLeft = (3 - game->difficulty) * game->stageTimeUnit;
  game->foundCount = 0;
  FreeStage(game->stage);
  game->stage = NULL;
  const char* path = game->playOrder[game->stageNumber];
  StageData* stage = LoadPlayableStage(path);
  if (stage == NULL) {
    char line[kStagePathChars + 32];
    snprintf(line, sizeof line, "Stage %s cannot be played.\n", path);
    OutputDebugStringA(line);
    stage = LoadStandIn(game, path);
  }
  game->stageNumber += 1;
  game->stageOver = 0;
  if (stage == NULL) {
    AbandonGame(game, kNoLoadableStage);
    return FALSE;
  }
  game->stage = stage;

  DWORD size = BmpFileSize(stage->picture.file);
  if (!ReservePicture(&game->leftPicture, size) || !ReservePicture(&game->rightPicture, size)) {
    OutputDebugStringA("Out of memory: the stage pictures cannot be made.\n");
    AbandonGame(game, NULL);
    return FALSE;
  }
  memcpy(game->leftPicture.file, stage->picture.file, size);
  memcpy(game->rightPicture.file, stage->picture.file, size);
  BindDibImage(&game->leftPicture, game->leftPicture.file);
  BindDibImage(&game->rightPicture, game->rightPicture.file);

  ResetDifferences(game);
  ChooseTargets(game);
  ComposePictures(game);

  LONG halfWidth = game->leftPicture.info->biWidth >> 1;
  LONG halfHeight = game->rightPicture.info->biHeight >> 1;
  game->leftRect = CentreRect(game->leftCentre, halfWidth, halfHeight);
  game->rightRect = CentreRect(game->rightCentre, halfWidth, halfHeight);

  game->phase = kPlaying;
  InvalidateRect(game->hwnd, NULL, TRUE);
  return TRUE;
}

// Points for the stage: per second left, more on the harder levels.
static DWORD StageBonus(const GameState* game) {
  return (2 * game->difficulty + 1) * game->timeLeft;
}

void StagePassed(GameState* game) {
  game->stageOver = 1;
  game->score += StageBonus(game);
  DrawFoundMarks(game);
  PlayAlias("SystemAsterisk");
  if (game->stageNumber < game->stagesPerGame) {
    MessageBoxA(game->hwnd, g_szStagePassed, g_szTitle, MB_OK | MB_ICONINFORMATION);
    SetUpStage(game);
  } else {
    GameWon(game);
  }
}

static void EndGame(GameState* game, DWORD phase, const char* text) {
  game->stageOver = 1;
  game->phase = phase;
  MessageBoxA(game->hwnd, text, g_szTitle, MB_OK | MB_ICONINFORMATION);
  if (game->score > g_Settings.highScores.entries[kHighScoreCount - 1].score)
    NewHighScore(game->hwnd, game->score);
}

void GameWon(GameState* game) { EndGame(game, kWon, g_szGamePassed); }

void GameLost(GameState* game) { EndGame(game, kLost, g_szGameFailed); }

// -------------------------------------------------------------------------------------------
// Clicks

void OnClick(GameState* game, POINT* point) {
  if (game->phase != kPlaying) return;
  if (!FindPicture(game, point)) return;
  switch (HitTestTargets(game, *point)) {
    case 0:
      OnMiss(game);
      break;
    case 1:
      OnHit(game);
      break;
    default:
      break;
  }
}

DWORD FindPicture(GameState* game, POINT* point) {
  const RECT* rects[2] = {&game->leftRect, &game->rightRect};
  for (const RECT* r : rects) {
    if (PtInRect(r, *point)) {
      point->x -= r->left;
      point->y -= r->top;
      return 1;
    }
  }
  return 0;
}

DWORD HitTestTargets(GameState* game, POINT point) {
  for (DWORD i = 0; i < game->targetCount; ++i) {
    Target* target = &game->targets[i];
    if (!PtInRect(&target->rect, point)) continue;
    if (target->found) return 2;
    target->found = 1;
    target->marked = 1;
    game->lastFound = i;
    return 1;
  }
  return 0;
}

void OnHit(GameState* game) {
  game->foundCount += 1;
  game->score += (game->difficulty + 1) * 10;
  if (game->foundCount < game->targetCount) {
    DrawFoundMarks(game);
    PlayAlias("SystemExclamation");
  } else {
    StagePassed(game);
  }
}

void OnMiss(GameState* game) {
  PlayAlias("SystemHand");
  game->lives -= 1;
  HDC dc = TakeWindowDC(game);
  DrawLifeMarks(game, dc, 0, game->anchors[kAnchorLives].left, game->anchors[kAnchorLives].top);
  ReleaseDC(game->hwnd, dc);
  if (game->lives == 0) RevealRemaining(game);
}

// Outlines in `colour` either the target last found or every target not marked.
static void DrawMarks(GameState* game, HDC dc, COLORREF colour, BOOL unmarkedOnes) {
  SetBkMode(dc, TRANSPARENT);
  HPEN pen = CreatePen(PS_SOLID, 2, colour);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  HGDIOBJ previousPen = SelectObject(dc, pen);
  int previousMode = SetROP2(dc, R2_MASKPENNOT);
  if (unmarkedOnes)
    DrawTargetOutlines(game, dc, 0);
  else
    OutlineTarget(game, dc, game->targets[game->lastFound].rect);
  SetROP2(dc, previousMode);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
}

void DrawFoundMarks(GameState* game) {
  HDC dc = TakeWindowDC(game);
  DrawMarks(game, dc, RGB(255, 0, 0), FALSE);
  DrawNumber(game, dc, (LONG)game->score, 2, game->anchors[kAnchorScore].left,
             game->anchors[kAnchorScore].top);
  DrawStatusText(game, dc, kAnchorStatus, TRUE);
  ReleaseDC(game->hwnd, dc);
}

void RevealRemaining(GameState* game) {
  HDC dc = TakeWindowDC(game);
  DrawMarks(game, dc, RGB(255, 255, 0), TRUE);
  ReleaseDC(game->hwnd, dc);
  GameLost(game);
}

// -------------------------------------------------------------------------------------------
// Hints and the stage clock

DWORD ShowMeOut(GameState* game) {
  if (game->phase == kLost || game->hintsLeft == 0) return 0;
  game->hintsLeft -= 1;
  HDC dc = TakeWindowDC(game);
  DrawStatusText(game, dc, kAnchorHintStatus, TRUE);
  ReleaseDC(game->hwnd, dc);
  for (DWORD i = 0; i < game->targetCount; ++i) {
    Target* target = &game->targets[i];
    if (target->found) continue;
    target->found = 1;
    target->marked = 1;
    game->lastFound = i;
    OnHit(game);
    break;
  }
  return game->hintsLeft;
}

void OnTimer(GameState* game) {
  if (game->phase != kPlaying || game->stageOver == 1) return;
  HDC dc = TakeWindowDC(game);
  game->timeLeft -= 1;
  DrawNumber(game, dc, (LONG)game->timeLeft, 2, game->anchors[kAnchorTime].left,
             game->anchors[kAnchorTime].top);
  ReleaseDC(game->hwnd, dc);
  if (game->timeLeft == 0) {
    RevealRemaining(game);
    game->stageOver = 1;
  }
}

// -------------------------------------------------------------------------------------------
// Random numbers

static DWORD s_randomState;

void SeedRandom() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  s_randomState = (DWORD)counter.QuadPart;
}

DWORD NextRandom() {
  s_randomState = s_randomState * 214013u + 2531011u;
  return (s_randomState >> 16) & 0x7FFF;
}
