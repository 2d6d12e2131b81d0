// The pieces the register windows share: the list in report view whose rows carry a tag, the
// "&Ordenar por" panel, the search panel, the panel of key hints shown while Ctrl is held, and the
// toolbar buttons known by their keys.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>

#include "register_write.h"

class QAction;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kvt {

// Places a window as its design gives it, in twips (15 to a pixel at 96 dpi): the position is
// that of its frame, the size that of the window inside it.
void placeInTwips(QWidget* window, int left, int top, int width, int height);

// A toolbar button with its key as object name; an empty text leaves a button without text.
QAction* toolButton(QToolBar* bar, const char* key, const QString& text);

// A line edit and a push button known by their names; the button is never a default button, so
// that Enter moves the focus on instead of pressing it.
QLineEdit* panelBox(const char* name);
QPushButton* panelButton(const char* name, const QString& text);
// A panel of controls known by its name, hidden until it is used.
QGroupBox* hiddenPanel(QWidget* parent, const char* name, const QString& title = {});

// A list in report view, one row per record, with those column headers.
QTreeWidget* registerList(QWidget* parent, const QStringList& headers);
// The identity of the record a row was listed from; 0 for none.
qint64 rowId(const QTreeWidgetItem* row);
void setRowId(QTreeWidgetItem* row, qint64 id);
// The row listed from the record of that identity, or none.
QTreeWidgetItem* rowOf(const QTreeWidget* list, qint64 id);
// The only selected row becomes row, the current one and visible; none deselects all.
void selectRow(QTreeWidget* list, QTreeWidgetItem* row);
// The selected row, or none.
QTreeWidgetItem* selectedRow(const QTreeWidget* list);

struct OrderPanel {
  QGroupBox* Frame3;      // "&Ordenar por"
  QRadioButton* Option1;  // the first order: by code or licence
  QRadioButton* Option2;  // the second order: by date or name
};
OrderPanel orderPanel(QWidget* parent, const QString& first, const QString& second);

struct SearchPanel {
  QGroupBox* Frame1;      // "&Patron de Busqueda", hidden until a search starts
  QLineEdit* Text1;       // the pattern
  QPushButton* Command1;  // "&Aceptar": search
  QPushButton* Command2;  // "&Cancelar"
};
SearchPanel searchPanel(QWidget* parent);
// The search panel takes the place of the order panel and its pattern the focus; or the order
// panel comes back.
void openSearchPanel(QGroupBox* search, QGroupBox* order, QLineEdit* pattern);
void closeSearchPanel(QGroupBox* search, QGroupBox* order);
// The end of a search: the found row becomes the selected one and the list takes the focus;
// without one "No se ha encontrado" is told and the pattern takes the focus again, the panel
// staying open. True when a row was found.
bool showSearchResult(QTreeWidget* list, QTreeWidgetItem* found, QLineEdit* pattern);

// Tells the user why a write was not done; when the list is stale, listAgain reads it again.
// True when the write was done.
bool writtenOrTold(QWidget* screen, const Saved& saved, const std::function<void()>& listAgain);

// The key hints, one label each, hidden until Ctrl is pressed.
QWidget* hintPanel(QWidget* parent, const QStringList& hints);

// The digit of Ctrl with a digit key, or -1.
int ctrlDigit(const QKeyEvent* key);

}  // namespace kvt
