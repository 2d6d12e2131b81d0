#include "link_binding.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibrary>
#include <QSet>

#include "ansi_text.h"
#include "line_hand_over.h"
#include "link_library_file.h"
#include "messages.h"

namespace kvt::link {

namespace {

struct Binding {
  QString path;
  QLibrary library;
  bool tried = false;
  QHash<QByteArray, QFunctionPointer> functions;
  QSet<QByteArray> reported;  // missing functions the user has been told of
};

Binding& binding() {
  static Binding instance;
  return instance;
}

QFunctionPointer resolve(const char* name) {
  Binding& b = binding();
  if (const auto found = b.functions.constFind(name); found != b.functions.constEnd()) {
    return found.value();
  }
  if (!b.tried) {
    b.tried = true;
    b.library.setFileName(libraryPath());
    if (!b.library.load()) {
      showWarning(nullptr,
                  QStringLiteral("No se encuentra la biblioteca de enlace con el reloj:\n%1\n\n%2\n"
                                 "No se puede hablar con el reloj hasta que se instale.")
                      .arg(QDir::toNativeSeparators(libraryPath()), b.library.errorString()));
    }
  }
  if (!b.library.isLoaded()) return nullptr;
  const QFunctionPointer function = b.library.resolve(name);
  if (function != nullptr) {
    b.functions.insert(name, function);
  } else if (!b.reported.contains(name)) {
    b.reported.insert(name);
    showWarning(nullptr, QStringLiteral("La biblioteca de enlace con el reloj %1 no tiene la "
                                        "función %2.\nLa operación no se ha hecho.")
                             .arg(QDir::toNativeSeparators(libraryPath()), QLatin1String(name)));
  }
  return function;
}

// Calls the library's function of that name, or gives 0 when it cannot be bound.
template <typename Function, typename... Arguments>
std::int32_t call(const char* name, Arguments... arguments) {
  const QFunctionPointer function = resolve(name);
  return function != nullptr ? reinterpret_cast<Function>(function)(arguments...) : 0;
}

// The export's type comes from the library's own header; its name is bound exactly as declared.
#define KVT_LINK_CALL(name, ...) call<decltype(&::name)>(#name __VA_OPT__(, ) __VA_ARGS__)

}  // namespace

QString libraryPathIn(const QString& programFolder) {
  const QDir folder(programFolder);
  const QStringList locations = libraryLocations();
  for (const QString& location : locations) {
    if (folder.exists(location)) return QDir::cleanPath(folder.filePath(location));
  }
  return QDir::cleanPath(folder.filePath(locations.front()));
}

QString libraryPath() {
  const Binding& b = binding();
  return !b.path.isEmpty() ? b.path : libraryPathIn(QCoreApplication::applicationDirPath());
}

LibraryCheck checkLibrary(const QString& programFolder) {
  LibraryCheck check;
  check.path = libraryPathIn(programFolder);
  QLibrary library(check.path);
  if (!library.load()) {
    check.error = library.errorString();
    return check;
  }
  const auto version = reinterpret_cast<decltype(&::quorlinkVersion)>(
      library.resolve("quorlinkVersion"));
  if (version == nullptr) {
    check.error = QStringLiteral("no tiene la función quorlinkVersion");
  } else {
    check.version = version();
  }
  library.unload();
  return check;
}

void useLibrary(const QString& path) {
  Binding& b = binding();
  b.library.unload();
  b.functions.clear();
  b.reported.clear();
  b.tried = false;
  b.path = path;
}

std::int32_t openQuorConnection(QString& puertoCom) {
  const std::string port = toAnsi(puertoCom);
  const std::int32_t result = KVT_LINK_CALL(openQuorConnection, port.c_str());
  puertoCom = fromAnsi(port.c_str());
  return result;
}

std::int32_t openQuorKVT(const QString& pedirImpresora) {
  bool isNumber = false;
  const int choice = pedirImpresora.trimmed().toInt(&isNumber);
  const std::uint32_t ask = isNumber && choice >= 0 && choice <= 255 ? choice : 0;
  return KVT_LINK_CALL(openQuorKVT, ask);
}

void closeQuorKVT() {
  // Closing waits for the reader thread; it must not be waiting for a line to be taken here.
  stopReceivingLines();
  KVT_LINK_CALL(closeQuorKVT);
}

void closeQuorConnection() {
  stopReceivingLines();
  KVT_LINK_CALL(closeQuorConnection);
}

std::int32_t regUpdateProc(QuorUpdateProc procedure) {
  return KVT_LINK_CALL(regUpdateProc, procedure);
}

std::int32_t regPrinterChooser(QuorPrinterChooser chooser) {
  return KVT_LINK_CALL(regPrinterChooser, chooser);
}

std::int32_t getUpdateData(char* line) {
  return KVT_LINK_CALL(getUpdateData, line);
}

}  // namespace kvt::link
