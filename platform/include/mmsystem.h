// The part of WinMM that Tavrelo uses: system sounds by alias.
#ifndef TAVRELO_PLATFORM_MMSYSTEM_H
#define TAVRELO_PLATFORM_MMSYSTEM_H

#include <windows.h>

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_PURGE 0x0040
#define SND_ALIAS 0x00010000L
#define SND_FILENAME 0x00020000L

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI PlaySoundA(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);

#ifdef __cplusplus
}
#endif

#endif
