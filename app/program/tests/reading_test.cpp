// From a clock to a file: the reading screens with the real link library over a pseudo-terminal
// that plays the demo printouts, the capture window in between.
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPrintDialog>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "app_state.h"
#include "civil_date.h"
#include "databases.h"
#include "datos_concur.h"
#include "datos_palo.h"
#include "frm_kvt_monitor.h"
#include "frm_main.h"
#include "link_binding.h"
#include "port_names.h"
#include "printout_player.h"
#include "printouts.h"
#include "pty_clock.h"
#include "shell_fixture.h"
#include "storing_rules.h"
#include "widget_steps.h"

namespace kvt {
namespace {

using namespace std::chrono_literals;
using testing::activate;
using testing::moveFocusOut;

// The files the clock's demo printouts give, from the file writers' own tests.
std::string expected(const std::string& name) {
  const char* folder = name[0] == 'P' ? PIGEON_FILES_EXPECTED : CONTEST_FILES_EXPECTED;
  return testing::fileBytes(std::string(folder) + "/" + name);
}

// The expected file with today's date in its closing line, as the screen writes it.
std::string expectedToday(const std::string& name) {
  std::string bytes = expected(name);
  const std::size_t closing = bytes.rfind("* ");
  return bytes.substr(0, closing) + "* " + shortDate(localToday()) + "\r\n";
}

frmKVTmonitor* captureWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* monitor = qobject_cast<frmKVTmonitor*>(window); monitor && monitor->isVisible()) {
      return monitor;
    }
  }
  return nullptr;
}

// Turns the event loop until done() holds or time runs out.
template <typename Done>
bool processUntil(Done done, std::chrono::milliseconds limit = 20s) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < limit.count()) {
    QApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(1ms);
  }
  return done();
}

// The text of a PDF, its runs of blanks as one, line by line without the empty ones.
std::vector<std::string> pdfLines(const std::string& pdf) {
  std::vector<std::string> lines;
  FILE* text = popen(("pdftotext -layout '" + pdf + "' - 2>/dev/null").c_str(), "r");
  if (text == nullptr) return lines;
  std::string all;
  char chunk[4096];
  for (std::size_t n; (n = fread(chunk, 1, sizeof chunk, text)) > 0;) all.append(chunk, n);
  pclose(text);
  std::istringstream in(all);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string joined;
    for (std::string word; words >> word;) joined += (joined.empty() ? "" : " ") + word;
    if (!joined.empty()) lines.push_back(joined);
  }
  return lines;
}

class ReadingTest : public testing::ShellTest {
 protected:
  void SetUp() override {
    // No print server: the captures are not printed, they go on all the same.
    qputenv("CUPS_SERVER", path("no-cups").toLocal8Bit());
    startUp();
    documents = path("documentos");
    QDir().mkpath(documents);
    rsConfig.edit();
    rsConfig.setValue("confmsdos", documents);
    ASSERT_TRUE(rsConfig.update());
    addContest("12", QDate::currentDate().addDays(1));
    addContest("13", QDate::currentDate());
    rsSocios.addNew();
    rsSocios.setValue("slicencia", "345");
    rsSocios.setValue("snombre", "GARCIA LOPEZ JUAN");
    ASSERT_TRUE(rsSocios.update());
    puertoCom = "1";
    pedirImpresora = "0";
  }

  void TearDown() override {
    if (frmKVTmonitor* monitor = captureWindow()) monitor->close();
    link::closeQuorKVT();
    link::closeQuorConnection();
  }

  static void addContest(const char* code, const QDate& basketing) {
    rsConcurso.addNew();
    rsConcurso.setValue("cocodigo", QLatin1String(code));
    rsConcurso.setValue("conombre", "SUELTA DE PRUEBA");
    rsConcurso.setValue("cofecha", basketing.addDays(2));
    rsConcurso.setValue("coenceste", basketing);
    ASSERT_TRUE(rsConcurso.update());
  }

  // Contest and member chosen as the user does: typed, then Tab.
  void choose(DatosConcur& screen, const char* code, const char* licence) {
    screen.Text1->setText(QLatin1String(code));
    moveFocusOut(screen.Text1);
    screen.Text3->setText(QLatin1String(licence));
    moveFocusOut(screen.Text3);
  }

