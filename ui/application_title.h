// The application title: the caption of the message boxes and the name of
// the taskbar entry. The window's own caption is kProgramCaption.
#pragma once

#include <QString>

namespace trasel {

// The file name after the last "/" or "\", cut at its first ".", with the
// first character in upper case and every other in lower case:
// "/usr/bin/trasel" -> "Trasel", "C:\Prog\MYPROG.EXE" -> "Myprog".
QString ApplicationTitleFromPath(const QString& programFile);

// The title of the running program, from the file it was started from.
QString ApplicationTitle();

}  // namespace trasel
