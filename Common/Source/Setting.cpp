// The settings and the high score board in the registry. Every value that cannot be read takes
// its default, and the default is written back at once, so after a first run all 23 exist.
#include "Setting.h"

#include <stdio.h>
#include <string.h>

#include "TrackedAlloc.h"

Settings g_Settings;

static HKEY OpenSettingsKey() {
  HKEY key = NULL;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, NULL, &key, &disposition);
  if (result != ERROR_SUCCESS) {
    LogSystemError((DWORD)result);
    return NULL;
  }
  return key;
}

void LoadSettings(Settings* settings) {
  HKEY key = OpenSettingsKey();
  if (key == NULL) return;
  ReadRegDword(key, "Pos_X", (DWORD*)&settings->posX, 0);
  ReadRegDword(key, "Pos_Y", (DWORD*)&settings->posY, 0);
  ReadRegDword(key, "Option", (DWORD*)&settings->option, 1);
  for (int i = 0; i < kHighScoreCount; ++i) {
    HighScoreEntry* entry = &settings->highScores.entries[i];
    char name[32];
    sprintf(name, "Score%d", i);
    ReadRegDword(key, name, &entry->score, 0);
    sprintf(name, "Name%d", i);
    ReadRegString(key, name, entry->name, kMaxNameLen, "");
  }
  RegCloseKey(key);
}

void SaveSettings(Settings* settings) {
  HKEY key = OpenSettingsKey();
  if (key == NULL) return;
  WriteRegDword(key, "Pos_X", (DWORD)settings->posX);
  WriteRegDword(key, "Pos_Y", (DWORD)settings->posY);
  WriteRegDword(key, "Option", (DWORD)settings->option);
  for (int i = 0; i < kHighScoreCount; ++i) {
    const HighScoreEntry* entry = &settings->highScores.entries[i];
    char name[32];
    sprintf(name, "Score%d", i);
    WriteRegDword(key, name, entry->score);
    sprintf(name, "Name%d", i);
    WriteRegString(key, name, entry->name);
  }
  RegCloseKey(key);
}

static LONG Clamp(LONG value, LONG low, LONG high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

void ValidateSettings(Settings* settings, int maxX, int maxY) {
  // Below zero first, then above the maximum: a desktop narrower than the window gives a
  // negative maximum, and every position then becomes that maximum.
  settings->posX = Clamp(settings->posX, 0, maxX);
  settings->posY = Clamp(settings->posY, 0, maxY);
  settings->option = Clamp(settings->option, 0, 2);
  SortRecords(settings->highScores.entries, kHighScoreCount, sizeof(HighScoreEntry), CompareScores);
}

int ReadRegDword(HKEY key, const char* name, DWORD* value, DWORD defaultValue) {
  DWORD stored = 0;
  DWORD size = sizeof stored;
  LONG result = RegQueryValueExA(key, name, NULL, NULL, (BYTE*)&stored, &size);
  // A value shorter than four bytes would leave the number half read.
  if (result == ERROR_SUCCESS && size != sizeof stored) result = ERROR_INVALID_DATA;
  if (result == ERROR_SUCCESS) {
    *value = stored;
    return 1;
  }
  LogSystemError((DWORD)result);
  *value = defaultValue;
  WriteRegDword(key, name, defaultValue);
  return 0;
}

int ReadRegString(HKEY key, const char* name, char* buffer, DWORD bufferSize,
                  const char* defaultText) {
  DWORD size = bufferSize;
  LONG result = RegQueryValueExA(key, name, NULL, NULL, (BYTE*)buffer, &size);
  if (result == ERROR_SUCCESS) {
    // The stored text need not end in a zero; the buffer always does.
    buffer[size < bufferSize ? size : bufferSize - 1] = '\0';
    return 1;
  }
  LogSystemError((DWORD)result);
  strncpy(buffer, defaultText, bufferSize - 1);
  buffer[bufferSize - 1] = '\0';
  WriteRegString(key, name, defaultText);
  return 0;
}

int WriteRegDword(HKEY key, const char* name, DWORD value) {
  LONG result = RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
  if (result != ERROR_SUCCESS) {
    LogSystemError((DWORD)result);
    return 0;
  }
  return 1;
}

int WriteRegString(HKEY key, const char* name, const char* text) {
  LONG result = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)strlen(text) + 1);
  if (result != ERROR_SUCCESS) {
    LogSystemError((DWORD)result);
    return 0;
  }
  return 1;
}

void LogSystemError(DWORD code) {
  char text[1024];
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, NULL, code,
                     MAKELANGID(LANG_CHINESE, SUBLANG_NEUTRAL), text, sizeof text, NULL) == 0)
    snprintf(text, sizeof text, "System error %lu.\r\n", (unsigned long)code);
  OutputDebugStringA(text);
}

void SortRecords(void* base, DWORD count, DWORD size, int (*compare)(const void*, const void*)) {
  BYTE* spare = (BYTE*)TrackedAlloc(size, &g_TrackedList, __FILE__, __LINE__);
  if (spare == NULL) return;
  BYTE* records = (BYTE*)base;
  // Exchanging only on exactly 1 keeps records that compare equal in their order.
  for (DWORD pass = 0; count > 1 && pass < count - 1; ++pass) {
    for (DWORD j = 0; j < count - 1 - pass; ++j) {
      BYTE* a = records + j * size;
      BYTE* b = a + size;
      if (compare(a, b) != 1) continue;
      memcpy(spare, a, size);
      memcpy(a, b, size);
      memcpy(b, spare, size);
    }
  }
  TrackedFree(spare, &g_TrackedList);
}

int CompareScores(const void* a, const void* b) {
  DWORD first = ((const HighScoreEntry*)a)->score;
  DWORD second = ((const HighScoreEntry*)b)->score;
  if (second > first) return 1;
  if (second < first) return -1;
  return 0;
}
