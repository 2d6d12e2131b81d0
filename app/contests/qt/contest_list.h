// The contest list that the contest register and the contest browser share: its two orders, its
// rows and its search.
#pragma once

#include <QString>

#include "contest_register.h"

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kvt {

// The columns of a row after the code.
constexpr int kNameColumn = 1;
constexpr int kEncesteColumn = 2;
constexpr int kSueltaColumn = 3;

// The order the configuration record asks for: by code when confcocon is set, else by date.
ContestOrder configuredContestOrder();

// A list with the contest columns: the code, "Nombre", "Enceste", "Suelta".
QTreeWidget* contestList(QWidget* parent);

// Reads the contests in that order and lists one row per contest: the code (trimmed in code
// order) upper-cased, the name, the basketing and the release date as dd/mm/yy (a value that is
// no date as it is); each row knows its contest's identity. The contest of that identity is
// selected and shown, when it is listed. A failure to read is told to the user and leaves the list
// empty; the result is then false.
bool fillContestList(QTreeWidget* list, ContestRegister& contests, ContestOrder order,
                     std::int64_t selected = 0);

// The contest the selected row was listed from, or none.
const Contest* selectedContest(const QTreeWidget* list, const ContestRegister& contests);

// The first row, in list order, that the typed pattern finds; none when there is none. By code,
// the row whose code is the pattern, trimmed, as a whole; by date, the row with a date or name
// that is the date the pattern gives (dd/mm/yyyy, dd/mm/yy, ddmmyyyy or ddmmyy). The pattern
// looked for is kept in wbusca; a date pattern of another form looks for wbusca again.
QTreeWidgetItem* findContest(QTreeWidget* list, ContestOrder order, const QString& typed);

// What the search box holds when it takes the focus in the date order: "  /  /    ".
inline const QString kBlankDatePattern = QStringLiteral("  /  /    ");

}  // namespace kvt
