#include "frm_kvt_monitor.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ansi_text.h"
#include "app_state.h"
#include "archive_list_parser.h"
#include "contest_list_parser.h"
#include "databases.h"
#include "form_style.h"
#include "line_hand_over.h"
#include "link_binding.h"
#include "listing_rows.h"
#include "messages.h"
#include "output_file.h"
#include "printer_dialog.h"
#include "reading_screen.h"
#include "saved_capture.h"
#include "serial_devices.h"

namespace kvt {

namespace {

QLineEdit* historyBox(QWidget* parent, int number) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QStringLiteral("Text%1").arg(number));
  box->setReadOnly(true);
  return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  auto* pressed = new QPushButton(text, parent);
  pressed->setObjectName(QLatin1String(name));
  pressed->setAutoDefault(false);
  return pressed;
}

// The port number of the setting, as the link reads it: the digits after any blanks.
unsigned portNumberOf(const QString& setting) {
  const QString text = setting.trimmed();
  qsizetype digits = 0;
  while (digits < text.size() && text[digits].isDigit() && digits < 3) ++digits;
  return text.left(digits).toUInt();
}

QString promptFor(const QString& caller, const std::optional<ListKind>& asked) {
  if (caller == QLatin1String("DatosPalo"))
    return QStringLiteral("Imprima por el Reloj la Lista de Archivo");
  if (asked == ListKind::Basketing)
    return QStringLiteral("Por Favor Imprima por el Reloj la Lista de Enceste ");
  if (asked == ListKind::Checking)
    return QStringLiteral("Por Favor Imprima por el Reloj la Lista de Llegada");
  return QStringLiteral("Por Favor Imprima por el Reloj el listado Correspondiente ");
}

// Tells the user which pigeon lines could not be read, so that none disappears unseen.
void reportSkipped(QWidget* parent, const std::vector<std::size_t>& skipped) {
  if (skipped.empty()) return;
  QStringList lines;
  for (const std::size_t line : skipped) lines << QString::number(line + 1);
  showNotice(parent,
             QStringLiteral("Las líneas %1 de la captura parecen de palomas, pero no se pueden "
                            "leer; no están en la lista.")
                 .arg(lines.join(QStringLiteral(", "))),
             QStringLiteral("Aviso"));
}

// Fills the screen with the parsed list and tells which pigeon lines could not be read; false,
// with the user told, when the capture holds another list.
template <typename Row, typename ItemOf>
bool fillScreen(QWidget* parent, ReadingScreen& screen, const Listing<Row>& listing,
                ItemOf itemOf) {
  if (listing.status == ParseStatus::WrongList) {
    showNotice(parent, QStringLiteral("El Tipo de Listado es Incorrecto"), QStringLiteral("Aviso"));
    return false;
  }
  screen.headerBox()->setText(fromAnsi(listing.header));
  for (const Row& row : listing.rows) screen.pigeonList()->addTopLevelItem(itemOf(row));
  reportSkipped(parent, listing.skippedLines);
  return true;
}

void showCount(ReadingScreen& screen) {
  QTreeWidget* list = screen.pigeonList();
  if (list->topLevelItemCount() == 0) return;
  screen.countLabel()->setText(QStringLiteral(" %1 Palomas Leidas").arg(list->topLevelItemCount()));
  list->setFocus();
}

}  // namespace

frmKVTmonitor* openCaptureWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* monitor = qobject_cast<frmKVTmonitor*>(window); monitor && monitor->isVisible()) {
      return monitor;
    }
  }
  return nullptr;
}