  // "Leer Reloj", the clock prints the demo printout, the lines arrive, and "Cancelar".
  frmKVTmonitor* readClock(QPushButton* leerReloj, const std::string& printout,
                           bool cancel = true) {
    leerReloj->setFocus(Qt::MouseFocusReason);  // as the click of a person does
    leerReloj->click();
    frmKVTmonitor* monitor = captureWindow();
    EXPECT_NE(monitor, nullptr);
    if (monitor == nullptr) return nullptr;
    EXPECT_TRUE(clock.waitUntilOpened(2s));
    quorclock::PlayOptions options;
    options.perByte = 100us;
    std::atomic<bool> played{false};
    std::thread player([&] {
      quorclock::play(clock, quorclock::printoutChunks(testing::printedLines(printout), options),
                      options.perByte);
      played = true;
    });
    // The printout is in when the clock has sent it all and no line came for a while.
    QElapsedTimer quiet;
    quiet.start();
    QObject::connect(monitor->Text10, &QLineEdit::textChanged, monitor, [&] { quiet.restart(); });
    EXPECT_TRUE(processUntil([&] { return played && quiet.elapsed() > 300; }));
    player.join();
    if (cancel) monitor->Command2->click();
    return monitor;
  }

  quorclock::PtyClock clock{1};
  QString documents;
};

TEST_F(ReadingTest, BasketingListFromTheClockToTheContestFile) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  EXPECT_EQ(screen.Text2->text(), "SUELTA DE PRUEBA");
  EXPECT_TRUE(screen.Option1->isChecked());  // the basketing day is still to come
  EXPECT_EQ(screen.Text7->text(), "0");
  ASSERT_TRUE(screen.Command6->isEnabled());

  frmKVTmonitor* monitor = readClock(screen.Command6, "basketing", false);
  ASSERT_NE(monitor, nullptr);
  EXPECT_FALSE(monitor->Frame1->isVisible());
  EXPECT_EQ(monitor->Label2->text(),
            QString::fromStdString("Escuchando en COM1: " + clock.slavePath()));
  const QString last = QString::fromStdString(testing::printedLines("basketing").back());
  EXPECT_TRUE(monitor->Text9->text() == last || monitor->Text8->text() == last);
  // The head of the list and its pigeon lines; not the end marker, nor what follows it.
  EXPECT_EQ(monitor->captureText().lines(),
            storedLines(testing::printedLines("basketing"), StoringRuleKind::Contest).lines());
  monitor->Command2->click();
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 5);
  EXPECT_EQ(screen.Label35->text(), " 5 Palomas Leidas");

  activate(&screen);
  ASSERT_TRUE(screen.Command1->isEnabled());
  screen.Command1->click();
  EXPECT_EQ(testing::fileBytes(documents.toStdString() + "/Quor/12/E120034501.Txt"),
            expectedToday("E120034501.Txt"));
  EXPECT_EQ(screen.Label4->text(), "5 Palomas Grabadas");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, "El Archivo : E120034501.Txt ha sido creado\n" +
                                      documents + "/Quor/12/E120034501.Txt");
  EXPECT_FALSE(screen.Command1->isEnabled());
}

TEST_F(ReadingTest, CheckingListFromTheClockToTheContestFile) {
  DatosConcur screen;
  screen.show();
  choose(screen, "13", "345");
  EXPECT_TRUE(screen.Option2->isChecked());  // basketing today: the checking list
  // The demo checking list belongs to contest 12.
  screen.Text1->setText("12");
  readClock(screen.Command6, "checking");
  activate(&screen);
  screen.Command1->click();
  EXPECT_EQ(testing::fileBytes(documents.toStdString() + "/Quor/12/C120034501.Txt"),
            expectedToday("C120034501.Txt"));
}

TEST_F(ReadingTest, ArchiveListFromTheClockToThePigeonFile) {
  DatosPalo screen;
  screen.show();
  readClock(screen.Command6, "archive");
  activate(&screen);
  EXPECT_EQ(screen.Label35->text(),
            QStringLiteral("%1 Palomas Leidas").arg(screen.ListView1->topLevelItemCount()));
  screen.Command1->click();
  EXPECT_EQ(testing::fileBytes(documents.toStdString() + "/Quor/Palomas/P01234.Txt"),
            expectedToday("P01234.Txt"));
  EXPECT_EQ(messages.back().text,
            "El Archivo :P01234.Txt ha sido creado\n" + documents + "/Quor/Palomas/P01234.Txt");
}

TEST_F(ReadingTest, TheWrongListIsToldAndFillsNothing) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");  // basketing chosen
  readClock(screen.Command6, "checking");
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, "El Tipo de Listado es Incorrecto");
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_TRUE(screen.Text6->text().isEmpty());
}

