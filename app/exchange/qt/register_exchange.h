// The member and the contest register brought in from another program's table and taken out to
// a spreadsheet: their fields, the tables read from a file, the rows checked, added all or none,
// and the register written as CSV.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "column_mapping.h"
#include "csv_text.h"
#include "import_rows.h"

namespace kvt {

struct AccessTable;

enum class RegisterKind { Members, Contests };

// The register's fields in the order of its table: the key (licence or code) first.
const std::vector<RegisterField>& registerFields(RegisterKind kind);
// "socios" or "concursos", as a message names the register.
QString registerName(RegisterKind kind);

// A table read from a file, its text decoded.
struct SourceTable {
  std::vector<std::u16string> headers;
  std::vector<std::vector<std::u16string>> rows;
  int firstRow = 2;  // the number the user sees for the first row: a spreadsheet's, below the header
};
// A CSV file's first record is its header.
SourceTable csvSource(const QByteArray& bytes, const CsvShape& shape);
SourceTable accessSource(const AccessTable& table);

// The register whose fields the headers feed: the contest register when its preset mapping fills
// more fields than the member register's does, else the member register.
RegisterKind registerOfHeaders(const std::vector<std::u16string>& headers);

// The keys the register holds now; false, with error, when it cannot be read.
bool registerKeys(RegisterKind kind, std::vector<std::u16string>& keys, QString& error);

// Why the row will not be stored, in Spanish; rows are numbered from firstRow.
QString refusalText(RegisterKind kind, const CheckedRow& row, int firstRow);

// A row's cells as the register stores them (names upper-cased, ...), for the preview.
std::vector<QString> storedCells(RegisterKind kind, const CheckedRow& row);

struct ImportOutcome {
  int added = 0;
  QString error;  // why nothing was added; empty when every row that was not refused was
};
// Adds the rows that are not refused in one transaction: all of them or, when one fails, none.
// progress(done, total) is told as the rows are added.
ImportOutcome importRows(RegisterKind kind, const std::vector<CheckedRow>& rows,
                         const std::function<void(int, int)>& progress = {});

// The register as a spreadsheet reads it: a header row of the fields' own names, then one row per
// record in the order its screens list it in (as the configuration asks); dates as dd/mm/yyyy.
// In Windows-1252, or in UTF-8 behind a byte order mark. records tells how many rows; an empty
// result with error when the register cannot be read, or holds a character Windows-1252 lacks.
QByteArray exportCsv(RegisterKind kind, char separator, TextEncoding encoding, int& records,
                     QString& error);

}  // namespace kvt
