// The clock link's two settings: which COM port the clock is on, and whether the printer is
// chosen in a dialog at every capture. Changes hold for this run; "Grabar" also writes them to
// the settings file.
#pragma once

#include <QDialog>
#include <vector>

#include "serial_devices.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace kvt {

class frmOptions : public QDialog {
  Q_OBJECT

 public:
  explicit frmOptions(QWidget* parent = nullptr);

  // Lists the ports that open, COM1 to COM16, and the serial devices present with their COM
  // numbers, and shows the port setting again.
  void fillPorts();
  // The chosen device's COM number (its ports entry written when it had none) becomes the port.
  void useDevice();

  QLabel* Label1;
  QComboBox* Com;       // the port number
  QCheckBox* Printer;   // "Pedir Impresora"
  QPushButton* Return;  // "Grabar"
  QLabel* Label2;       // "Dispositivos serie conectados"
  QTreeWidget* Dispositivos;  // port, device name, the device it stands for
  QPushButton* Usar;          // "Usar este dispositivo"

  DeviceFolders deviceFolders = systemDeviceFolders();  // tests scan a tree of their own

 private:
  void fillDevices();
  void portChanged(const QString& text);
  void printerClicked();
  void save();

  std::vector<SerialDevice> devices_;  // as listed in Dispositivos
};

}  // namespace kvt
