// The Windows message box behind the library's default message handler. The
// default handler calls it through this pointer, which holds MessageBoxA; a
// test puts a recorder in its place to see the owner, text, caption and style.
#pragma once

#ifdef _WIN32
#  include <windows.h>

namespace korvane {

using MessageBoxFunction = decltype(&MessageBoxA);
extern MessageBoxFunction messageBoxFunction;

} // namespace korvane
#endif
