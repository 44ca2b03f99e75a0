#pragma once

#include <QString>
#include <QStringList>

// The command line and the terminal of a program that is a GUI program on Windows.

// The arguments after the program's name, as the user typed them: on Windows from the wide
// command line (the ANSI argv loses every letter outside the code page), elsewhere argv in the
// locale's encoding.
QStringList ProgramArguments(int argc, char** argv);

// On Windows a GUI program has no console: attach to the one of the program that started it
// (cmd.exe, PowerShell), so that what --help, --export and the others print is seen there. Output
// already sent to a file or a pipe stays there. Does nothing elsewhere or without such a console.
void AttachParentConsole();

// Writes `text` to standard output or standard error: to a Windows console as UTF-16, so that
// Russian shows whatever the console's code page, and to files and pipes as UTF-8.
void PrintOut(const QString& text);
void PrintError(const QString& text);

// For the commands without a window: what Qt itself reports (no desktop session, fonts it does
// not find) is not the program's to say, and a script reads standard error for the program's
// own lines, so Qt's messages are dropped. A fatal one, which ends the program, is still printed.
void DropQtMessages();
