#include "listing_rows.h"

#include <QTreeWidget>

#include "ansi_text.h"

namespace kvt {

namespace {

constexpr int kTagRole = Qt::UserRole;

// The fields of a row in the order of its columns.
std::vector<std::string ContestRow::*> contestFields() {
  return {&ContestRow::number, &ContestRow::pais,    &ContestRow::anilla, &ContestRow::chip,
          &ContestRow::hora,   &ContestRow::dia,     &ContestRow::ca,     &ContestRow::sexo,
          &ContestRow::enc,    &ContestRow::ollegada};
}

std::vector<std::string ArchiveRow::*> archiveFields() {
  return {&ArchiveRow::number, &ArchiveRow::pais, &ArchiveRow::anilla,
          &ArchiveRow::sexo,   &ArchiveRow::chip, &ArchiveRow::comentario};
}

template <typename Row>
QTreeWidgetItem* itemOf(const Row& row, const std::vector<std::string Row::*>& fields) {
  auto* item = new QTreeWidgetItem;
  for (std::size_t column = 0; column < fields.size(); ++column) {
    item->setText(static_cast<int>(column), fromAnsi(row.*fields[column]));
  }
  item->setData(0, kTagRole, fromAnsi(row.tag));
  return item;
}

template <typename Row>
std::vector<Row> rowsOf(const QTreeWidget& list, const std::vector<std::string Row::*>& fields) {
  std::vector<Row> rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list.topLevelItem(i);
    Row row;
    for (std::size_t column = 0; column < fields.size(); ++column) {
      row.*fields[column] = toAnsi(item->text(static_cast<int>(column)));
    }
    row.tag = toAnsi(item->data(0, kTagRole).toString());
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

QStringList contestColumns() {
  return {"Nº", "Pais", "Anilla", "Chip", "Hora", "Dia", "Ca", "Sexo", "Enc", "OLLegada"};
}

QStringList archiveColumns() {
  return {"Nº", "Pais", "Anilla", "Sexo", "Chip", "Comentario"};
}

QTreeWidgetItem* contestItem(const ContestRow& row) {
  return itemOf(row, contestFields());
}

QTreeWidgetItem* archiveItem(const ArchiveRow& row) {
  return itemOf(row, archiveFields());
}

std::vector<ContestRow> contestRows(const QTreeWidget& list) {
  return rowsOf(list, contestFields());
}

std::vector<ArchiveRow> archiveRows(const QTreeWidget& list) {
  return rowsOf(list, archiveFields());
}

}  // namespace kvt
