#include "member_list.h"

#include <QApplication>
#include <QTreeWidget>

#include "app_state.h"
#include "databases.h"
#include "messages.h"
#include "register_parts.h"
#include "spanish_order.h"

namespace kvt {

namespace {

// The text begins with the word, and the word ends where a word of the text ends.
bool beginsWithWord(const QString& text, const QString& word) {
  if (text.size() < word.size() || !equalsIgnoringCase(text.left(word.size()), word)) return false;
  return text.size() == word.size() || !text.at(word.size()).isLetterOrNumber();
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
  list->setColumnWidth(2, 100);
  return list;
}

bool listMembers(QTreeWidget* list, MemberRegister& members, MemberOrder order, NoClock noClock,
                 std::int64_t selected) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool listed = members.list(order);
  list->clear();
  QList<QTreeWidgetItem*> rows;
  for (const Member& member : members.members()) {
    QString clock = member.clock.toString();
    if (clock.isEmpty() && noClock == NoClock::Blank) clock = QStringLiteral(" ");
    auto* row = new QTreeWidgetItem(
        {member.licence.trimmed(), member.name.toString().toUpper(), clock});
    setRowId(row, member.id);
    rows << row;
  }
  list->addTopLevelItems(rows);
  QTreeWidgetItem* chosen = selected != 0 ? rowOf(list, selected) : nullptr;
  if (chosen == nullptr && !rows.isEmpty()) chosen = rows.first();
  if (chosen != nullptr) selectRow(list, chosen);
  QApplication::restoreOverrideCursor();
  if (!listed) showWarning(list->window(), members.error());
  return listed;
}

const Member* selectedMember(const QTreeWidget* list, const MemberRegister& members) {
  const QTreeWidgetItem* row = selectedRow(list);
  return row != nullptr ? members.find(rowId(row)) : nullptr;
}

QTreeWidgetItem* findMember(QTreeWidget* list, MemberRegister& members, MemberOrder order,
                            const QString& typed) {
  if (order == MemberOrder::Licence) {
    wbusca = typed;
    for (int at = 0; at < list->topLevelItemCount(); ++at) {
      if (beginsWithWord(list->topLevelItem(at)->text(0), wbusca)) return list->topLevelItem(at);
    }
    return nullptr;
  }
  wbusca = typed.trimmed() + QLatin1Char('*');
  const std::optional<Member> found = members.firstNamed(typed);
  return found ? rowOf(list, found->id) : nullptr;
}

QString memberSearchStart(MemberOrder order) {
  return QString(order == MemberOrder::Licence ? 5 : 50, QLatin1Char(' '));
}

}  // namespace kvt
