// The registers on a database server: the tables made on an empty database and refused in another
// shape, what the test button tells, a server stopped in the middle of a session and started
// again, the one-time copy of a PC's own registers, and the password kept out of the settings.
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "contest_register.h"
#include "database_connection.h"
#include "frm_servidor.h"
#include "databases.h"
#include "member_register.h"
#include "settings_file.h"
#include "test_server.h"

namespace kvt {
namespace {

class RegisterServerTest : public testing::ShellTest {
 protected:
  void TearDown() override { closeDatabases(); }

  void startOn(const testing::ServerDatabase& database) {
    ASSERT_TRUE(saveServerSettings(database.settings()));
    startUp();
  }

  static QStringList licences() {
    MemberRegister members;
    members.list(MemberOrder::Licence);
    QStringList all;
    for (const Member& member : members.members()) all << member.licence;
    return all;
  }
};

TEST_F(RegisterServerTest, MakesTheTablesOnAnEmptyDatabaseAndTheTestButtonTells) {
  testing::ServerDatabase database;
  EXPECT_TRUE(testServer(database.settings()).contains("aún no tiene las tablas"));
  startOn(database);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(testServer(database.settings()),
            "El servidor responde y las tablas de los registros están en la base de datos " +
                database.settings().database + ".");
  // The server alone hands out identities.
  QSqlQuery query(QSqlDatabase::database(registerConnection()));
  EXPECT_FALSE(query.exec("insert into socios (id, slicencia) values (1, '1')"));
  // The scratch table and the configuration stay with the PC.
  EXPECT_FALSE(query.exec("select * from paloma"));
  EXPECT_FALSE(query.exec("select * from config"));
  testing::ServerDatabase unknown;
  ServerSettings nowhere = unknown.settings();
  nowhere.database = "no_existe";
  EXPECT_TRUE(testServer(nowhere).startsWith("El servidor no responde, o no acepta la conexión: "));
}

TEST_F(RegisterServerTest, RefusesADatabaseWhoseTablesHaveAnotherShapeAndLeavesThemAlone) {
  const struct {
    const char* what;
    const char* table;
  } shapes[] = {
      {"create table socios (id serial primary key, slicencia text, snombre text)", "socios"},
      {"create table concurso (id bigint generated always as identity, cocodigo text collate "
       "\"es-x-icu\", conombre text collate \"es-x-icu\", cofecha date, coenceste date)",
       "concurso"},
      {"create table socios (licencia varchar(10), nombre varchar(40))", "socios"},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.what);
    testing::ServerDatabase database;
    ASSERT_TRUE(database.run(shape.what));
    EXPECT_TRUE(testServer(database.settings())
                    .contains(QString("tiene una tabla %1 de otra forma").arg(shape.table)));
    messages.clear();
    startOn(database);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains("El programa no la usa ni la modifica"));
    MemberRegister members;
    EXPECT_FALSE(members.list(MemberOrder::Name));
    EXPECT_TRUE(members.error().contains("de otra forma"));
    EXPECT_FALSE(members.add({"1", "UNO", ""}).done());
    closeDatabases();
    EXPECT_TRUE(database.run(QString("select 1 from %1 limit 0").arg(shape.table)));
  }
}

