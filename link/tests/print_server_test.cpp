// A printout from the clock printed on a real print server: the default CUPS queue, a PDF printer
// that writes every job into the user's PDF folder.
#include <cups/cups.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "link_test_support.h"
#include "pdf_reading.h"
#include "quorlink.h"

namespace quorlink {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The newest PDF whose name holds the document's title, written after since.
fs::path newestPrintout(const fs::path& folder, fs::file_time_type since) {
  fs::path newest;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().filename().string().find("quorKVT") == std::string::npos) continue;
    if (entry.last_write_time() < since) continue;
    if (newest.empty() || entry.last_write_time() > fs::last_write_time(newest)) {
      newest = entry.path();
    }
  }
  return newest;
}

TEST(PrintServer, PrintoutFromTheClockComesOutOfTheDefaultQueue) {
  cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  if (destination == nullptr) {
    FAIL() << "No print server with a default printer is reachable: this test needs cupsd and a "
              "default PDF queue (scripts/print-server.sh sets them up).";
  }
  cupsFreeDests(1, destination);
  const fs::path outputFolder = fs::path(getpwuid(getuid())->pw_dir) / "PDF";
  const auto since = fs::file_time_type::clock::now() - 2s;

  quorclock::PtyClock clock(2);
  ASSERT_EQ(openQuorConnection("2"), 1);
  ASSERT_EQ(openQuorKVT(0), 1);
  testing::HostLines host;
  const std::vector<std::string> printout = {
      "                    LISTA DE ENCESTAR", " 1  |ES-09-1234567M |1234567890|",
      " 2  |ES-09-1234568H |1234567891|", "                   LISTA HASTA QUE AFILACION"};
  std::string bytes;
  for (const auto& line : printout) bytes += line + "\r\n";
  clock.sendAtLineRate(bytes + "\f", std::chrono::microseconds(100));
  ASSERT_TRUE(host.waitFor(printout.size() + 1, 5s));
  closeQuorKVT();
  closeQuorConnection();

  fs::path pdf;
  for (int i = 0; i < 300 && pdf.empty(); ++i) {
    std::this_thread::sleep_for(100ms);
    pdf = newestPrintout(outputFolder, since);
  }
  ASSERT_FALSE(pdf.empty()) << "the queue wrote no printout into " << outputFolder;
  std::this_thread::sleep_for(500ms);  // the PDF printer may still be writing
  const auto lines = testing::printedLines(pdf.string());
  ASSERT_EQ(lines.size(), printout.size()) << pdf;
  for (std::size_t i = 0; i < printout.size(); ++i) {
    std::string expected;
    for (const char c : printout[i]) {
      if (c != ' ' || (!expected.empty() && expected.back() != ' ')) expected.push_back(c);
    }
    EXPECT_EQ(lines[i].text, expected);
  }
  fs::remove(pdf);
}

}  // namespace
}  // namespace quorlink
