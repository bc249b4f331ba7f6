#pragma once
// The exports of the six hook libraries TarnhookR ... TarnhookWU, as the program imports them.
// Each takes the window that receives the input's registered message and returns 1 on success;
// passhook_<X> lets the input's presses pass while nonzero (the hook stays installed);
// releaseseen_<X>(time) tells of a physical release of the input the program saw in its raw
// input at `time` (the message time): a press the hook swallowed before has had its release.

#include <windows.h>

#ifndef TARNHOOK_API
#define TARNHOOK_API __declspec(dllimport)
#endif

extern "C" {
TARNHOOK_API int installhook_R(HWND window);
TARNHOOK_API int unstallhook_R(HWND window);
TARNHOOK_API int installhook_M(HWND window);
TARNHOOK_API int unstallhook_M(HWND window);
TARNHOOK_API int installhook_X1(HWND window);
TARNHOOK_API int unstallhook_X1(HWND window);
TARNHOOK_API int installhook_X2(HWND window);
TARNHOOK_API int unstallhook_X2(HWND window);
TARNHOOK_API int installhook_WD(HWND window);
TARNHOOK_API int unstallhook_WD(HWND window);
TARNHOOK_API int installhook_WU(HWND window);
TARNHOOK_API int unstallhook_WU(HWND window);
TARNHOOK_API void passhook_R(int pass);
TARNHOOK_API void passhook_M(int pass);
TARNHOOK_API void passhook_X1(int pass);
TARNHOOK_API void passhook_X2(int pass);
TARNHOOK_API void passhook_WD(int pass);
TARNHOOK_API void passhook_WU(int pass);
TARNHOOK_API void releaseseen_R(DWORD time);
TARNHOOK_API void releaseseen_M(DWORD time);
TARNHOOK_API void releaseseen_X1(DWORD time);
TARNHOOK_API void releaseseen_X2(DWORD time);
TARNHOOK_API void releaseseen_WD(DWORD time);
TARNHOOK_API void releaseseen_WU(DWORD time);
#ifdef TRESSEL_TEST_SWITCHES
// The test build only: the hook is removed as Windows removes one that missed its timeout.
TARNHOOK_API void losehook_R();
TARNHOOK_API void losehook_M();
TARNHOOK_API void losehook_X1();
TARNHOOK_API void losehook_X2();
TARNHOOK_API void losehook_WD();
TARNHOOK_API void losehook_WU();
#endif

// The low-level mouse callback itself, for in-process tests and timing only: the program never
// calls it. Outside a hook chain its pass-through answer is CallNextHookEx's (0).
TARNHOOK_API LRESULT hookproc_R(int code, WPARAM message, LPARAM event);
TARNHOOK_API LRESULT hookproc_M(int code, WPARAM message, LPARAM event);
TARNHOOK_API LRESULT hookproc_X1(int code, WPARAM message, LPARAM event);
TARNHOOK_API LRESULT hookproc_X2(int code, WPARAM message, LPARAM event);
TARNHOOK_API LRESULT hookproc_WD(int code, WPARAM message, LPARAM event);
TARNHOOK_API LRESULT hookproc_WU(int code, WPARAM message, LPARAM event);
}
