#include "storing_rules.h"

#include <gtest/gtest.h>

#include "printouts.h"

namespace kvt {
namespace {

const char* kPigeon = " 3  |ES-09-1234567M |1234567890|";
const char* kMarker = "                   LISTA HASTA QUE AFILACION";

// n head lines of the printout, then the given lines.
std::vector<std::string> received(std::size_t head, std::vector<std::string> tail) {
  std::vector<std::string> lines(head, "HEAD");
  lines.insert(lines.end(), tail.begin(), tail.end());
  return lines;
}

std::vector<std::string> stored(const std::vector<std::string>& lines, StoringRuleKind kind) {
  return storedLines(lines, kind).lines();
}

TEST(ContestRule, KeepsTheHeadThenPigeonLinesUpToTheEndMarker) {
  const auto lines = received(21, {"LINE 22", kPigeon, "NO PIGEON", kMarker, kPigeon});
  EXPECT_EQ(stored(lines, StoringRuleKind::Contest), received(21, {"LINE 22", kPigeon}));
}

TEST(ContestRule, EndMarkerInLowerCaseEndsTheList) {
  const auto lines =
      received(21, {kPigeon, "                   lista hasta que afilacion", kPigeon});
  EXPECT_EQ(stored(lines, StoringRuleKind::Contest), received(21, {kPigeon}));
}

TEST(ContestRule, DemoPrintoutsKeepHeadAndPigeonsOnly) {
  const std::pair<const char*, std::size_t> demos[] = {{"basketing", 5}, {"checking", 3}};
  for (auto [name, pigeons] : demos) {
    const auto printed = testing::printedLines(name);
    EXPECT_EQ(stored(printed, StoringRuleKind::Contest),
              std::vector<std::string>(printed.begin(), printed.begin() + 21 + pigeons))
        << name;
  }
}

TEST(ArchiveRule, StoresPigeonLinesAfterTheEndMarkerAgain) {
  const auto lines = received(13, {"LINE 14", kPigeon, "NO PIGEON", kMarker, kPigeon});
  EXPECT_EQ(stored(lines, StoringRuleKind::Archive), received(13, {"LINE 14", kPigeon, kPigeon}));
}

TEST(ArchiveRule, EndMarkerAsLineFourteenIsDropped) {
  const auto lines = received(13, {kMarker, kPigeon});
  EXPECT_EQ(stored(lines, StoringRuleKind::Archive), received(13, {kPigeon}));
}

TEST(StoringRule, HeadLinesAreStoredWhateverTheyHold) {
  const auto lines = received(0, {"", kMarker, "", "x"});
  EXPECT_EQ(stored(lines, StoringRuleKind::Contest), (std::vector<std::string>{"", "", "x"}));
  EXPECT_EQ(stored(lines, StoringRuleKind::Archive), (std::vector<std::string>{"", "", "x"}));
}

}  // namespace
}  // namespace kvt
