// The contest list that the contest register and the contest browser share: its two orders, its
// rows and its search.
#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kvt {

enum class ContestOrder { Code, Date };

// The columns of a row after the code; the date columns also hold the stored date whole.
constexpr int kNameColumn = 1;
constexpr int kEncesteColumn = 2;
constexpr int kSueltaColumn = 3;

// The order the configuration record asks for: by code when confcocon is set, else by date.
ContestOrder configuredContestOrder();

// A list with the contest columns: the code, "Nombre", "Enceste", "Suelta".
QTreeWidget* contestList(QWidget* parent);

// Opens rsConcurso again in that order and, when it holds contests, lists one row per contest:
// the code as text and tag (trimmed in code order), the name, the basketing and the release date
// as dd/mm/yy (the whole date as the cells' user data). An empty table leaves the list as it was;
// the result tells whether rows were listed.
bool fillContestList(QTreeWidget* list, ContestOrder order);

// The first row, in list order, that the typed pattern finds; none when there is none. By code,
// the row whose code is the pattern, trimmed, as a whole; by date, the row with a date or name
// that is the date the pattern gives (dd/mm/yyyy, dd/mm/yy, ddmmyyyy or ddmmyy). The pattern
// looked for is kept in wbusca; a date pattern of another form looks for wbusca again.
QTreeWidgetItem* findContest(QTreeWidget* list, ContestOrder order, const QString& typed);

// What the search box holds when it takes the focus in the date order: "  /  /    ".
inline const QString kBlankDatePattern = QStringLiteral("  /  /    ");

}  // namespace kvt
