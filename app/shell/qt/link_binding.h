// The clock link library as the program calls it: loaded from the program's own folder on the
// first call of one of its functions, each function bound by its exact name once. A missing
// library or function is not a crash: the call counts as failed (0) and the user is told, once,
// which file or function is missing.
#pragma once

#include <QString>
#include <cstdint>

#include "quorlink.h"

namespace kvt::link {

// The program's folder and the library's file name (libquorlink.so; quorlink.dll on Windows).
QString libraryPath();
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
