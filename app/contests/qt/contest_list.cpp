#include "contest_list.h"

#include <QTreeWidget>

#include "ansi_text.h"
#include "app_state.h"
#include "contest_dates.h"
#include "databases.h"
#include "messages.h"
#include "register_parts.h"
#include "spanish_order.h"

namespace kvt {

ContestOrder configuredContestOrder() {
  return rsConfig.value(QStringLiteral("confcocon")).toBool() ? ContestOrder::Code
                                                              : ContestOrder::Date;
}

QTreeWidget* contestList(QWidget* parent) {
  QTreeWidget* list = registerList(parent, {QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                                            QStringLiteral("Enceste"), QStringLiteral("Suelta")});
  list->setColumnWidth(0, 80);
  list->setColumnWidth(1, 260);
  list->setColumnWidth(2, 90);
  list->setColumnWidth(3, 90);
  return list;
}

bool fillContestList(QTreeWidget* list, ContestRegister& contests, ContestOrder order,
                     std::int64_t selected) {
  const bool listed = contests.list(order);
  list->clear();
  QList<QTreeWidgetItem*> rows;
  for (const Contest& contest : contests.contests()) {
    QString code = contest.code.toUpper();
    if (order == ContestOrder::Code) code = code.trimmed();
    const QString listedFormat = QStringLiteral("dd/MM/yy");
    auto* row = new QTreeWidgetItem({code, contest.name.toString().trimmed().toUpper(),
                                     shownDate(contest.basketing, listedFormat),
                                     shownDate(contest.release, listedFormat)});
    setRowId(row, contest.id);
    rows << row;
  }
  list->addTopLevelItems(rows);
  if (QTreeWidgetItem* chosen = selected != 0 ? rowOf(list, selected) : nullptr)
    selectRow(list, chosen);
  if (!listed) showWarning(list->window(), contests.error());
  return listed;
}

const Contest* selectedContest(const QTreeWidget* list, const ContestRegister& contests) {
  const QTreeWidgetItem* row = selectedRow(list);
  return row != nullptr ? contests.find(rowId(row)) : nullptr;
}

QTreeWidgetItem* findContest(QTreeWidget* list, ContestOrder order, const QString& typed) {
  if (order == ContestOrder::Code) {
    wbusca = typed.trimmed();
  } else if (const auto key = dateSearchKey(toAnsi(typed))) {
    wbusca = QString::fromStdString(*key);
  }
  for (int at = 0; at < list->topLevelItemCount(); ++at) {
    QTreeWidgetItem* row = list->topLevelItem(at);
    if (order == ContestOrder::Code) {
      if (equalsIgnoringCase(row->text(0), wbusca)) return row;
      continue;
    }
    for (int column = kNameColumn; column < row->columnCount(); ++column) {
      if (equalsIgnoringCase(row->text(column), wbusca)) return row;
    }
  }
  return nullptr;
}

}  // namespace kvt