frmKVTmonitor* readClock(ReadingScreen& screen, const QString& screenName) {
  // One capture window: a second one would split the printout between them.
  if (frmKVTmonitor* open = openCaptureWindow()) {
    if (open->formu != screenName) {
      showNotice(nullptr,
                 QStringLiteral("Ya hay una lectura del reloj en «Printer Monitor» para otra "
                                "pantalla.\nTermínela con «Cancelar» antes de empezar otra."),
                 QStringLiteral("Aviso"));
    }
    open->raise();
    open->activateWindow();
    return open;
  }
  // The printer dialog runs an event loop of its own, in which the button may be pressed again.
  static bool opening = false;
  if (opening) return nullptr;
  opening = true;
  formllama = screenName;
  const unsigned port = portNumberOf(puertoCom);
  const bool opened = link::openQuorConnection(puertoCom) != 0;
  if (!opened) {
    // The library tells no reason; a device that this user may not open is the one the user can
    // mend, and is told how.
    const std::string advice = permissionAdvice(port, systemDeviceFolders());
    showPlain(nullptr, advice.empty() ? QStringLiteral("com port not open")
                                      : QStringLiteral("com port not open\n\n") +
                                            QString::fromStdString(advice));
  } else {
    // With the printer-choice setting "1" the library asks the user through this dialog; the
    // lines the clock prints meanwhile wait in the library until this window takes them.
    link::regPrinterChooser(&choosePrinter);
    if (link::openQuorKVT(pedirImpresora) == 0)
      showPlain(nullptr, QStringLiteral("KVT open failed"));
  }
  opening = false;
  auto* window = new frmKVTmonitor(screen);
  const QString described = QString::fromStdString(portDescription(port, systemDeviceFolders()));
  window->Label2->setText(
      port == 0 ? QStringLiteral("No hay puerto COM elegido en «Mantenimiento», «Opciones»")
      : opened  ? QStringLiteral("Escuchando en %1").arg(described)
                : QStringLiteral("Sin conexión con %1").arg(described));
  return window;
}

