// The contest register below its window: look-alike codes, two programs on one database, the
// dates an older database stored as text, and the date rules.
#include <QSqlQuery>

#include "contest_register.h"
#include "other_program.h"
#include "test_server.h"

namespace kvt {
namespace {

class ContestRecordsTest : public testing::BothBackEndsTest {
 protected:
  static std::int64_t add(ContestRegister& contests, const QString& code, const QVariant& release,
                          const QVariant& basketing = {}) {
    const Saved saved = contests.add({code, "CONCURSO " + code, release, basketing});
    EXPECT_TRUE(saved.done()) << saved.refusal.toStdString();
    return saved.id;
  }

  // A contest as an older database or an import left it: its dates stored as text.
  static void storeRaw(const QString& code, const QString& release, const QString& basketing) {
    QSqlQuery query(QSqlDatabase::database(registerConnection()));
    query.prepare(
        "insert into concurso (cocodigo, conombre, cofecha, coenceste) values (?, ?, ?, ?)");
    for (const QString& value : {code, QStringLiteral("ANTIGUO"), release, basketing})
      query.addBindValue(value);
    ASSERT_TRUE(query.exec());
  }

  static QStringList codes(ContestRegister& contests, ContestOrder order) {
    contests.list(order);
    QStringList all;
    for (const Contest& contest : contests.contests()) all << contest.code;
    return all;
  }
};

TEST_P(ContestRecordsTest, LookAlikeCodesChangeAndRemoveOnlyTheListedContest) {
  ContestRegister contests;
  const std::int64_t lower = add(contests, "ab", QDate(2009, 5, 1));
  const std::int64_t upper = add(contests, "AB", QDate(2009, 6, 1));
  contests.list(ContestOrder::Code);
  ASSERT_TRUE(
      contests.change(*contests.find(upper), {"AB", "CAMBIADO", QDate(2009, 6, 2), {}}).done());
  contests.list(ContestOrder::Code);
  EXPECT_EQ(contests.find(lower)->name.toString(), "CONCURSO AB");
  EXPECT_EQ(contests.find(upper)->name.toString(), "CAMBIADO");
  ASSERT_TRUE(contests.remove(*contests.find(upper)).done());
  EXPECT_EQ(codes(contests, ContestOrder::Code), QStringList({"ab"}));
  EXPECT_EQ(contests.codeRefusal("AB", 0), "Ya existe un concurso con el código AB.");
  EXPECT_EQ(contests.codeRefusal(" ab ", lower), "");
  EXPECT_EQ(contests.findCode("AB")->id, lower);
}

TEST_P(ContestRecordsTest, RefusesWhatAnotherProgramRemovedAndNeverReusesItsIdentity) {
  testing::OtherProgram other;
  ContestRegister a;
  ContestRegister b(testing::OtherProgram::kConnection);
  const std::int64_t removed = add(a, "12", QDate(2009, 5, 1));
  b.list(ContestOrder::Code);
  const Contest seenByB = b.contests().at(0);
  a.list(ContestOrder::Code);
  ASSERT_TRUE(a.remove(a.contests().at(0)).done());
  const std::int64_t added = add(a, "13", QDate(2009, 5, 8));
  EXPECT_NE(added, removed);
  for (const Saved& saved : {b.change(seenByB, {"12", "DE B", {}, {}}), b.remove(seenByB)}) {
    EXPECT_FALSE(saved.done());
    const bool change = saved.refusal.contains("grabado");
    EXPECT_EQ(saved.refusal,
              "El concurso 12 ha sido borrado por otro programa; " +
                  QString(change ? "no se ha grabado nada" : "no se ha borrado nada") +
                  ". La lista se ha leído de nuevo." +
                  QString(change ? " Lo escrito sigue en pantalla: «Aceptar» lo graba como uno "
                                   "nuevo, «Cancelar» lo deja."
                                 : ""));
  }
  a.list(ContestOrder::Code);
  ASSERT_EQ(a.contests().size(), 1u);
  EXPECT_EQ(a.contests()[0].name.toString(), "CONCURSO 13");
}

TEST_P(ContestRecordsTest, KeepsDatesStoredAsTextAndOrdersThem) {
  ContestRegister contests;
  storeRaw("OLD", "14/05/2009", "__/__/____");
  storeRaw("ODD", "pendiente", "12/05/09");
  add(contests, "NEW", QDate(2009, 5, 10));
  add(contests, "NUL", QVariant());
  EXPECT_EQ(codes(contests, ContestOrder::Date), QStringList({"NUL", "ODD", "NEW", "OLD"}));
  const Contest old = contests.contests()[3];
  EXPECT_EQ(shownDate(old.release, "dd/MM/yy"), "14/05/09");
  EXPECT_EQ(shownDate(old.basketing, "dd/MM/yy"), "__/__/____");
  // A change that leaves the dates alone keeps them as they were stored.
  ASSERT_TRUE(contests.change(old, {"OLD", "OTRO NOMBRE", old.release, old.basketing}).done());
  QSqlQuery query(QSqlDatabase::database(registerConnection()));
  ASSERT_TRUE(query.exec("select cofecha, coenceste from concurso where cocodigo = 'OLD'"));
  ASSERT_TRUE(query.next());
  EXPECT_EQ(query.value(0).toString(), "14/05/2009");
  EXPECT_EQ(query.value(1).toString(), "__/__/____");
}

TEST_P(ContestRecordsTest, DateRulesOfThePanelAndTheReadingScreen) {
  const QVariant text = QStringLiteral("14/05/2009");
  const struct {
    const char* typed;
    const char* given;
    QVariant stored;
    std::optional<QVariant> stores;
  } panel[] = {
      {"14/05/2009", "14/05/2009", text, text},  // untouched: kept as stored
      {"__/__/____", "__/__/____", "pendiente", QVariant("pendiente")},
      {"15/05/2009", "14/05/2009", text, QVariant(QDate(2009, 5, 15))},
      {"__/__/____", "14/05/2009", text, QVariant()},          // emptied by the user
      {"31/02/2009", "__/__/____", QVariant(), std::nullopt},  // no date
      {"14/05/20__", "__/__/____", QVariant(), std::nullopt},
  };
  for (const auto& c : panel) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(panelDate(c.typed, c.given, c.stored), c.stores);
  }
  const QDate today(2009, 5, 14);
  const struct {
    QVariant basketing;
    bool toCome;
  } reading[] = {{QDate(2009, 5, 15), true},     {QDate(2009, 5, 14), false},
                 {QString("15/05/2009"), true},  {QString("15/05/09"), true},
                 {QString("__/__/____"), false}, {QVariant(), false}};
  for (const auto& c : reading) {
    SCOPED_TRACE(c.basketing.toString().toStdString());
    EXPECT_EQ(basketingToCome(c.basketing, today), c.toCome);
  }
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, ContestRecordsTest,
                         ::testing::Values(testing::Backend::Local, testing::Backend::Server),
                         testing::backendName);

}  // namespace
}  // namespace kvt
