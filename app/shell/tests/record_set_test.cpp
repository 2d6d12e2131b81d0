// The record-set layer: the orders and criteria the screens rely on, and changes written through
// bound parameters, so that an apostrophe is an ordinary character.
#include <QDate>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include "databases.h"
#include "record_set.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

class RecordSetTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    startUp();
    ASSERT_TRUE(members.open(kPalConnection, QStringLiteral("select * from socios")));
  }

  void addMember(const QString& licence, const QString& name) {
    members.addNew();
    members.setValue(QStringLiteral("slicencia"), licence);
    members.setValue(QStringLiteral("snombre"), name);
    ASSERT_TRUE(members.update()) << members.lastError().toStdString();
  }

  static QStringList column(RecordSet& set, const QString& field) {
    QStringList values;
    for (set.moveFirst(); !set.eof(); set.moveNext()) values << set.value(field).toString();
    return values;
  }

  RecordSet members;
};

TEST_F(RecordSetTest, OrdersLicencesByTextOrByTheirLeadingNumber) {
  for (const char* licence : {"10", "9", "100", "abc"}) addMember(QLatin1String(licence), "X");
  RecordSet byText;
  ASSERT_TRUE(
      byText.open(kPalConnection, QStringLiteral("select * from socios order by slicencia")));
  EXPECT_EQ(column(byText, QStringLiteral("slicencia")), QStringList({"10", "100", "9", "abc"}));
  RecordSet byValue;
  ASSERT_TRUE(
      byValue.open(kPalConnection, QStringLiteral("select * from socios order by val(slicencia)")));
  EXPECT_EQ(column(byValue, QStringLiteral("slicencia")), QStringList({"abc", "9", "10", "100"}));
}

TEST_F(RecordSetTest, FindsWithTheScreensCriteria) {
  addMember(QStringLiteral(" 345 "), QStringLiteral("GARCIA LOPEZ"));
  addMember(QStringLiteral("O'NEILL"), QStringLiteral("D'ARTAGNAN"));
  addMember(QStringLiteral("ab"), QStringLiteral("PEREZ"));
  using Test = Criterion::Test;
  const struct {
    Criterion criterion;
    const char* foundName;  // nullptr: no match
  } cases[] = {
      {{"slicencia", Test::TrimmedEquals, "345"}, "GARCIA LOPEZ"},
      {{"slicencia", Test::Equals, "345"}, nullptr},  // the stored blanks count
      {{"slicencia", Test::Equals, "AB"}, "PEREZ"},   // letter case does not
      {{"slicencia", Test::TrimmedEquals, "o'neill"}, "D'ARTAGNAN"},
      {{"slicencia", Test::Equals, "' or '1'='1"}, nullptr},
      {{"snombre", Test::StartsWith, "garc"}, "GARCIA LOPEZ"},
      {{"snombre", Test::StartsWith, "D'A"}, "D'ARTAGNAN"},
      {{"snombre", Test::StartsWith, "LOPEZ"}, nullptr},
      {{"snombre", Test::StartsWith, "'"}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.criterion.value.toStdString());
    members.findFirst(c.criterion);
    EXPECT_EQ(members.noMatch(), c.foundName == nullptr);
    if (c.foundName != nullptr) {
      EXPECT_EQ(members.value(QStringLiteral("snombre")).toString(), QLatin1String(c.foundName));
    }
  }
}

TEST_F(RecordSetTest, EditsCancelsAndDeletesRecordsWithApostrophes) {
  addMember(QStringLiteral("1"), QStringLiteral("O'BRIEN"));
  addMember(QStringLiteral("2"), QStringLiteral("SMITH"));
  members.findFirst({"snombre", Criterion::Test::Equals, "o'brien"});
  ASSERT_FALSE(members.noMatch());
  ASSERT_TRUE(members.edit());
  members.setValue(QStringLiteral("snombre"), QStringLiteral("L'ESTRANGE"));
  members.cancelUpdate();
  EXPECT_EQ(members.value(QStringLiteral("snombre")).toString(), QStringLiteral("O'BRIEN"));

  ASSERT_TRUE(members.edit());
  members.setValue(QStringLiteral("snombre"), QStringLiteral("L'ESTRANGE"));
  ASSERT_TRUE(members.update());
  RecordSet reread;
  ASSERT_TRUE(reread.open(kPalConnection, QStringLiteral("select * from socios order by snombre")));
  EXPECT_EQ(column(reread, QStringLiteral("snombre")), QStringList({"L'ESTRANGE", "SMITH"}));
  EXPECT_TRUE(reread.value(QStringLiteral("slicenreloj")).isNull());

  reread.moveFirst();
  ASSERT_TRUE(reread.remove());
  reread.moveNext();
  EXPECT_EQ(reread.value(QStringLiteral("snombre")).toString(), QStringLiteral("SMITH"));
  ASSERT_TRUE(reread.requery());
  EXPECT_EQ(reread.recordCount(), 1);
}