TEST_F(RegisterServerTest, AServerStoppedInTheMiddleIsToldAndUsedAgainOnceItIsBack) {
  const QString folder =
      QString("/tmp/quorkvt-pg-restart-%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(testing::testServerScript("start", folder));
  {
    testing::ServerDatabase database(folder);
    startOn(database);
    MemberRegister members;
    ASSERT_TRUE(members.add({"1", "ANTES", ""}).done());

    ASSERT_TRUE(testing::testServerScript("stop", folder));
    const Saved refused = members.add({"2", "DURANTE", ""});
    EXPECT_FALSE(refused.done());
    EXPECT_TRUE(refused.refusal.startsWith("No hay conexión con el servidor de datos " +
                                           database.settings().host + ".\n"))
        << refused.refusal.toStdString();
    EXPECT_TRUE(refused.refusal.contains("No se ha grabado nada."));
    EXPECT_FALSE(members.list(MemberOrder::Licence));
    EXPECT_TRUE(members.error().contains("Lo escrito en la pantalla se conserva"));

    // Back again: the next action works, on a connection opened anew.
    ASSERT_TRUE(testing::testServerScript("start", folder));
    ASSERT_TRUE(members.add({"2", "DESPUÉS", ""}).done());
    EXPECT_EQ(licences(), QStringList({"1", "2"}));

    // Restarted between two actions: the read after it is made again without a word.
    ASSERT_TRUE(testing::testServerScript("stop", folder));
    ASSERT_TRUE(testing::testServerScript("start", folder));
    EXPECT_EQ(licences(), QStringList({"1", "2"}));
    ASSERT_TRUE(testing::testServerScript("stop", folder));
    ASSERT_TRUE(testing::testServerScript("start", folder));
    members.list(MemberOrder::Licence);
    const Saved changed = members.change(members.members()[0], {"1", "CAMBIADO", ""});
    EXPECT_TRUE(changed.done()) << changed.refusal.toStdString();
    closeDatabases();
  }
  EXPECT_TRUE(testing::testServerScript("remove", folder));
}

TEST_F(RegisterServerTest, AConnectionLostInAnAllOrNothingOperationKeepsNothingOfIt) {
  testing::ServerDatabase database;
  startOn(database);
  MemberRegister members;
  ASSERT_TRUE(members.add({"1", "ANTES", ""}).done());
  {
    Transaction transaction(registerConnection());
    ASSERT_TRUE(transaction.begun());
    ASSERT_TRUE(members.add({"2", "EN LA OPERACIÓN", ""}).done());
    ASSERT_TRUE(database.run("select pg_terminate_backend(pid) from pg_stat_activity where "
                             "datname = current_database() and pid <> pg_backend_pid()"));
    EXPECT_FALSE(members.add({"3", "DESPUÉS DEL CORTE", ""}).done());
    EXPECT_FALSE(transaction.commit());
    EXPECT_TRUE(transaction.error().contains("no se ha guardado nada de ella"));
  }
  EXPECT_EQ(licences(), QStringList({"1"}));
  ASSERT_TRUE(members.add({"4", "LUEGO", ""}).done());
  EXPECT_EQ(licences(), QStringList({"1", "4"}));
}

TEST_F(RegisterServerTest, CopiesThePCsRegistersToTheServerOnceAndNeverOverAnother) {
  startUp();
  MemberRegister localMembers;
  for (const char* licence : {"30", "10", "20"})
    ASSERT_TRUE(localMembers.add({licence, QString("SOCIO ") + licence, ""}).done());
  {
    QSqlQuery query(QSqlDatabase::database(kPalConnection));
    ASSERT_TRUE(query.exec("insert into socios (slicencia) values ('40')"));
    ASSERT_TRUE(query.exec("insert into concurso (cocodigo, conombre, cofecha, coenceste) "
                           "values ('12', 'VIEJO', '14/05/2009', '__/__/____')"));
  }
  ContestRegister localContests;
  ASSERT_TRUE(localContests.add({"13", "NUEVO", QDate(2009, 5, 21), {}}).done());

  testing::ServerDatabase database;
  EXPECT_EQ(copyLocalRegisters(kPalConnection, database.settings()),
            "Se han copiado al servidor los registros de este PC: 4 en la tabla socios, 2 en la "
            "tabla concurso.");
  const QString again = copyLocalRegisters(kPalConnection, database.settings());
  EXPECT_TRUE(again.startsWith("El servidor ya tiene registros (4 en la tabla socios, 2 en la "
                               "tabla concurso)"))
      << again.toStdString();
  EXPECT_TRUE(again.endsWith("No se ha copiado nada."));

  localMembers.list(MemberOrder::Licence);
  const std::vector<Member> local = localMembers.members();
  localContests.list(ContestOrder::Date);
  const std::vector<Contest> localList = localContests.contests();
  closeDatabases();
  startOn(database);
  MemberRegister members;
  ASSERT_TRUE(members.list(MemberOrder::Licence));
  ASSERT_EQ(members.members().size(), local.size());
  for (std::size_t i = 0; i < local.size(); ++i) {
    EXPECT_EQ(members.members()[i].licence, local[i].licence);
    EXPECT_EQ(members.members()[i].name, local[i].name);
    EXPECT_EQ(members.members()[i].clock, local[i].clock);
  }
  EXPECT_TRUE(members.members()[3].name.isNull());
  ContestRegister contests;
  ASSERT_TRUE(contests.list(ContestOrder::Date));
  ASSERT_EQ(contests.contests().size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(contests.contests()[i].code, localList[i].code);
    EXPECT_EQ(contests.contests()[i].release, localList[i].release);
    EXPECT_EQ(contests.contests()[i].basketing, localList[i].basketing);
  }

  // A server with records of its own gets none of the PC's.
  testing::ServerDatabase used;
  startOn(used);
  ASSERT_TRUE(MemberRegister().add({"99", "DEL SERVIDOR", ""}).done());
  EXPECT_TRUE(copyLocalRegisters(kPalConnection, used.settings()).startsWith(
      "El servidor ya tiene registros (1 en la tabla socios)"));
  EXPECT_EQ(licences(), QStringList({"99"}));
}

TEST_F(RegisterServerTest, ThePasswordComesFromLibpqsFileOrThisRunAndNeverFromTheSettings) {
  testing::ServerDatabase database;
  ASSERT_TRUE(database.run("do $$ begin if not exists (select from pg_roles where rolname = "
                           "'clave') then create role clave login password 'secreta'; end if; "
                           "end $$"));
  ASSERT_TRUE(database.run("grant all on schema public to clave"));
  ServerSettings settings = database.settings();
  settings.user = "clave";
  qunsetenv("PGPASSFILE");
  EXPECT_TRUE(testServer(settings).startsWith("El servidor no responde, o no acepta la conexión"));

  setServerPassword("secreta");
  EXPECT_TRUE(testServer(settings).startsWith("El servidor responde"));
  setServerPassword({});

  // Refused at the start, then typed in this run: the registers connect at their next use.
  ASSERT_TRUE(saveServerSettings(settings));
  startUp();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_FALSE(MemberRegister().list(MemberOrder::Name));
  setServerPassword("secreta");
  EXPECT_TRUE(MemberRegister().list(MemberOrder::Name));
  setServerPassword({});
  closeDatabases();
  messages.clear();

  QFile passwords(path("pgpass"));
  ASSERT_TRUE(passwords.open(QIODevice::WriteOnly));
  passwords.write("*:*:*:clave:secreta\n");
  passwords.close();
  passwords.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  qputenv("PGPASSFILE", path("pgpass").toLocal8Bit());
  startUp();
  qunsetenv("PGPASSFILE");
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(MemberRegister().add({"1", "CON CLAVE", ""}).done());
  QFile ini(settingsFilePath("quorKVT.ini"));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_FALSE(ini.readAll().contains("secreta"));
}

TEST_F(RegisterServerTest, TheScreenTestsTheServerAndStoresTheChoiceWithoutThePassword) {
  startUp();
  testing::ServerDatabase database;
  frmServidor screen;
  EXPECT_TRUE(screen.Local->isChecked());
  EXPECT_FALSE(screen.Host->isEnabled());
  EXPECT_FALSE(screen.Copiar->isEnabled());
  screen.Servidor->setChecked(true);
  EXPECT_TRUE(screen.Host->isEnabled());
  screen.Host->setText(database.settings().host);
  screen.Puerto->setValue(database.settings().port);
  screen.BaseDatos->setText(" " + database.settings().database + " ");
  screen.Usuario->setText(database.settings().user);
  screen.Clave->setText("no se guarda");
  screen.Probar->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.startsWith("El servidor responde. La base de datos " +
                                          database.settings().database))
      << messages[0].text.toStdString();
  screen.Grabar->click();
  const ServerSettings stored = readServerSettings();
  EXPECT_TRUE(stored.useServer);
  EXPECT_EQ(stored.host, database.settings().host);
  EXPECT_EQ(stored.database, database.settings().database);
  EXPECT_EQ(stored.user, "kvt");
  EXPECT_EQ(serverPassword(), "no se guarda");
  QFile ini(settingsFilePath("quorKVT.ini"));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_FALSE(ini.readAll().contains("no se guarda"));
  setServerPassword({});
}

}  // namespace
}  // namespace kvt
