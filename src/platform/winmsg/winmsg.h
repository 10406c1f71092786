/*
** winmsg: window messages inside the process.
**
** A window is a handle with a window procedure, owned by the thread that
** created it. Messages posted to a window wait in its queue until the owner
** takes them (WIN_PeekMessage, WIN_GetMessage) and hands them to the procedure
** (WIN_DispatchMessage); messages are taken in the order they were posted,
** also across the owner's windows. WIN_SendMessage calls the procedure and
** returns its result: directly when the sender owns the window, otherwise by
** handing the message to the owner, which runs it the next time it peeks or
** gets messages, while the sender waits (and meanwhile runs messages sent to
** its own windows, so two threads sending to each other do not lock up).
** Every call may be made from any thread. Handles of destroyed windows are
** refused, never followed. C linkage.
*/
#ifndef DQOV_PLATFORM_WINMSG_H
#define DQOV_PLATFORM_WINMSG_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct WinMsgWindow* HWND;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

typedef LRESULT (*WIN_WNDPROC)(HWND hwnd, unsigned int uMsg, WPARAM wParam, LPARAM lParam);

typedef struct WIN_MSG {
    HWND hwnd;
    unsigned int message;
    WPARAM wParam;
    LPARAM lParam;
} WIN_MSG;

#define WM_NULL 0x0000U
#define WM_QUIT 0x0012U
#define WM_USER 0x0400U

#define PM_NOREMOVE 0x0000U
#define PM_REMOVE 0x0001U

/* Creates a window owned by the calling thread; pUserData is kept for the
** procedure (WIN_GetWindowData). NULL when pfnProc is NULL. */
HWND WIN_CreateWindow(WIN_WNDPROC pfnProc, void* pUserData);

/* Destroys the window: its queued messages are dropped, and senders still
** waiting for it get 0. 1 when destroyed, 0 for an unknown handle. */
int WIN_DestroyWindow(HWND hwnd);

/* 1 while the handle names a live window. */
int WIN_IsWindow(HWND hwnd);

/* The user data given at creation (NULL for an unknown handle). */
void* WIN_GetWindowData(HWND hwnd);

/* Queues the message for the window and returns at once. 1 when queued, 0 for
** an unknown handle. */
int WIN_PostMessage(HWND hwnd, unsigned int uMsg, WPARAM wParam, LPARAM lParam);

/* Runs the window procedure for the message and returns its result (see
** above); 0 for an unknown handle or when the window is destroyed first. */
LRESULT WIN_SendMessage(HWND hwnd, unsigned int uMsg, WPARAM wParam, LPARAM lParam);

/* Runs messages sent to the calling thread's windows, then looks for the
** oldest posted message of the calling thread's windows that matches: hwnd
** NULL matches each of them, else only that window; uMin = uMax = 0 matches
** every message number, else uMin..uMax. 1 and *pMsg filled when one is found
** (taken off the queue with PM_REMOVE, left there with PM_NOREMOVE), 0 when
** none is waiting. Never blocks. */
int WIN_PeekMessage(WIN_MSG* pMsg, HWND hwnd, unsigned int uMin, unsigned int uMax, unsigned int uRemove);

/* Like WIN_PeekMessage with PM_REMOVE, but waits until a message matches
** (running sent messages meanwhile). Returns 0 when the message is WM_QUIT,
** -1 when pMsg is NULL or hwnd is not a live window of the calling thread,
** else 1. */
int WIN_GetMessage(WIN_MSG* pMsg, HWND hwnd, unsigned int uMin, unsigned int uMax);

/* Keyboard accelerators do not exist here: always 0 (the message was not
** translated and must be dispatched). */
int WIN_TranslateAccelerator(HWND hwnd, const void* pAccelTable, WIN_MSG* pMsg);

/* Hands the message to its window's procedure and returns the result; 0 when
** the window no longer exists. */
LRESULT WIN_DispatchMessage(const WIN_MSG* pMsg);

#ifdef __cplusplus
}
#endif

#endif
