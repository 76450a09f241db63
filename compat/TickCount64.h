/* The stand-in for GetTickCount64 on Windows XP (TickCount64.c). */
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

/* The import slot's name as the import library gives it: x86 decorates
 * stdcall names, x64 does not. */
#ifdef _WIN64
#define TALVEX_TICKCOUNT64_IMPORT "__imp_GetTickCount64"
#else
#define TALVEX_TICKCOUNT64_IMPORT "__imp__GetTickCount64@0"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Milliseconds of the performance counter: what the GetTickCount64 import
 * answers where kernel32 lacks the function. */
ULONGLONG WINAPI TalvexCounterMilliseconds(void);

#ifdef __cplusplus
}
#endif
