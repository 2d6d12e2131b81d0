#include "command_line.h"

#include <QDir>
#include <cstring>

#include "link_binding.h"

namespace kvt {

namespace {

QString versionText(std::int32_t number) {
  return QStringLiteral("%1.%2.%3")
      .arg(number / 1000000)
      .arg(number / 1000 % 1000)
      .arg(number % 1000);
}

void print(std::FILE* to, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), to);
}

}  // namespace

bool isCommandLineQuestion(const char* argument) {
  return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "--version") == 0;
}

int answerCommandLine(const QString& question, const QString& programFolder, std::FILE* out,
                      std::FILE* err) {
  if (question == QLatin1String("--help")) {
    print(out, QStringLiteral(
                   "uso: QuorKVT [--help | --version]\n"
                   "\n"
                   "Sin argumentos abre el programa. --version muestra su versión y la de la\n"
                   "biblioteca de enlace con el reloj, con el archivo del que se carga.\n"));
    return 0;
  }
  print(out, QStringLiteral("QuorKVT %1\n").arg(QLatin1String(QUORKVT_VERSION)));
  const link::LibraryCheck library = link::checkLibrary(programFolder);
  const QString path = QDir::toNativeSeparators(library.path);
  if (!library.error.isEmpty()) {
    print(err, QStringLiteral("QuorKVT: no se puede cargar la biblioteca de enlace con el reloj "
                              "%1: %2\n")
                   .arg(path, library.error));
    return 1;
  }
  print(out, QStringLiteral("quorlink %1 %2\n").arg(versionText(library.version), path));
  return 0;
}

}  // namespace kvt
