// "Printer Monitor": the window in which a clock's printout arrives line by line. It keeps the
// lines that belong to the list (the storing rule of the reading screen that opened it), and on
// "Cancelar" hands them to the list parser, which fills that screen. It can also save the capture
// and load a saved one.
#pragma once

#include <QPointer>
#include <QWidget>
#include <optional>
#include <string>

#include "capture_text.h"
#include "storing_rules.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kvt {

class ReadingScreen;

inline QString rutafichero;  // the file last chosen with "Archivo"

// "Leer Reloj" of a reading screen: sets formllama to the screen's name, opens the link and the
// print capture (telling the user when either fails), and loads the capture window in every case.
// Gives that window. While a capture window is open it only brings that one to the front and
// starts nothing (none while the first press is still choosing the printer).
class frmKVTmonitor;
frmKVTmonitor* readClock(ReadingScreen& screen, const QString& screenName);
// The capture window on the screen, or none.
frmKVTmonitor* openCaptureWindow();

class frmKVTmonitor : public QWidget {
  Q_OBJECT

 public:
  // Loads the window for the reading screen that opened it, named by formllama, and starts taking
  // lines in. The screen may close before the window does; the window then fills nothing.
  explicit frmKVTmonitor(ReadingScreen& screen, QWidget* parent = nullptr);
  ~frmKVTmonitor() override;

  // "Cancelar": the capture text into the reading screen.
  void ProcesaListado();
  // "Crear Impreso": the capture text into its saved capture file.
  void GrabaImpreso();
  // "Archivo": the open dialog, then the chosen file into an empty capture text.
  void ArchivoAbrirM();
  void CargaArchivo();

  // The capture text, as the parser reads it.
  const CaptureText& captureText() const { return capture_; }

  QString Lista;  // "Si" or "No": whether the line being taken in is stored
  QString formu;  // the reading screen that opened the window

  QGroupBox* Frame1;       // "Aviso", holds the prompt until the first line arrives
  QLabel* Label1;          // the prompt
  QLabel* Label2;          // the port and the device listened on (empty for a saved capture)
  QPlainTextEdit* Text11;  // the capture text
  QLineEdit* Text10;       // the trigger: each received line changes it once
  QLineEdit* Text1;        // the nine last received lines, Text1 the oldest
  QLineEdit* Text2;
  QLineEdit* Text3;
  QLineEdit* Text4;
  QLineEdit* Text5;
  QLineEdit* Text6;
  QLineEdit* Text7;
  QLineEdit* Text8;
  QLineEdit* Text9;       // the newest received line
  QPushButton* Command1;  // "Crear Impreso"
  QPushButton* Command2;  // "Cancelar"
  QPushButton* Command3;  // "Archivo"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void lineArrived();
  void takeLineIn();
  void store(const std::string& line);
  void cancel();
  ReadingScreen* caller() const;

  QPointer<QWidget> callerWindow_;  // the reading screen's window, while it lives
  ReadingScreen* callerScreen_;
  std::optional<StoringRule> rule_;  // none when the window was opened by no reading screen
  CaptureText capture_;
  char buflinea[132] = {};
};

}  // namespace kvt
