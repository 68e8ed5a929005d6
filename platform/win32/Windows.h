#pragma once

// The one way into the system's headers, for Windows backend files only and after every other
// include: lean, wide-character, without the min and max macros, and without the function
// macros whose names our own boundary uses.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#undef CreateFile
#undef CreateFontIndirect
#undef DefWindowProc
#undef DrawText
#undef FreeModule
#undef GetCurrentDirectory
#undef GetTextMetrics
#undef GetWindowText
#undef LOGFONT
#undef MessageBox
#undef PostMessage
#undef RGB
#undef SendMessage
#undef SetWindowText