frmKVTmonitor::frmKVTmonitor(ReadingScreen& screen, QWidget* parent)
    : QWidget(parent, Qt::Window),
      callerWindow_(dynamic_cast<QWidget*>(&screen)),
      callerScreen_(&screen) {
  setObjectName(QStringLiteral("frmKVTmonitor"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Printer Monitor"));

  Frame1 = new QGroupBox(QStringLiteral("Aviso"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Label1 = new QLabel(QStringLiteral("Por Favor Imprima por el Reloj el listado Correspondiente "),
                      Frame1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = new QLabel(Frame1);
  Label2->setObjectName(QStringLiteral("Label2"));
  auto* notice = new QVBoxLayout(Frame1);
  notice->addWidget(Label1);
  notice->addWidget(Label2);
  Text11 = new QPlainTextEdit(this);
  Text11->setObjectName(QStringLiteral("Text11"));
  Text11->setReadOnly(true);
  Text11->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont fixed(QStringLiteral("Courier New"));
  fixed.setStyleHint(QFont::TypeWriter);
  fixed.setFixedPitch(true);
  Text11->setFont(fixed);
  Text10 = new QLineEdit(QStringLiteral("Text10"), this);
  Text10->setObjectName(QStringLiteral("Text10"));
  Text10->hide();
  Text1 = historyBox(this, 1);
  Text2 = historyBox(this, 2);
  Text3 = historyBox(this, 3);
  Text4 = historyBox(this, 4);
  Text5 = historyBox(this, 5);
  Text6 = historyBox(this, 6);
  Text7 = historyBox(this, 7);
  Text8 = historyBox(this, 8);
  Text9 = historyBox(this, 9);
  Command1 = button(this, "Command1", QStringLiteral("Crear Impreso"));
  Command2 = button(this, "Command2", QStringLiteral("Cancelar"));
  Command3 = button(this, "Command3", QStringLiteral("Archivo"));

  auto* layout = new QGridLayout(this);
  layout->addWidget(Frame1, 0, 0, 1, 3);
  layout->addWidget(Text11, 1, 0, 1, 3);
  auto* history = new QVBoxLayout;
  history->setSpacing(0);
  for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9}) {
    history->addWidget(box);
  }
  layout->addLayout(history, 2, 0, 1, 3);
  layout->addWidget(Command1, 3, 0);
  layout->addWidget(Command2, 3, 1);
  layout->addWidget(Command3, 3, 2);
  resize(720, 640);

  connect(Text10, &QLineEdit::textChanged, this, &frmKVTmonitor::takeLineIn);
  connect(Command1, &QPushButton::clicked, this, &frmKVTmonitor::GrabaImpreso);
  connect(Command2, &QPushButton::clicked, this, &frmKVTmonitor::cancel);
  connect(Command3, &QPushButton::clicked, this, [this] {
    ArchivoAbrirM();
    CargaArchivo();
  });
  Text11->installEventFilter(this);

  // The loading steps.
  Lista = QStringLiteral("Si");
  formu = formllama;
  if (formllama == QLatin1String("DatosConcur")) rule_.emplace(StoringRuleKind::Contest);
  if (formllama == QLatin1String("DatosPalo")) rule_.emplace(StoringRuleKind::Archive);
  link::receiveLines(this, [this] { lineArrived(); });
  link::regUpdateProc(&link::NuevaLinea);
  EstiloForm(this);
  show();
  Label1->setText(promptFor(formllama, screen.askedList()));
}

frmKVTmonitor::~frmKVTmonitor() {
  link::stopReceivingLinesIn(this);
}

void frmKVTmonitor::closeEvent(QCloseEvent* event) {
  // Lines that arrive once the window is going are dropped.
  link::stopReceivingLinesIn(this);
  event->accept();
}

void frmKVTmonitor::lineArrived() {
  // Every line changes the trigger exactly once; the change takes the line in.
  Text10->setText(Text10->text() == QLatin1String("o") ? QStringLiteral("e") : QStringLiteral("o"));
}

void frmKVTmonitor::takeLineIn() {
  Frame1->hide();
  if (link::getUpdateData(buflinea) == 0) return;
  QLineEdit* const history[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
  for (int i = 0; i + 1 < 9; ++i) history[i]->setText(history[i + 1]->text());
  buflinea[sizeof buflinea - 1] = '\0';
  const std::string line(buflinea);
  Text9->setText(fromAnsi(line));
  if (!rule_) return;
  Lista = rule_->store(line) ? QStringLiteral("Si") : QStringLiteral("No");
  if (Lista == QLatin1String("Si")) store(line);
}

void frmKVTmonitor::store(const std::string& line) {
  capture_.append(line);
  Text11->appendPlainText(fromAnsi(line));
}

ReadingScreen* frmKVTmonitor::caller() const {
  return callerWindow_ ? callerScreen_ : nullptr;
}

void frmKVTmonitor::cancel() {
  ProcesaListado();
  close();
}

void frmKVTmonitor::ProcesaListado() {
  ReadingScreen* screen = caller();
  if (screen == nullptr || capture_.empty()) return;
  if (formu == QLatin1String("DatosConcur")) {
    const std::optional<ListKind> asked = screen->askedList();
    if (!asked) return;
    // After the wrong list a basketing reading goes on to count what the list holds; a checking
    // reading stops.
    if (!fillScreen(this, *screen, parseContestList(capture_, *asked), contestItem) &&
        *asked == ListKind::Checking) {
      return;
    }
  } else if (!fillScreen(this, *screen, parseArchiveList(capture_), archiveItem)) {
    return;
  }
  showCount(*screen);
}

void frmKVTmonitor::GrabaImpreso() {
  // The contest screen's code and licence name the file; the pigeon screen has none.
  const ReadingScreen* contest = caller();
  const SavedCapture saved = saveCapture(
      capture_, savedCaptureRoot(toAnsi(rsConfig.value(QStringLiteral("confmsdos")).toString())),
      toAnsi(contest ? contest->contestCode() : QString()),
      toAnsi(contest ? contest->licence() : QString()));
  if (!saved.error.empty()) {
    showWarning(this, QString::fromStdString(saved.error), QStringLiteral("Aviso"));
  } else if (capture_.empty()) {
    showNotice(this, QStringLiteral("La captura está vacía: no se ha creado ningún archivo."),
               QStringLiteral("Aviso"));
  } else {
    showNotice(this, QStringLiteral("Archivo creado\n%1").arg(shownPath(saved.path)),
               QStringLiteral("Aviso"));
  }
}

void frmKVTmonitor::ArchivoAbrirM() {
  const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Abrir"), QString(),
                                                      QStringLiteral("Todos los archivos (*)"));
  if (!chosen.isEmpty()) rutafichero = chosen;
}

void frmKVTmonitor::CargaArchivo() {
  if (!capture_.empty()) return;
  if (rutafichero.isEmpty()) {
    showNotice(this, QStringLiteral("No se ha elegido ningún archivo; no se ha cargado nada."),
               QStringLiteral("Aviso"));
    return;
  }
  std::string error;
  const std::optional<CaptureText> loaded =
      loadCapture(std::filesystem::path(rutafichero.toStdU16String()), error);
  if (!loaded) {
    showWarning(this, QString::fromStdString(error), QStringLiteral("Aviso"));
    return;
  }
  for (const std::string& line : loaded->lines()) store(line);
}

bool frmKVTmonitor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text11 && event->type() == QEvent::FocusIn) {
    // A new parse starts from an empty list and header.
    if (ReadingScreen* screen = caller()) {
      screen->pigeonList()->clear();
      screen->headerBox()->clear();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kvt
