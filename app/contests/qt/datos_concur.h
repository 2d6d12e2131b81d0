// "Leer Reloj Quor": reads one member's clock for one contest. The user picks the contest by its
// code and the member by his licence, chooses the basketing or the checking list, and presses
// "Leer Reloj"; the capture window fills the list, and "Grabar Archivo" writes the contest file.
#pragma once

#include <QWidget>

#include "form_keys.h"
#include "reading_screen.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolBar;
class QTreeWidget;

namespace kvt {

class DatosConcur : public QWidget, public ReadingScreen {
  Q_OBJECT

 public:
  explicit DatosConcur(QWidget* parent = nullptr);

  QLineEdit* headerBox() override { return Text6; }
  QTreeWidget* pigeonList() override { return ListView1; }
  QLabel* countLabel() override { return Label35; }
  std::optional<ListKind> askedList() const override;
  QString contestCode() const override;
  QString licence() const override;

  QLineEdit* Text1;        // contest code
  QLineEdit* Text2;        // contest name
  QLineEdit* Text5;        // release date
  QLineEdit* Text8;        // basketing date
  QLineEdit* Text3;        // member licence
  QLineEdit* Text4;        // member name
  QLineEdit* Text7;        // the member's clock number
  QRadioButton* Option1;   // "Enceste": the basketing list
  QRadioButton* Option2;   // "Comprobacion": the checking list
  QPushButton* Command6;   // "Leer Reloj"
  QLineEdit* Text6;        // the header line of the captured list
  QTreeWidget* ListView1;  // one row per pigeon
  QLabel* Label35;         // pigeons read
  QPushButton* Command1;   // "Grabar Archivo"
  QLabel* Label4;          // pigeons written
  QToolBar* Toolbar1;
  QAction* col3;  // "Ir a otro Socio"
  QAction* col6;  // "Ir a Concurso"
  QAction* col5;  // "Salir"
  QAction* col4;  // without text, does nothing
  QAction* col7;  // without text, does nothing

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The focus rules of the code box, the licence box and the list.
  void focusTaken(QWidget* control);
  void focusLeft(QWidget* control);
  void contestLookup();
  void memberLookup();
  void writeFile();
  void otherMember();
  void otherContest();
  bool unsavedPigeons() const;
  bool dropUnsavedPigeons();
  bool mayTakeTheFocus(QWidget* control);

  FocusMoves focusMoves_;
  QWidget* sentBackToList_ = nullptr;  // a box the user entered and left the pigeons in
};

}  // namespace kvt
