// The tests' own database server (scripts/test-server.sh), which the test command starts before
// the tests that use it and stops after them, and the two places the registers can live.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "register_server.h"
#include "shell_fixture.h"

namespace kvt::testing {

// A new, empty database on the tests' server, for one test; removed when left, also while
// connections to it are still open.
class ServerDatabase {
 public:
  // The server in that socket folder (the tests' own by default).
  explicit ServerDatabase(const QString& socketFolder = testServerFolder());
  ~ServerDatabase();
  ServerDatabase(const ServerDatabase&) = delete;
  ServerDatabase& operator=(const ServerDatabase&) = delete;

  const ServerSettings& settings() const { return settings_; }
  // Runs a statement on the database as the server's superuser; false when it fails.
  bool run(const QString& statement) const;

  static QString testServerFolder();

 private:
  QString admin_;  // the connection to the server's own database, which makes and drops this one
  ServerSettings settings_;
};

// Runs scripts/test-server.sh with the action and folder; true when it succeeded.
bool testServerScript(const QString& action, const QString& folder);

enum class Backend { Local, Server };
std::string backendName(const ::testing::TestParamInfo<Backend>& info);

// A shell test run once with the registers in the local file and once on the tests' server,
// started up with them there.
class BothBackEndsTest : public ShellTest, public ::testing::WithParamInterface<Backend> {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::optional<ServerDatabase> server;
};

}  // namespace kvt::testing
