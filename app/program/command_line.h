// What the program answers on its command line instead of opening its window: --help and
// --version (with the link library it would load and that library's version).
#pragma once

#include <QStringList>
#include <cstdio>

namespace kvt {

// Whether the argument asks for one of these answers (anything else is left to Qt and the window).
bool isCommandLineQuestion(const char* argument);

// Prints the answer to out (a library that does not load to err) and gives the exit status.
int answerCommandLine(const QString& question, const QString& programFolder, std::FILE* out,
                      std::FILE* err);

}  // namespace kvt
