#include "convert.h"

#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <variant>

#include "archive_list_parser.h"
#include "civil_date.h"
#include "contest_file.h"
#include "contest_list_parser.h"
#include "fixed_text.h"
#include "pigeon_file.h"
#include "storing_rules.h"

namespace kvt {

namespace {

constexpr const char* kUsage =
    "uso:\n"
    "  quorkvt-convert contest --list basketing|checking --contest CODIGO --licence LICENCIA\n"
    "                          [--root CARPETA] [--printed] ARCHIVO\n"
    "  quorkvt-convert pigeons [--root CARPETA] [--printed] ARCHIVO\n"
    "\n"
    "ARCHIVO tiene el texto capturado de un listado (o, con --printed, todas las líneas tal como\n"
    "las imprimió el reloj). Se graba el archivo de concurso o de palomas bajo CARPETA/Quor y se\n"
    "escribe su ruta.\n"
    "\n"
    "  quorkvt-convert --help | --version\n";

struct Options {
  std::string mode;
  std::optional<ListKind> list;
  std::optional<std::string> contest;
  std::optional<std::string> licence;
  std::string root;
  bool printed = false;
  std::string file;
};

struct UsageError {
  std::string what;
};

std::variant<Options, UsageError> parseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty() || (args[0] != "contest" && args[0] != "pigeons")) {
    return UsageError{"falta la orden: contest o pigeons"};
  }
  options.mode = args[0];
  const bool contest = options.mode == "contest";
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--printed") {
      options.printed = true;
    } else if (arg == "--root" ||
               (contest && (arg == "--list" || arg == "--contest" || arg == "--licence"))) {
      const auto given = value();
      if (!given) return UsageError{"falta el valor de " + arg};
      if (arg == "--root") options.root = *given;
      if (arg == "--contest") options.contest = upper(*given);
      if (arg == "--licence") options.licence = *given;
      if (arg == "--list") {
        if (*given == "basketing")
          options.list = ListKind::Basketing;
        else if (*given == "checking")
          options.list = ListKind::Checking;
        else
          return UsageError{"--list admite basketing o checking, no " + *given};
      }
    } else if (arg.rfind("--", 0) == 0) {
      return UsageError{"opción desconocida " + arg};
    } else if (options.file.empty()) {
      options.file = arg;
    } else {
      return UsageError{"sobra el argumento " + arg};
    }
  }
  if (options.file.empty()) return UsageError{"falta el ARCHIVO"};
  if (contest && !options.list) return UsageError{"falta --list"};
  if (contest && !options.contest) return UsageError{"falta --contest"};
  if (contest && !options.licence) return UsageError{"falta --licence"};
  return options;
}

int reportWritten(const WrittenFile& written, std::ostream& out, std::ostream& err) {
  if (!written.ok) {
    err << written.error << "\n";
    return kNotWritten;
  }
  out << written.path.string() << "\n";
  return kConverted;
}

template <typename Row>
std::optional<int> refuseUnusable(const Listing<Row>& listing, std::ostream& err) {
  for (std::size_t line : listing.skippedLines) {
    err << "Aviso: la línea " << line
        << " parece de una paloma pero no se puede leer; no se graba.\n";
  }
  if (listing.status == ParseStatus::WrongList) {
    err << kWrongListMessage << "\n";
    return kWrongList;
  }
  if (listing.rows.empty()) {
    err << "El listado no tiene palomas: no se ha grabado ningún archivo.\n";
    return kNoPigeons;
  }
  return std::nullopt;
}

}  // namespace

int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && args[0] == "--help") {
    out << kUsage;
    return kConverted;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "quorkvt-convert " << QUORKVT_VERSION << "\n";
    return kConverted;
  }
  const auto parsed = parseOptions(args);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    err << "quorkvt-convert: " << usage->what << "\n\n" << kUsage;
    return kUsageError;
  }
  const Options& options = std::get<Options>(parsed);

  std::ifstream in(options.file, std::ios::binary);
  std::ostringstream bytes;
  if (!(in && bytes << in.rdbuf())) {
    err << "quorkvt-convert: no se puede leer " << options.file << "\n\n" << kUsage;
    return kUsageError;
  }
  const CaptureText file(bytes.str());
  const bool contest = options.mode == "contest";
  const StoringRuleKind rule = contest ? StoringRuleKind::Contest : StoringRuleKind::Archive;
  const CaptureText capture = options.printed ? storedLines(file.lines(), rule) : file;

  if (contest) {
    const ContestListing listing = parseContestList(capture, *options.list);
    if (auto refused = refuseUnusable(listing, err)) return *refused;
    return reportWritten(GrabaConcurso({listing.header, listing.rows, *options.contest,
                                        *options.licence, options.root, localToday()}),
                         out, err);
  }
  const ArchiveListing listing = parseArchiveList(capture);
  if (auto refused = refuseUnusable(listing, err)) return *refused;
  return reportWritten(GrabaPalomas({listing.header, listing.rows, options.root, localToday()}),
                       out, err);
}

}  // namespace kvt
