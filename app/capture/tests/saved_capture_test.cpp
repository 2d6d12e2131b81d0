// Saved captures: where they go, what they hold, what refuses them, and reading them back.
#include "saved_capture.h"

#include <gtest/gtest.h>

#include <fstream>

#include "printouts.h"
#include "temp_folder.h"

namespace kvt {
namespace {

namespace fs = std::filesystem;

class SavedCaptureTest : public ::testing::Test {
 protected:
  testing::TempFolder root_;
  const CaptureText capture_{std::vector<std::string>{"LISTA DE ENCESTAR", "", "  1 ES 12"}};
};

TEST_F(SavedCaptureTest, SavesUnderTheContestFolderWithOneMoreLineEndAndOverwrites) {
  const SavedCapture first = saveCapture(CaptureText{}, root_.path(), " 12 ", " 345 ");
  ASSERT_TRUE(first.error.empty()) << first.error;
  EXPECT_TRUE(fs::is_directory(root_.path() / "Quor" / "12"));  // created even for nothing
  EXPECT_FALSE(fs::exists(first.path));

  for (int round = 0; round < 2; ++round) {
    const SavedCapture saved = saveCapture(capture_, root_.path(), " 12 ", " 345 ");
    ASSERT_TRUE(saved.error.empty()) << saved.error;
    EXPECT_EQ(saved.path, root_.path() / "Quor" / "12" / "IC345");
    EXPECT_EQ(testing::fileBytes(saved.path.string()),
              "LISTA DE ENCESTAR\r\n\r\n  1 ES 12\r\n\r\n");
  }
  EXPECT_EQ(saveCapture(capture_, root_.path(), "", "").path, root_.path() / "Quor" / "IC");
}

TEST_F(SavedCaptureTest, RefusesACodeOrLicenceThatLeadsOutsideItsFolder) {
  for (const auto& [code, licence] : std::vector<std::pair<std::string, std::string>>{
           {"..", "345"}, {"../x", "345"}, {"12", "/etc"}, {"a/b", "1"}, {"12", "3\\4"}}) {
    const SavedCapture saved = saveCapture(capture_, root_.path(), code, licence);
    EXPECT_FALSE(saved.error.empty()) << code << " " << licence;
  }
  EXPECT_FALSE(fs::exists(root_.path() / "Quor"));
}

TEST_F(SavedCaptureTest, LoadsTheSavedLinesAndTellsWhyNothingLoaded) {
  const SavedCapture saved = saveCapture(capture_, root_.path(), "12", "345");
  std::string error;
  const std::optional<CaptureText> loaded = loadCapture(saved.path, error);
  ASSERT_TRUE(loaded) << error;
  EXPECT_EQ(loaded->joined(), capture_.joined() + "\r\n");

  std::ofstream(root_.path() / "empty").close();
  for (const fs::path& file : {root_.path() / "missing", root_.path() / "empty", root_.path()}) {
    error.clear();
    EXPECT_FALSE(loadCapture(file, error)) << file;
    EXPECT_NE(error.find(file.string()), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace kvt
