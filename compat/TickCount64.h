/* The stand-in for GetTickCount64 on Windows XP (TickCount64.c). */
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Milliseconds of the performance counter: what the GetTickCount64 import
 * answers where kernel32 lacks the function. */
ULONGLONG WINAPI TalvexCounterMilliseconds(void);

#ifdef __cplusplus
}
#endif
