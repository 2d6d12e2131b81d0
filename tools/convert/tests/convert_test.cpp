#include "convert.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "capture_text.h"
#include "civil_date.h"
#include "platform_steps.h"
#include "printouts.h"
#include "storing_rules.h"
#include "temp_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

const std::string kDemo = QUORKVT_DEMO_DIR;

std::string expectedWithToday(const std::string& name) {
  std::string bytes = testing::fileBytes(std::string(QUORKVT_APP_DIR) + "/" + name);
  bytes.resize(bytes.rfind("* ") + 2);
  return bytes + shortDate(localToday()) + "\r\n";
}

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome convert(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = runConvert(args, out, err);
  return {status, out.str(), err.str()};
}

class Convert : public ::testing::Test {
 protected:
  testing::TempFolder root_;
  std::string root() const { return root_.path().string(); }
};

struct DemoCase {
  std::vector<std::string> args;
  const char* printout;
  const char* written;   // relative to root/Quor
  const char* expected;  // expected file, below app/
};

class ConvertDemo : public Convert, public ::testing::WithParamInterface<DemoCase> {};

TEST_P(ConvertDemo, WritesTheFileAndPrintsItsPath) {
  std::vector<std::string> args = GetParam().args;
  args.insert(args.end(), {"--root", root(), "--printed", kDemo + "/" + GetParam().printout});
  const Outcome run = convert(args);
  ASSERT_EQ(run.status, kConverted) << run.err;
  const fs::path written = (root_.path() / "Quor" / GetParam().written).make_preferred();
  EXPECT_EQ(run.out, written.string() + "\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(testing::fileBytes(written), expectedWithToday(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Printouts, ConvertDemo,
                         ::testing::Values(DemoCase{{"contest", "--list", "basketing", "--contest",
                                                     "12", "--licence", "345"},
                                                    "basketing.txt",
                                                    "12/E120034501.Txt",
                                                    "contests/tests/expected/E120034501.Txt"},
                                           DemoCase{{"contest", "--list", "checking", "--contest",
                                                     "12", "--licence", "345"},
                                                    "checking.txt",
                                                    "12/C120034501.Txt",
                                                    "contests/tests/expected/C120034501.Txt"},
                                           DemoCase{{"pigeons"},
                                                    "archive.txt",
                                                    "Palomas/P01234.Txt",
                                                    "members/tests/expected/P01234.Txt"}));

TEST_F(Convert, CaptureTextIsTakenAsItStandsAndTheCodeUpperCased) {
  const fs::path capture = root_.path() / "capture.txt";
  std::ofstream(capture, std::ios::binary)
      << storedLines(testing::printedLines("basketing"), StoringRuleKind::Contest).joined();
  const Outcome run = convert({"contest", "--list", "basketing", "--contest", "ab", "--licence",
                               "7", "--root", root(), capture.string()});
  ASSERT_EQ(run.status, kConverted) << run.err;
  EXPECT_EQ(run.out, (root_.path() / "Quor" / "AB" / "EAB0000701.Txt").string() + "\n");
}

TEST_F(Convert, WrongListWritesNothing) {
  const Outcome run = convert({"contest", "--list", "checking", "--contest", "12", "--licence",
                               "345", "--root", root(), "--printed", kDemo + "/basketing.txt"});
  EXPECT_EQ(run.status, kWrongList);
  EXPECT_EQ(run.err, "El Tipo de Listado es Incorrecto\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(fs::exists(root_.path() / "Quor"));
}

TEST_F(Convert, ListWithoutPigeonsWritesNothing) {
  const fs::path capture = root_.path() / "head.txt";
  std::ofstream(capture, std::ios::binary) << testing::headWith("archive", {}).joined();
  const Outcome run = convert({"pigeons", "--root", root(), capture.string()});
  EXPECT_EQ(run.status, kNoPigeons);
  EXPECT_NE(run.err.find("no tiene palomas"), std::string::npos);
  EXPECT_FALSE(fs::exists(root_.path() / "Quor"));
}

TEST_F(Convert, UnwritableRootNamesThePathAndTheReason) {
  const std::string absent = (root_.path() / "absent").string();
  const Outcome run = convert({"pigeons", "--root", absent, "--printed", kDemo + "/archive.txt"});
  EXPECT_EQ(run.status, kNotWritten);
  EXPECT_NE(run.err.find((fs::path(absent) / "Quor").string() + ": la ruta no existe"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(Convert, RefusedLicenceIsNotWritten) {
  const Outcome run = convert({"contest", "--list", "basketing", "--contest", "12", "--licence",
                               "123456", "--root", root(), "--printed", kDemo + "/basketing.txt"});
  EXPECT_EQ(run.status, kNotWritten);
  EXPECT_NE(run.err.find("123456"), std::string::npos);
}

TEST_F(Convert, PigeonLinesThatCannotBeReadAreReported) {
  const fs::path capture = root_.path() / "capture.txt";
  std::ofstream(capture, std::ios::binary)
      << testing::headWith("archive", {" 1  |ES-09-1234567M |1234567890|", " 2  |??|"}).joined();
  const Outcome run = convert({"pigeons", "--root", root(), capture.string()});
  EXPECT_EQ(run.status, kConverted);
  EXPECT_NE(run.err.find("la línea 15"), std::string::npos) << run.err;
}

class ConvertUsage : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ConvertUsage, SaysWhatIsWrongThenTheUsage) {
  const Outcome run = convert(GetParam());
  EXPECT_EQ(run.status, kUsageError);
  EXPECT_EQ(run.err.rfind("quorkvt-convert: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("uso:"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ConvertUsage,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"convert", "x"},
                      std::vector<std::string>{"pigeons"},
                      std::vector<std::string>{"pigeons", "--root"},
                      std::vector<std::string>{"pigeons", "a", "b"},
                      std::vector<std::string>{"pigeons", "--list", "checking", "a"},
                      std::vector<std::string>{"contest", "--contest", "1", "--licence", "2", "a"},
                      std::vector<std::string>{"contest", "--list", "archive", "--contest", "1",
                                               "--licence", "2", "a"},
                      std::vector<std::string>{"contest", "--list", "basketing", "--licence", "2",
                                               "a"},
                      std::vector<std::string>{"pigeons", "/nonexistent/printout.txt"}));

TEST(ConvertInformation, HelpAndVersionGoToStandardOutput) {
  const Outcome help = convert({"--help"});
  EXPECT_EQ(help.status, kConverted);
  EXPECT_EQ(help.out.rfind("uso:", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
  const Outcome version = convert({"--version"});
  EXPECT_EQ(version.status, kConverted);
  EXPECT_EQ(version.out, "quorkvt-convert " QUORKVT_VERSION "\n");
  // Anywhere else they are unknown options, as before.
  EXPECT_EQ(convert({"pigeons", "--version", "a"}).status, kUsageError);
}

// The installed program, as a script would call it.
TEST_F(Convert, ProgramExitStatusesAreTheCommandsOwn) {
  const std::string program = QUORKVT_CONVERT_PROGRAM;
  auto status = [&](const std::string& args) {
    return testing::exitStatusOf(program + " " + args);
  };
  EXPECT_EQ(status("pigeons --root " + root() + " --printed " + kDemo + "/archive.txt"), 0);
  EXPECT_EQ(status("pigeons --root " + root() + " --printed " + kDemo + "/checking.txt"), 1);
  EXPECT_EQ(status("--bogus"), 2);
}

}  // namespace
}  // namespace kvt
