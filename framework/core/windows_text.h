#pragma once

// Text at the edges of a Windows console program. main()'s argv holds the arguments in the ANSI
// code page, which turns every character outside it (Cyrillic under a Western code page, most
// of Unicode under any) into '?'; and a console shows bytes in its own code page (866 for
// Russian), not the UTF-8 that the program writes. Qt-free, beside the other Windows calls.

#include <string>
#include <vector>

namespace wintext {

// Every argument of the process as typed, the program's name first; empty if the system gives
// none.
std::vector<std::wstring> wideArguments();

// Makes the console the program writes to, if any, show its output as UTF-8, until exit.
void useUtf8Console();

// True when `message` (a MSG of the event loop) asks a console program to close: the close
// message that QProcess::terminate and taskkill without /F post to the program's thread,
// which has no window to take it.
bool isCloseRequest(const void *message);

} // namespace wintext
