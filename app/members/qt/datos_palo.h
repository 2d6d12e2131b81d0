// "Extraer Palomas y hacer Archivo desde el Reloj": takes the pigeons of a fancier's clock archive
// and writes them to a pigeon file. "Leer Reloj" opens the capture window, which fills the list;
// "Grabar Archivo" writes the file.
#pragma once

#include <QWidget>

#include "reading_screen.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QTreeWidget;

namespace kvt {

class DatosPalo : public QWidget, public ReadingScreen {
  Q_OBJECT

 public:
  explicit DatosPalo(QWidget* parent = nullptr);

  QLineEdit* headerBox() override { return Text6; }
  QTreeWidget* pigeonList() override { return ListView1; }
  QLabel* countLabel() override { return Label35; }
  std::optional<ListKind> askedList() const override { return ListKind::Archive; }

  QLineEdit* Text6;        // the header line of the archive list
  QTreeWidget* ListView1;  // one row per pigeon
  QLabel* Label35;         // pigeons read
  QLabel* Label4;          // pigeons written
  QPushButton* Command6;   // "Leer Reloj"
  QPushButton* Command1;   // "Grabar Archivo"
  QToolBar* Toolbar1;
  QAction* col5;  // "Salir"

 protected:
  bool event(QEvent* event) override;

 private:
  void writeFile();
};

}  // namespace kvt
