// The one way the Windows code takes in the system's headers. The client's
// own names come first: some of them (IDOK, IDCANCEL) are macros once
// windows.h is in. Afterwards the macros that share a name with the
// client's (the A/W function names of the seam, the message-box answers) are
// removed, so that the client's code compiles with the system's headers in
// view; the Windows code calls the wide functions by their full names
// (PostMessageW) and takes the answers from platform/winmsg.h.
#pragma once

#include "platform/os.h"
#include "platform/platform.h"

#include <winsock2.h>  // before windows.h, which would bring in the old winsock.h
#include <windows.h>

#undef DefWindowProc
#undef DrawText
#undef GetProfileInt
#undef GetProfileString
#undef GetWindowText
#undef IDCANCEL
#undef IDOK
#undef IsDialogMessage
#undef MessageBox
#undef PostMessage
#undef SendMessage
#undef SetWindowText
#undef TranslateAccelerator
#undef WriteProfileString
