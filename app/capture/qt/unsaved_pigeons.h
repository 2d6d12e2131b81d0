// "Grabar Archivo" of a reading screen follows the pigeons listed and not yet written: enabled when
// a capture fills the list, disabled when the list is emptied or written (the screen disables it
// after writing). Window activation does not change it, so a message box that closes or a window
// manager that activates the screen never offers the same pigeons again as unsaved. The counts
// follow the list too: "N Palomas Grabadas" is cleared when other pigeons are listed or the list
// is emptied, and the count read goes back to its first caption when the list is emptied.
#pragma once

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kvt {

void followUnsavedPigeons(QTreeWidget* list, QPushButton* save, QLabel* readCount,
                          QLabel* writtenCount);

}  // namespace kvt