TEST_F(ReadingTest, WithoutThePortTheCaptureWindowOpensAllTheSame) {
  std::filesystem::create_symlink("/nonexistent/tty", quorlink::portsFolder() + "/COM9");
  puertoCom = "9";
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  screen.Command6->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::Plain);
  EXPECT_EQ(messages[0].text, "com port not open");
  ASSERT_NE(captureWindow(), nullptr);
  EXPECT_EQ(captureWindow()->Label2->text(), "Sin conexión con COM9: /nonexistent/tty");
}

TEST_F(ReadingTest, AnUnwritableDocumentsFolderIsToldWithoutConfirmation) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  rsConfig.edit();
  rsConfig.setValue("confmsdos", path("no/such/folder"));
  ASSERT_TRUE(rsConfig.update());
  activate(&screen);
  messages.clear();
  screen.Command1->click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].kind, MessageKind::Warning);
  EXPECT_FALSE(messages[0].text.contains("ha sido creado"));
  EXPECT_TRUE(screen.Label4->text().isEmpty());
}

TEST_F(ReadingTest, TheToolbarAsksBeforeUnsavedPigeonsAreDropped) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  activate(&screen);
  answerYes = false;
  screen.col3->trigger();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().kind, MessageKind::Question);
  EXPECT_EQ(messages.back().text, "Las Palomas no han sido Grabadas , ¿deseas continuar?.");
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 5);
  answerYes = true;
  screen.col6->trigger();
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_TRUE(screen.Text1->text().isEmpty());
}

TEST_F(ReadingTest, ANewCaptureEmptiesTheScreensListWhenItsTextTakesTheFocus) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  ASSERT_EQ(screen.ListView1->topLevelItemCount(), 5);
  screen.Command6->click();
  frmKVTmonitor* again = captureWindow();
  ASSERT_NE(again, nullptr);
  QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(again->Text11, &in);
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_TRUE(screen.Text6->text().isEmpty());
}

TEST_F(ReadingTest, SavedCaptureRoundTrip) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  frmKVTmonitor* monitor = readClock(screen.Command6, "basketing", false);
  ASSERT_NE(monitor, nullptr);
  const std::string saved = monitor->captureText().joined();
  monitor->GrabaImpreso();
  // Beside the club's other files, and the message says where.
  const QString file = documents + "/Quor/12/IC345";
  EXPECT_EQ(messages.back().text, "Archivo creado\n" + file);
  EXPECT_EQ(testing::fileBytes(file.toStdString()), saved + "\r\n");
  monitor->close();

  screen.Command6->click();
  frmKVTmonitor* empty = captureWindow();
  ASSERT_NE(empty, nullptr);
  rutafichero = file;
  empty->CargaArchivo();
  EXPECT_EQ(empty->captureText().joined(), saved + "\r\n");  // one more empty line
}

TEST_F(ReadingTest, LeavingWhileAPrintoutArrivesFinishesAtOnce) {
  frmMain main;
  ASSERT_TRUE(main.load(programFolder()).isEmpty());
  puertoCom = "1";  // the start read the settings file, which has none
  main.show();
  auto* screen = new DatosConcur;
  screen->show();
  choose(*screen, "12", "345");
  screen->Command6->click();
  ASSERT_TRUE(clock.waitUntilOpened(2s));
  std::atomic<bool> stop{false};
  std::thread player([&] {
    const std::vector<std::string> lines = testing::printedLines("basketing");
    for (int i = 0; i < 200 && !stop; ++i) {
      try {
        clock.sendAtLineRate(lines[i % lines.size()] + "\r\n", quorclock::kLineRate);
      } catch (const std::runtime_error&) {
        return;
      }
    }
  });
  processUntil([] { return false; }, 500ms);  // lines are arriving
  QElapsedTimer leaving;
  leaving.start();
  main.leave();
  EXPECT_LT(leaving.elapsed(), 2000);
  stop = true;
  player.join();
}

// A person in the print dialog: some seconds looking, then printing to a PDF file.
void answerPrintDialogSlowly(const QString& pdf, int milliseconds) {
  testing::whenModalOpens([pdf, milliseconds](QWidget* dialog) {
    auto* print = qobject_cast<QPrintDialog*>(dialog);
    ASSERT_NE(print, nullptr);
    QTest::qWait(milliseconds);
    auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    printers->setCurrentIndex(printers->findText(QStringLiteral("PDF"), Qt::MatchContains));
    auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
    ASSERT_NE(file, nullptr);
    file->setText(pdf);
    QMetaObject::invokeMethod(print, "accept");
  });
}

