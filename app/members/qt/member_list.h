// The member list that the member register and the member browser share: its two orders, its
// rows and its search.
#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kvt {

class RecordSet;

enum class MemberOrder { Licence, Name };

// The order the configuration record asks for: by licence when confcosoc is set, else by name.
MemberOrder configuredMemberOrder();

// A list with the member columns "Licencia", "Nombre", "Nº Reloj".
QTreeWidget* memberList(QWidget* parent);

// How a member without a clock number shows in "Nº Reloj": the register shows a blank, the
// browser nothing.
enum class NoClock { Blank, Empty };

// Opens members in that order ("select * from socios order by val(slicencia)" or "... order by
// snombre") and lists one row per member: the trimmed licence as text and tag, the name in upper
// case, the clock number. The first row is selected. A failure to read is told to the user and
// leaves the list empty; the result is then false.
bool listMembers(QTreeWidget* list, MemberOrder order, RecordSet& members, NoClock noClock);

// The first row, in list order, that the typed pattern finds; none when there is none. By
// licence, the row whose licence begins with the pattern, as typed, as a whole word; by name,
// the row with a cell that begins, as a whole word, with the name of the first member in name
// order whose name begins with the pattern, trimmed. Letter case is ignored; the pattern is kept
// in wbusca.
QTreeWidgetItem* findMember(QTreeWidget* list, MemberOrder order, const QString& typed);

// What the search box holds when it takes the focus: 5 blanks by licence, 50 by name.
QString memberSearchStart(MemberOrder order);

}  // namespace kvt
