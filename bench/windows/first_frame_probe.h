// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <cstdio>

// Watches the thread's messages for the first paint of a top-level window, then
// for the moment no window of the thread is left to paint (its controls paint
// after it), prints "first-frame" and ends the message loop. The benchmark
// times the line's arrival from when it started the process. A posted message
// comes before any paint, so the probe's own marker is posted again after each
// paint until none is pending.
namespace first_frame {

inline constexpr UINT kMarker = WM_APP + 0x3F1;
inline HHOOK hook = nullptr;
inline bool painted = false;
inline bool waiting = false;

inline LRESULT CALLBACK OnMessage(int code, WPARAM removed, LPARAM message) {
    const MSG& msg = *reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE) {
        if (!painted && msg.message == WM_PAINT && GetAncestor(msg.hwnd, GA_ROOT) == msg.hwnd) {
            painted = true;
            PostThreadMessageW(GetCurrentThreadId(), kMarker, 0, 0);
        } else if (painted && msg.message == kMarker && msg.hwnd == nullptr) {
            if (HIWORD(GetQueueStatus(QS_PAINT)) != 0) {
                waiting = true;
            } else {
                std::fputs("first-frame\n", stdout);
                std::fflush(stdout);
                UnhookWindowsHookEx(hook);
                PostQuitMessage(0);
            }
        } else if (waiting && msg.message == WM_PAINT) {
            waiting = false;
            PostThreadMessageW(GetCurrentThreadId(), kMarker, 0, 0);
        }
    }
    return CallNextHookEx(hook, code, removed, message);
}

// Call before the first window is shown.
inline void Watch() {
    hook = SetWindowsHookExW(WH_GETMESSAGE, OnMessage, nullptr, GetCurrentThreadId());
}

} // namespace first_frame
