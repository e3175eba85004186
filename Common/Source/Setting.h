// What survives between runs: the window position, the difficulty and the high score board,
// kept in the registry under HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

enum {
  kHighScoreCount = 10,
  kMaxNameLen = 17,  // 16 characters and the terminating zero
};

struct HighScoreEntry {
  char name[kMaxNameLen];  // empty for a free place
  DWORD score;
};

struct HighScoreTable {
  HighScoreEntry entries[kHighScoreCount];  // best first
};

struct Settings {
  LONG posX;
  LONG posY;
  LONG option;  // 0 Easy, 1 Medium, 2 Difficult
  HighScoreTable highScores;
};

extern Settings g_Settings;

#define SETTINGS_KEY "Software\\Brannoch\\Kestrelwork\\TVR"

void LoadSettings(Settings* settings);
void SaveSettings(Settings* settings);
void ValidateSettings(Settings* settings, int maxX, int maxY);

int ReadRegDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue);
int ReadRegString(HKEY key, const char* name, char* buffer, DWORD bufferSize,
                  const char* defaultText);
int WriteRegDword(HKEY key, const char* name, DWORD value);
int WriteRegString(HKEY key, const char* name, const char* text);
void LogSystemError(DWORD code);

void SortRecords(void* base, DWORD count, DWORD size, int (*compare)(const void*, const void*));
int CompareScores(const void* a, const void* b);