TEST_F(ReadingTest, APrintoutStartedWhileThePrintDialogIsOpenArrivesWhole) {
  pedirImpresora = "1";
  DatosConcur screen;
  testing::showActive(&screen);
  choose(screen, "12", "345");
  const std::vector<std::string> printout = testing::printedLines("basketing");
  // The clock prints at 9600 baud as soon as the port opens, while the dialog is still open.
  std::thread player([&] {
    if (!clock.waitUntilOpened(5s)) return;
    quorclock::PlayOptions options;
    quorclock::play(clock, quorclock::printoutChunks(printout, options), options.perByte);
  });
  const QString pdf = path("impreso.pdf");
  answerPrintDialogSlowly(pdf, 3000);
  screen.Command6->setFocus(Qt::MouseFocusReason);
  screen.Command6->click();
  player.join();
  frmKVTmonitor* monitor = captureWindow();
  ASSERT_NE(monitor, nullptr);
  const CaptureText stored = storedLines(printout, StoringRuleKind::Contest);
  ASSERT_TRUE(processUntil([&] { return monitor->captureText().lineCount() >= stored.lineCount(); },
                           10s));
  EXPECT_EQ(monitor->captureText().lines(), stored.lines());
  // The form feed ended the printed document: every line of the list is in it, in order.
  ASSERT_TRUE(processUntil([&] { return !pdfLines(pdf.toStdString()).empty(); }, 10s));
  std::vector<std::string> expectedPrinted;
  for (const std::string& line : printout) {
    std::istringstream words(line);
    std::string joined;
    for (std::string word; words >> word;) joined += (joined.empty() ? "" : " ") + word;
    if (!joined.empty()) expectedPrinted.push_back(joined);
  }
  EXPECT_EQ(pdfLines(pdf.toStdString()), expectedPrinted);
  monitor->Command2->click();
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 5);
}

TEST_F(ReadingTest, ASecondLeerRelojDuringACaptureBringsTheSameWindowForward) {
  DatosConcur screen;
  screen.show();
  choose(screen, "12", "345");
  screen.Command6->click();
  frmKVTmonitor* first = captureWindow();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(clock.waitUntilOpened(2s));
  const std::vector<std::string> printout = testing::printedLines("basketing");
  std::thread player([&] {
    quorclock::PlayOptions options;
    quorclock::play(clock, quorclock::printoutChunks(printout, options), options.perByte);
  });
  processUntil([&] { return first->captureText().lineCount() > 5; });
  screen.Command6->click();  // in the middle of the printout
  int windows = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<frmKVTmonitor*>(window) && window->isVisible()) ++windows;
  }
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(captureWindow(), first);
  player.join();
  const CaptureText stored = storedLines(printout, StoringRuleKind::Contest);
  ASSERT_TRUE(processUntil([&] { return first->captureText().lineCount() >= stored.lineCount(); }));
  EXPECT_EQ(first->captureText().lines(), stored.lines());  // not split between two windows
  first->Command2->click();
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 5);
}

TEST_F(ReadingTest, TheContestScreensFocusRulesRunForEveryFocusMove) {
  frmMain main;
  ASSERT_TRUE(main.load(programFolder()).isEmpty());
  main.show();
  DatosConcur screen;
  testing::showActive(&screen);
  // The first focus, which the window's opening gives.
  ASSERT_TRUE(processUntil([&] { return screen.Text1->hasFocus(); }, 2s));
  EXPECT_EQ(main.texto->text(), "Poner Codigo del Concurso  F1 : Ayuda Concursos");
  EXPECT_FALSE(screen.col3->isEnabled());
  EXPECT_FALSE(screen.col6->isEnabled());

  QTest::keyClicks(screen.Text1, "12");
  QTest::keyClick(screen.Text1, Qt::Key_Tab);
  EXPECT_EQ(screen.Text2->text(), "SUELTA DE PRUEBA");
  screen.Text3->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(screen.Text3, "345");
  screen.ListView1->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(screen.Text4->text(), "GARCIA LOPEZ JUAN");
  EXPECT_TRUE(screen.col6->isEnabled());

  // "Ir a Concurso" gives the code box the focus itself: the other boxes empty, both buttons off.
  screen.col6->trigger();
  EXPECT_TRUE(screen.Text1->hasFocus());
  for (QLineEdit* box : {screen.Text2, screen.Text3, screen.Text4, screen.Text7}) {
    EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
  }
  EXPECT_FALSE(screen.col3->isEnabled());
  EXPECT_FALSE(screen.col6->isEnabled());

  // A code that is not there: told, and the code box takes the focus back with its rules.
  QTest::keyClicks(screen.Text1, "99");
  screen.ListView1->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(screen.col6->isEnabled(), true);  // the lookup ran
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().text, "ATENCIÓN:El concurso no existe");
  ASSERT_TRUE(processUntil([&] { return screen.Text1->hasFocus(); }, 2s));
  EXPECT_FALSE(screen.col6->isEnabled());
}

