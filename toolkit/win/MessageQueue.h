#pragma once
// Sending, posting and retrieving messages. Each thread has its own queue of
// posted messages; a message sent to a window of another thread waits in
// that thread's queue until the thread retrieves messages, and the sender
// waits for its result. Retrieval follows the platform's order: messages
// sent from other threads, posted messages, then WM_PAINT for an invalid
// window, then WM_TIMER for a timer that is due.

#include <exception>
#include <functional>
#include <string>

#include "toolkit/win/Messages.h"

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A window of nullptr posts a message to the calling thread itself.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Window and range filter as the platform's: nullptr and 0, 0 take everything.
bool PeekMessage(MSG& message, HWND window, UINT first, UINT last, UINT remove);
// Waits for a message; false when it is WM_QUIT.
bool GetMessage(MSG& message, HWND window, UINT first, UINT last);
LRESULT DispatchMessage(const MSG& message);
// Blocks until something arrives for the calling thread.
void WaitMessage();
// Any message (sent, posted, paint or timer) waiting for the calling thread.
bool HasPendingMessages();

// Message numbers by name, from 0xC000 (see RegisteredNames.h).
UINT RegisterWindowMessage(const std::string& name);

// The position and time of the message retrieved or the input delivered last.
DWORD GetMessagePos();
DWORD GetMessageTime();
// Called by the input layer before it delivers an input message.
void SetCurrentMessageInfo(TPoint screenPoint, DWORD time);

// Where the platform layer reports an exception that escaped a window's
// handler when there is no caller left to take it (a desktop event).
using TExceptionHandler = std::function<void(std::exception_ptr)>;
void SetExceptionHandler(TExceptionHandler handler);
void HandleEscapedException(std::exception_ptr exception);
