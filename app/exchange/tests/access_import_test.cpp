// An Access database that another program wrote, Monitor.mdb (Jet 4, one table of twelve columns
// with text, numbers and a date), brought into both registers with the columns chosen here.
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include "access_database.h"
#include "exchange_fixture.h"
#include "widget_steps.h"

namespace kvt {
namespace {

using testing::StoredContest;
using testing::StoredMember;

const QString kMonitor = QStringLiteral(QUORKVT_MONITOR_MDB);

class AccessImportTest : public testing::ExchangeTest {};

TEST_F(AccessImportTest, TheDatabasesTableIsReadWithItsColumnsAndRows) {
  std::string error;
  const auto database = AccessDatabase::open(kMonitor.toStdString(), error);
  ASSERT_TRUE(database) << error;
  ASSERT_EQ(database->tables(), std::vector<std::string>({"Monitor_Authenticate"}));
  AccessTable table;
  ASSERT_TRUE(database->read("Monitor_Authenticate", table, error)) << error;
  EXPECT_EQ(table.columns,
            std::vector<std::string>({"ID", "LineNumber", "LinePassword", "LineSpeed",
                                      "EMail_Address", "Graph_Day", "Graph_Week", "Graph_Month",
                                      "Graph_Year", "Graph_EMail", "LastVisit", "Comment"}));
  ASSERT_EQ(table.rows.size(), 1u);
  EXPECT_EQ(table.rows[0][3], "33600");
  EXPECT_EQ(table.rows[0][10], "17/06/2000");
  EXPECT_FALSE(database->read("Socios", table, error));
}

TEST_F(AccessImportTest, ItsRowsBecomeMembersWithTheColumnsChosen) {
  frmImportar window(kMonitor);
  ASSERT_EQ(window.load(), QString());
  EXPECT_EQ(window.Combo2->currentText(), "Monitor_Authenticate");
  choose(window.Combo1, "Socios");
  choose(window.columnBox("slicencia"), "ID");
  choose(window.columnBox("snombre"), "EMail_Address");
  choose(window.columnBox("slicenreloj"), "LineNumber");
  EXPECT_EQ(testing::columnTexts(window.ListView1, 0), QStringList({"1"}));
  window.Command1->click();
  EXPECT_EQ(members(), std::vector<StoredMember>({{"1", "NOBODY@SUNNYLINE.CO.ZA", "1234567890"}}));
  EXPECT_EQ(messages.back().text,
            "Importación en el registro de socios terminada.\nAñadidos: 1\nSaltados: 0");
}

TEST_F(AccessImportTest, ItsDateBecomesAContestsReleaseDate) {
  frmImportar window(kMonitor);
  ASSERT_EQ(window.load(), QString());
  choose(window.Combo1, "Concursos");
  choose(window.columnBox("cocodigo"), "LineSpeed");
  choose(window.columnBox("conombre"), "Comment");
  choose(window.columnBox("cofecha"), "LastVisit");
  choose(window.columnBox("coenceste"), "(ninguna)");
  window.Command1->click();
  EXPECT_EQ(contests(),
            std::vector<StoredContest>(
                {{"33600", "EXAMPLE CIRCUIT ADDED FOR MONITOR EXAMPLE TO POTENTIAL NEW CLIENTS",
                  QDate(2000, 6, 17), QVariant()}}));
}

}  // namespace
}  // namespace kvt
