// The clock link library as the program calls it: loaded from beside the program, or else from
// where it is installed, on the first call of one of its functions, each function bound by its
// exact name once. A missing library or function is not a crash: the call counts as failed (0)
// and the user is told, once, which file or function is missing.
#pragma once

#include <QString>
#include <cstdint>

#include "quorlink.h"

namespace kvt::link {

// The library file that the program loads: the first of its locations (beside the program,
// libquorlink.so or quorlink.dll; then the installed one) that exists in programFolder, or the
// one beside the program when none does.
QString libraryPathIn(const QString& programFolder);
// The same for this program's folder.
QString libraryPath();
// The library that the program in programFolder would load, loaded apart from the run's binding
// and asked for its version: the file, its version number (as QUORLINK_VERSION_NUMBER), or why it
// did not load.
struct LibraryCheck {
  QString path;
  std::int32_t version = 0;
  QString error;  // empty when it loaded and answered
};
LibraryCheck checkLibrary(const QString& programFolder);
// Tests: load this file from the next call on, as if nothing had been bound yet.
void useLibrary(const QString& path);

// puertoCom goes to the library as single-byte text and comes back from it.
std::int32_t openQuorConnection(QString& puertoCom);
// The printer choice as a number from 0 to 255 (empty or not a number: 0).
std::int32_t openQuorKVT(const QString& pedirImpresora);
void closeQuorKVT();
void closeQuorConnection();
std::int32_t regUpdateProc(QuorUpdateProc procedure);
std::int32_t regPrinterChooser(QuorPrinterChooser chooser);
// line: the program's 132-character line buffer.
std::int32_t getUpdateData(char* line);

}  // namespace kvt::link
