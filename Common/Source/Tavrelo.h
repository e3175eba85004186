// The game: one global record of everything in play, the flow of a game through its stages,
// clicks, hints, the stage clock, the composition of a stage's two pictures, the stage
// catalogue, and the drawing of the playfield.
#pragma once

#include <windows.h>

#include "Stage.h"
#include "image/JpegToBmp.h"

enum GamePhase { kIdle = 0, kPlaying = 1, kLost = 2, kWon = 3 };

enum {
  kStagesPerGame = 50,
  kMaxStagesPerGame = 64,
  kStageTimeUnit = 60,
  kMaxTargets = 5,
  kStartLives = 5,
  kStartHints = 5,
  kStagePathChars = 4096,
  kStageNameChars = 1024,
  kAnchorCount = 6,
};

// Anchor entries: the centre points of the elements drawn on the playfield.
enum { kAnchorUnused = 0, kAnchorScore = 1, kAnchorTime = 2, kAnchorStatus = 3,
       kAnchorHintStatus = 4, kAnchorLives = 5 };

struct Target {
  RECT rect;  // picture coordinates, right and bottom exclusive
  DWORD found;
  DWORD marked;
};

struct GameState {
  DWORD stagesPerGame;
  DWORD stageFileCount;
  DWORD stageTimeUnit;
  DWORD maxTargets;
  char** playOrder;   // stagesPerGame paths ".\Stage\NAME", in play order
  char** stageFiles;  // stageFileCount file names without directory
  DWORD mode;
  DWORD difficulty;  // 0 Easy, 1 Medium, 2 Difficult
  DWORD phase;       // GamePhase
  DWORD stageNumber;
  DWORD score;
  DWORD lives;
  DWORD timeLeft;
  DWORD hintsLeft;
  DWORD stageOver;
  DibImage background;
  POINT leftCentre;
  POINT rightCentre;
  RECT leftRect;
  RECT rightRect;
  RECT anchors[kAnchorCount];
  StageData* stage;
  DibImage leftPicture;
  DibImage rightPicture;
  DWORD targetCount;
  DWORD foundCount;
  Target* targets;
  DWORD lastFound;
  HWND hwnd;
};

extern GameState g_Game;

// Stage flow
DWORD GameInit(GameState* game);
void GameShutdown(GameState* game);
void NewGame(GameState* game, DWORD mode);
BOOL SetUpStage(GameState* game);
void StagePassed(GameState* game);
void GameWon(GameState* game);
void GameLost(GameState* game);

// Finding differences
void OnClick(GameState* game, POINT* point);
DWORD FindPicture(GameState* game, POINT* point);
DWORD HitTestTargets(GameState* game, POINT point);
void OnHit(GameState* game);
void OnMiss(GameState* game);
void DrawFoundMarks(GameState* game);
void RevealRemaining(GameState* game);

// Hints, clock, random numbers
DWORD ShowMeOut(GameState* game);
void OnTimer(GameState* game);
void SeedRandom();
DWORD NextRandom();

// Composition
// Whether any difference of the stage can be played: a stage without one could not be won.
BOOL StageHasPlayableDifference(const StageData* stage);
void ResetDifferences(GameState* game);
void ChooseTargets(GameState* game);
// Works in place and so always succeeds: 1.
BOOL ComposePictures(GameState* game);
BOOL TransformPicture(DibImage* picture, DWORD orientation);
POINT TransformPoint(LONG x, LONG y, LONG w, LONG h, DWORD orientation);
void TransformRect(RECT* rect, LONG w, LONG h, DWORD orientation);
RECT CentreRect(POINT centre, LONG halfWidth, LONG halfHeight);

// Stage catalogue
DWORD ScanStageFiles(GameState* game);
DWORD BuildPlayOrder(GameState* game);
void FreeStageFiles(GameState* game);
// Stage paths are STAGE_PATH_PREFIX followed by a file name, in a kStagePathChars buffer.
#define STAGE_PATH_PREFIX ".\\Stage\\"
void MakeStagePath(char* path, const char* name);

// Playfield drawing
void PaintPlayfield(GameState* game, HDC dc);
void DrawNumber(GameState* game, HDC dc, LONG value, LONG spacing, LONG cx, LONG cy);
void DrawLifeMarks(GameState* game, HDC dc, LONG spacing, LONG cx, LONG cy);
void DrawStatusText(GameState* game, HDC dc, DWORD anchor, BOOL erase);
void RestoreBackground(GameState* game, HDC dc, RECT r);
DWORD SplitDigits(LONG value, DWORD* digits);
SIZE MeasureDigits(LONG value, LONG spacing);
void DrawDigitRow(HDC dc, DWORD n, const DWORD* indices, LONG spacing, LONG x, LONG y);
// Outlines, with the pen and mode already selected, one target in both pictures, or every
// target whose `marked` equals `marked`.
void OutlineTarget(GameState* game, HDC dc, const RECT& r);
void DrawTargetOutlines(GameState* game, HDC dc, DWORD marked);
