// The main window: the start of the program, the menu and toolbar that offer its screens, the
// status bar whose "texto" panel shows what the current screen expects, and the way out.
#pragma once

#include <QMainWindow>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace kvt {

// Writes a screen's prompt into the main window's "texto" status panel.
void setStatusText(const QString& text);

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  // The start of the program; empty when it went well, else the message that stops it.
  QString load(const QString& programFolder);

  // Enables a menu entry and its toolbar button (either may be null) to show the screen that
  // create makes, not modally; a screen of that object name already open is brought forward.
  void offerScreen(QAction* entry, QAction* button, const QString& name,
                   std::function<QWidget*()> create);

  // Enables a menu entry or toolbar button to show the screen that create makes, modally: the
  // main window waits until it closes.
  void offerModalScreen(QAction* action, std::function<QDialog*()> create);

  // "Salir": asks first; on Yes closes every other window, the capture and the connection, then
  // this window.
  void leave();

  // Menu, in order.
  QMenu* manteni;     // "&1 Mantenimiento"
  QAction* Socio;     // member register
  QAction* concurso;  // contest register
  QAction* Opciones;  // port and printer options
  QAction* Importar;  // "Importar…": a register brought in from a database or a spreadsheet
  QAction* Exportar;  // "Exportar…": a register written to a spreadsheet
  QMenu* Lista;       // "&2 Archivos"
  QAction* Reloj;     // contest clock reading
  QAction* Palo;      // pigeon extraction
  QAction* config;    // the configuration record
  QAction* Salir;     // leaving
  // Toolbar buttons, by key.
  QToolBar* Toolbar1;
  QAction* boton1;  // "Socios"
  QAction* boton2;  // "Concursos"
  QAction* boton3;  // "Enc/Comp"
  QAction* boton6;  // "Palomas"
  QAction* boton5;  // "Salir"
  QStatusBar* StatusBar1;
  QLabel* texto;  // the status panel other screens write their prompts into

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenu();
  void buildToolbar();
  void buildStatusBar();
  void closeOtherWindows();
  void showOptions();

  void showConfiguration();

  QLabel* date_;
  QLabel* time_;
};

}  // namespace kvt
