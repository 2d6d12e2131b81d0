// The parsed pigeons as rows of a reading screen's list, and back: "Grabar Archivo" writes what the
// list shows. Column 0 is the row's text; the row's tag is kept in its user data.
#pragma once

#include <QStringList>

#include "listing.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kvt {

// The columns of the contest reading screen's list, and of the pigeon extraction screen's.
QStringList contestColumns();
QStringList archiveColumns();

QTreeWidgetItem* contestItem(const ContestRow& row);
QTreeWidgetItem* archiveItem(const ArchiveRow& row);
std::vector<ContestRow> contestRows(const QTreeWidget& list);
std::vector<ArchiveRow> archiveRows(const QTreeWidget& list);

}  // namespace kvt