TEST_F(ReadingTest, GrabarArchivoFollowsTheUnsavedPigeonsNotWindowActivation) {
  DatosConcur screen;
  testing::showActive(&screen);
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  EXPECT_TRUE(screen.Command1->isEnabled());  // without any activation
  screen.Command1->click();
  EXPECT_FALSE(screen.Command1->isEnabled());
  // A modal message over the screen, then the screen active again.
  testing::whenModalOpens([](QWidget* box) { QMetaObject::invokeMethod(box, "accept"); });
  QDialog message(&screen);
  message.exec();
  testing::showActive(&screen);
  activate(&screen);
  EXPECT_FALSE(screen.Command1->isEnabled());
  const std::size_t told = messages.size();
  screen.col3->trigger();  // nothing unsaved: no question
  EXPECT_EQ(messages.size(), told);
}

TEST_F(ReadingTest, ThePigeonScreensButtonFollowsItsListToo) {
  DatosPalo screen;
  testing::showActive(&screen);
  readClock(screen.Command6, "archive");
  EXPECT_TRUE(screen.Command1->isEnabled());
  screen.Command1->click();
  testing::showActive(&screen);
  activate(&screen);
  EXPECT_FALSE(screen.Command1->isEnabled());
}

// The code and licence boxes lead back to the contest and the member as the toolbar does: they
// ask before unsaved pigeons go, and "Leer Reloj" waits for a member found again.
TEST_F(ReadingTest, GoingBackByTheBoxesAsksForUnsavedPigeonsAndReadingWaitsForAMember) {
  DatosConcur screen;
  testing::showActive(&screen);
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  ASSERT_EQ(screen.ListView1->topLevelItemCount(), 5);
  const QString readCount = screen.Label35->text();
  testing::showActive(&screen);  // the capture window had it

  answerYes = false;
  const std::size_t told = messages.size();
  screen.Text1->setFocus(Qt::MouseFocusReason);
  ASSERT_EQ(messages.size(), told + 1);
  EXPECT_EQ(messages.back().text, "Las Palomas no han sido Grabadas , ¿deseas continuar?.");
  ASSERT_TRUE(processUntil([&] { return screen.ListView1->hasFocus(); }, 2s));
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 5);
  EXPECT_EQ(screen.Text3->text(), "345");
  EXPECT_EQ(screen.Label35->text(), readCount);
  EXPECT_TRUE(screen.Command1->isEnabled());

  answerYes = true;
  screen.Text3->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(screen.ListView1->topLevelItemCount(), 0);
  EXPECT_FALSE(screen.Command6->isEnabled());
  EXPECT_EQ(screen.Label35->text(), "Palomas Leidas");

  // Saved pigeons: "Ir a Concurso" asks nothing, and with no member "Leer Reloj" is off.
  screen.ListView1->setFocus(Qt::MouseFocusReason);
  choose(screen, "12", "345");
  readClock(screen.Command6, "basketing");
  testing::showActive(&screen);
  screen.Command1->click();
  EXPECT_EQ(screen.Label4->text(), "5 Palomas Grabadas");
  screen.col6->trigger();
  EXPECT_TRUE(screen.Text1->hasFocus());
  EXPECT_FALSE(screen.Command6->isEnabled());
}

// One capture window: "Leer Reloj" of the pigeon screen while the contest screen's capture is
// open says so instead of silently showing the other capture.
TEST_F(ReadingTest, LeerRelojOfAnotherScreenDuringACaptureIsTold) {
  DatosConcur contests;
  contests.show();
  choose(contests, "12", "345");
  contests.Command6->click();
  frmKVTmonitor* open = captureWindow();
  ASSERT_NE(open, nullptr);
  DatosPalo pigeons;
  pigeons.show();
  const std::size_t told = messages.size();
  pigeons.Command6->click();
  EXPECT_EQ(captureWindow(), open);
  ASSERT_EQ(messages.size(), told + 1);
  EXPECT_EQ(messages.back().text,
            "Ya hay una lectura del reloj en «Printer Monitor» para otra pantalla.\n"
            "Termínela con «Cancelar» antes de empezar otra.");
}

}  // namespace
}  // namespace kvt
