#include "temp_folder.h"

#include <random>
#include <stdexcept>
#include <string>

namespace kvt::testing {

TempFolder::TempFolder() {
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("quorkvt-test-" + std::to_string(random()));
    // Only a folder made here and now is this test's.
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("no fresh folder in " + base.string());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace kvt::testing
