#include "member_list.h"

#include <QApplication>
#include <QTreeWidget>

#include "app_state.h"
#include "databases.h"
#include "messages.h"
#include "record_set.h"
#include "register_parts.h"

namespace kvt {

namespace {

QString membersQuery(MemberOrder order) {
  return order == MemberOrder::Licence
             ? QStringLiteral("select * from socios order by val(slicencia)")
             : QStringLiteral("select * from socios order by snombre");
}

// The text begins with the word, and the word ends where a word of the text ends.
bool beginsWithWord(const QString& text, const QString& word) {
  if (!text.startsWith(word, Qt::CaseInsensitive)) return false;
  return text.size() == word.size() || !text.at(word.size()).isLetterOrNumber();
}

// The first row with a cell, from the first column to the last, that begins with the word.
QTreeWidgetItem* rowBeginningWith(QTreeWidget* list, const QString& word, int first, int last) {
  for (int at = 0; at < list->topLevelItemCount(); ++at) {
    QTreeWidgetItem* row = list->topLevelItem(at);
    for (int column = first; column <= last; ++column) {
      if (beginsWithWord(row->text(column), word)) return row;
    }
  }
  return nullptr;
}

}  // namespace

MemberOrder configuredMemberOrder() {
  return rsConfig.value(QStringLiteral("confcosoc")).toBool() ? MemberOrder::Licence
                                                              : MemberOrder::Name;
}

QTreeWidget* memberList(QWidget* parent) {
  QTreeWidget* list = registerList(
      parent, {QStringLiteral("Licencia"), QStringLiteral("Nombre"), QStringLiteral("Nº Reloj")});
  list->setColumnWidth(0, 90);
  list->setColumnWidth(1, 330);
  return list;
}

bool listMembers(QTreeWidget* list, MemberOrder order, RecordSet& members, NoClock noClock) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool opened = members.open(kPalConnection, membersQuery(order));
  list->clear();
  QList<QTreeWidgetItem*> rows;
  for (members.moveFirst(); !members.eof(); members.moveNext()) {
    const QString licence = members.value(QStringLiteral("slicencia")).toString().trimmed();
    QString clock = members.value(QStringLiteral("slicenreloj")).toString();
    if (clock.isEmpty() && noClock == NoClock::Blank) clock = QStringLiteral(" ");
    auto* row = new QTreeWidgetItem(
        {licence, members.value(QStringLiteral("snombre")).toString().toUpper(), clock});
    setRowTag(row, licence);
    rows << row;
  }
  list->addTopLevelItems(rows);
  if (!rows.isEmpty()) selectRow(list, rows.first());
  QApplication::restoreOverrideCursor();
  if (!opened) showWarning(list->window(), members.lastError());
  return opened;
}

QTreeWidgetItem* findMember(QTreeWidget* list, MemberOrder order, const QString& typed) {
  if (order == MemberOrder::Licence) {
    wbusca = typed;
    return rowBeginningWith(list, wbusca, 0, 0);
  }
  wbusca = typed.trimmed() + QLatin1Char('*');
  RecordSet byName;
  if (!byName.open(kPalConnection, membersQuery(MemberOrder::Name))) {
    showWarning(list->window(), byName.lastError());
    return nullptr;
  }
  byName.findFirst({QStringLiteral("snombre"), Criterion::Test::StartsWith, typed.trimmed()});
  if (byName.noMatch()) return nullptr;
  return rowBeginningWith(list, byName.value(QStringLiteral("snombre")).toString().toUpper(), 1,
                          list->columnCount() - 1);
}

QString memberSearchStart(MemberOrder order) {
  return QString(order == MemberOrder::Licence ? 5 : 50, QLatin1Char(' '));
}

}  // namespace kvt
