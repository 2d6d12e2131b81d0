// quorkvt-convert: the headless form of reading a clock, pressing "Cancelar" and "Grabar Archivo":
// a captured or printed list becomes the contest file or the pigeon file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kvt {

enum ConvertExit {
  kConverted = 0,
  kWrongList = 1,
  kUsageError = 2,
  kNoPigeons = 3,
  kNotWritten = 4,
};

// Runs the command on its arguments (without the program name); the written file's path goes to
// out, every message to err. --help and --version alone print the usage or the version to out.
int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kvt
