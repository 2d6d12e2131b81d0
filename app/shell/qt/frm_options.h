// The clock link's two settings: which COM port the clock is on, and whether the printer is
// chosen in a dialog at every capture. Changes hold for this run; "Grabar" also writes them to
// the settings file.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kvt {

class frmOptions : public QDialog {
  Q_OBJECT

 public:
  explicit frmOptions(QWidget* parent = nullptr);

  // Lists the ports that open, COM1 to COM16, and shows the port setting again.
  void fillPorts();

  QLabel* Label1;
  QComboBox* Com;       // the port number
  QCheckBox* Printer;   // "Pedir Impresora"
  QPushButton* Return;  // "Grabar"

 private:
  void portChanged(const QString& text);
  void printerClicked();
  void save();
};

}  // namespace kvt
