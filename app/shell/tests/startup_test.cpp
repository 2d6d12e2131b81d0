// The start of the program: its databases on a first start and on the next, the emptied scratch
// table, the caption, and a damaged database that stops the start without being touched.
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QStandardPaths>

#include "app_state.h"
#include "databases.h"
#include "frm_main.h"
#include "shell_fixture.h"
#include "startup.h"

namespace kvt {
namespace {

class StartUpTest : public testing::ShellTest {
 protected:
  static void addRecord(RecordSet& set, const char* field, const QString& value) {
    set.addNew();
    set.setValue(QLatin1String(field), value);
    ASSERT_TRUE(set.update()) << set.lastError().toStdString();
  }
};

TEST_F(StartUpTest, FirstStartCreatesBothDatabasesAndTheNextKeepsThem) {
  ASSERT_FALSE(QFile::exists(dataFolder() + "pal.db"));
  startUp();
  EXPECT_EQ(rutaApp, programFolder());
  EXPECT_TRUE(QFile::exists(dataFolder() + "config.db"));
  EXPECT_TRUE(QFile::exists(dataFolder() + "pal.db"));
  EXPECT_EQ(rsConfig.recordCount(), 1);
  EXPECT_TRUE(rsConfig.value("confcocon").toBool());
  EXPECT_EQ(rsSocios.recordCount(), 0);
  addRecord(rsSocios, "slicencia", "345");

  closeDatabases();
  startUp();
  EXPECT_EQ(rsConfig.recordCount(), 1);
  ASSERT_EQ(rsSocios.recordCount(), 1);
  EXPECT_EQ(rsSocios.value("slicencia").toString(), "345");
}

TEST_F(StartUpTest, EveryStartEmptiesThePigeonTable) {
  startUp();
  for (const char* ring : {"ES-1", "ES-2", "ES-3"}) addRecord(rsPaloma, "panilla", ring);
  closeDatabases();
  startUp();
  EXPECT_EQ(rsPaloma.recordCount(), 0);
  RecordSet reread;
  ASSERT_TRUE(reread.open(kPalConnection, "select * from Paloma"));
  EXPECT_EQ(reread.recordCount(), 0);
}

TEST_F(StartUpTest, CaptionIsTheSystemNameAndTheVersion) {
  startUp();
  rsConfig.edit();
  rsConfig.setValue("confnosist", "Club X");
  ASSERT_TRUE(rsConfig.update());
  closeDatabases();
  frmMain window;
  ASSERT_TRUE(window.load(programFolder()).isEmpty());
  EXPECT_EQ(window.windowTitle(), "Club X              V 10.2.1");
}

TEST_F(StartUpTest, ADamagedDatabaseStopsTheStartAndIsLeftAsItWas) {
  for (const char* name : {"config.db", "pal.db"}) {
    SCOPED_TRACE(name);
    closeDatabases();
    QDir(dataFolder()).removeRecursively();
    QDir().mkpath(dataFolder());
    startUp();
    closeDatabases();
    const QByteArray damaged(4096, 'x');
    QFile file(dataFolder() + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    const QString error = kvt::startUp(programFolder());
    EXPECT_TRUE(error.contains(dataFolder() + name)) << error.toStdString();
    QFile after(dataFolder() + name);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), damaged);
    EXPECT_FALSE(QSqlDatabase::contains(kConfigConnection));
  }
}

TEST_F(StartUpTest, WithoutADatosFolderTheDataGoesToTheUsersDataFolder) {
  QDir(dataFolder()).removeRecursively();
  startUp();
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  EXPECT_EQ(rutaApp, userFolder);
  EXPECT_TRUE(QFile::exists(userFolder + "/Datos/pal.db"));
  EXPECT_FALSE(QDir(programFolder()).exists("Datos"));
}

}  // namespace
}  // namespace kvt
