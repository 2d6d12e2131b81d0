#include "test_server.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "databases.h"

namespace kvt::testing {

namespace {

QString uniqueName(const char* prefix) {
  static std::atomic<int> made{0};
  return QStringLiteral("%1_%2_%3")
      .arg(QLatin1String(prefix))
      .arg(QCoreApplication::applicationPid())
      .arg(++made);
}

}  // namespace

QString ServerDatabase::testServerFolder() {
  return QStringLiteral(QUORKVT_TEST_SERVER);
}

ServerDatabase::ServerDatabase(const QString& socketFolder) : admin_(uniqueName("servidor")) {
  settings_ = {true, socketFolder, 5432, uniqueName("registros"), QStringLiteral("kvt")};
  QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), admin_);
  admin.setHostName(socketFolder);
  admin.setDatabaseName(QStringLiteral("postgres"));
  admin.setUserName(settings_.user);
  QSqlQuery query(admin);
  EXPECT_TRUE(admin.open() && query.exec(QStringLiteral("create database ") + settings_.database))
      << "El servidor de las pruebas en " << socketFolder.toStdString() << " no responde: "
      << admin.lastError().text().toStdString() << query.lastError().text().toStdString();
}

ServerDatabase::~ServerDatabase() {
  {
    QSqlDatabase admin = QSqlDatabase::database(admin_, false);
    QSqlQuery query(admin);
    query.exec(QStringLiteral("drop database if exists %1 with (force)").arg(settings_.database));
    admin.close();
  }
  QSqlDatabase::removeDatabase(admin_);
}

bool ServerDatabase::run(const QString& statement) const {
  const QString name = uniqueName("orden");
  bool done = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(settings_.host);
    db.setDatabaseName(settings_.database);
    db.setUserName(settings_.user);
    QSqlQuery query(db);
    done = db.open() && query.exec(statement);
    EXPECT_TRUE(done) << statement.toStdString() << ": " << query.lastError().text().toStdString();
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
  return done;
}

bool testServerScript(const QString& action, const QString& folder) {
  QProcess script;
  script.setProcessChannelMode(QProcess::ForwardedChannels);
  script.start(QStringLiteral(QUORKVT_TEST_SERVER_SCRIPT), {action, folder});
  return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
         script.exitCode() == 0;
}

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param == Backend::Local ? "Local" : "Servidor";
}

void BothBackEndsTest::SetUp() {
  if (GetParam() == Backend::Server) {
    server.emplace();
    ASSERT_TRUE(saveServerSettings(server->settings()));
  }
  startUp();
}

void BothBackEndsTest::TearDown() {
  closeDatabases();
  server.reset();
}

}  // namespace kvt::testing
