#include "contest_list.h"

#include <QDate>
#include <QTreeWidget>

#include "ansi_text.h"
#include "app_state.h"
#include "contest_dates.h"
#include "databases.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

namespace {

QString listedDate(const QVariant& value) {
  return value.toDate().toString(QStringLiteral("dd/MM/yy"));
}

// Opens rsConcurso again in that order; a failure is told to the user.
bool reopenContests(QWidget* screen, ContestOrder order) {
  const bool opened = rsConcurso.open(
      kPalConnection, order == ContestOrder::Code
                          ? QStringLiteral("select * from concurso order by cocodigo")
                          : QStringLiteral("select * from concurso order by cofecha"));
  if (!opened) showWarning(screen, rsConcurso.lastError());
  return opened;
}

}  // namespace

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
  return list;
}

bool fillContestList(QTreeWidget* list, ContestOrder order) {
  if (!reopenContests(list->window(), order) || rsConcurso.recordCount() == 0) return false;
  list->clear();
  QList<QTreeWidgetItem*> rows;
  for (rsConcurso.moveFirst(); !rsConcurso.eof(); rsConcurso.moveNext()) {
    QString code = rsConcurso.value(QStringLiteral("cocodigo")).toString().toUpper();
    if (order == ContestOrder::Code) code = code.trimmed();
    auto* row = new QTreeWidgetItem(
        {code, rsConcurso.value(QStringLiteral("conombre")).toString().trimmed().toUpper(),
         listedDate(rsConcurso.value(QStringLiteral("coenceste"))),
         listedDate(rsConcurso.value(QStringLiteral("cofecha")))});
    setRowTag(row, code);
    row->setData(kEncesteColumn, Qt::UserRole, rsConcurso.value(QStringLiteral("coenceste")));
    row->setData(kSueltaColumn, Qt::UserRole, rsConcurso.value(QStringLiteral("cofecha")));
    rows << row;
  }
  list->addTopLevelItems(rows);
  return true;
}

QTreeWidgetItem* findContest(QTreeWidget* list, ContestOrder order, const QString& typed) {
  if (order == ContestOrder::Code) {
    wbusca = typed.trimmed();
  } else {
    reopenContests(list->window(), order);
    if (const auto key = dateSearchKey(toAnsi(typed))) wbusca = QString::fromStdString(*key);
  }
  for (int at = 0; at < list->topLevelItemCount(); ++at) {
    QTreeWidgetItem* row = list->topLevelItem(at);
    if (order == ContestOrder::Code) {
      if (row->text(0).compare(wbusca, Qt::CaseInsensitive) == 0) return row;
      continue;
    }
    for (int column = kNameColumn; column < row->columnCount(); ++column) {
      if (row->text(column).compare(wbusca, Qt::CaseInsensitive) == 0) return row;
    }
  }
  return nullptr;
}

}  // namespace kvt
