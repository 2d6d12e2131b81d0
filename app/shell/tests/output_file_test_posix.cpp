// The default documents folder off Windows.
#include <cstdlib>

#include <gtest/gtest.h>

#include "output_file.h"
#include "temp_folder.h"

namespace kvt {
namespace {

TEST(DocumentsRoot, DefaultIsTheHomeFolderOffWindows) {
  testing::TempFolder home;
  const char* saved = std::getenv("HOME");
  const std::string previous = saved != nullptr ? saved : "";
  setenv("HOME", home.path().c_str(), 1);
  EXPECT_EQ(defaultDocumentsRoot(), home.path());
  setenv("HOME", previous.c_str(), 1);
}

}  // namespace
}  // namespace kvt