TEST_F(RecordSetTest, KeepsDatesInCalendarOrderAndAnEmptyBasketingDateNull) {
  RecordSet contests;
  ASSERT_TRUE(contests.open(kPalConnection, QStringLiteral("select * from concurso")));
  const struct {
    const char* code;
    QDate release;
    QDate basketing;
  } added[] = {
      {"B", {2026, 1, 2}, {}}, {"A", {2025, 12, 30}, {2025, 12, 28}}, {"C", {2026, 10, 1}, {}}};
  for (const auto& contest : added) {
    contests.addNew();
    contests.setValue(QStringLiteral("cocodigo"), QLatin1String(contest.code));
    contests.setValue(QStringLiteral("cofecha"), contest.release);
    contests.setValue(QStringLiteral("coenceste"), contest.basketing);
    ASSERT_TRUE(contests.update());
  }
  ASSERT_TRUE(
      contests.open(kPalConnection, QStringLiteral("select * from concurso order by cofecha")));
  EXPECT_EQ(column(contests, QStringLiteral("cocodigo")), QStringList({"A", "B", "C"}));
  contests.findFirst({"cocodigo", Criterion::Test::TrimmedEquals, "b"});
  EXPECT_EQ(contests.value(QStringLiteral("cofecha")).toDate(), QDate(2026, 1, 2));
  EXPECT_TRUE(contests.value(QStringLiteral("coenceste")).isNull());
}

TEST_F(RecordSetTest, RefusesStatementsOfAnotherForm) {
  RecordSet set;
  for (const char* statement :
       {"select * from nada", "delete from socios", "select * from socios order by nada",
        "select * from socios; drop table socios"}) {
    EXPECT_FALSE(set.open(kPalConnection, QLatin1String(statement))) << statement;
    EXPECT_FALSE(set.lastError().isEmpty());
  }
  EXPECT_TRUE(members.open(kPalConnection, QStringLiteral("select * from socios")));
}

// A database made before identities were kept from reuse: a removed member's identity went to the
// next member added, where another program still listing the removed one could change him.
class OlderDatabaseTest : public testing::ShellTest {};

TEST_F(OlderDatabaseTest, IsRebuiltWithItsRowsAndNeverReusesAnIdentity) {
  ASSERT_TRUE(QDir().mkpath(dataFolder()));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
    db.setDatabaseName(dataFolder() + QStringLiteral("pal.db"));
    ASSERT_TRUE(db.open());
    QSqlQuery query(db);
    for (const char* statement :
         {"create table socios (id integer primary key, slicencia varchar(255), "
          "snombre varchar(255), slicenreloj varchar(255), sfoto varchar(255))",
          "insert into socios values (1, '10', 'PRIMERO', NULL, 'a.bmp')",
          "insert into socios values (2, '20', 'SEGUNDO', '7', NULL)",
          "insert into socios values (3, '30', 'TERCERO', '', NULL)"}) {
      ASSERT_TRUE(query.exec(QLatin1String(statement))) << statement;
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("old"));
  startUp();
  QSqlQuery query(QSqlDatabase::database(kPalConnection));
  ASSERT_TRUE(query.exec(
      "select id, slicencia, snombre, slicenreloj, sfoto from socios order by id"));
  QStringList rows;
  while (query.next()) {
    QStringList row;
    for (int column = 0; column < 5; ++column)
      row << (query.value(column).isNull() ? QStringLiteral("Null") : query.value(column).toString());
    rows << row.join(QLatin1Char('|'));
  }
  EXPECT_EQ(rows, QStringList({"1|10|PRIMERO|Null|a.bmp", "2|20|SEGUNDO|7|Null", "3|30|TERCERO||Null"}));

  RecordSet members;
  ASSERT_TRUE(members.open(kPalConnection, QStringLiteral("select * from socios")));
  members.findFirst({"slicencia", Criterion::Test::Equals, "30"});
  ASSERT_TRUE(members.remove());
  members.addNew();
  members.setValue(QStringLiteral("slicencia"), QStringLiteral("40"));
  ASSERT_TRUE(members.update());
  EXPECT_EQ(members.id(), 4);
}

}  // namespace
}  // namespace kvt
