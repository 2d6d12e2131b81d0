// The member list that the member register and the member browser share: its rows and its
// search.
#pragma once

#include <QString>

#include "member_register.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kvt {

// The order the configuration record asks for: by licence when confcosoc is set, else by name.
MemberOrder configuredMemberOrder();

// A list with the member columns "Licencia", "Nombre", "Nº Reloj".
QTreeWidget* memberList(QWidget* parent);

// How a member without a clock number shows in "Nº Reloj": the register shows a blank, the
// browser nothing.
enum class NoClock { Blank, Empty };

// Reads the members in that order and lists one row per member: the trimmed licence, the name in
// upper case, the clock number; each row knows its member's identity. The member of that identity
// is selected and shown, or the first row when he is not listed. A failure to read is told to the
// user and leaves the list empty; the result is then false.
bool listMembers(QTreeWidget* list, MemberRegister& members, MemberOrder order, NoClock noClock,
                 std::int64_t selected = 0);

// The member the selected row was listed from, or none.
const Member* selectedMember(const QTreeWidget* list, const MemberRegister& members);

// The first row, in list order, that the typed pattern finds; none when there is none. By
// licence, the row whose licence begins with the pattern, as typed, as a whole word (letter case
// not counting); by name, the row of the first member in name order whose name begins with the
// pattern, trimmed, in Spanish order's terms. The pattern is kept in wbusca.
QTreeWidgetItem* findMember(QTreeWidget* list, MemberRegister& members, MemberOrder order,
                            const QString& typed);

// What the search box holds when it takes the focus: 5 blanks by licence, 50 by name.
QString memberSearchStart(MemberOrder order);

}  // namespace kvt
