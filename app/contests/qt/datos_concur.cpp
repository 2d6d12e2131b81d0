#include "datos_concur.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "aconcurso1.h"
#include "ansi_text.h"
#include "app_state.h"
#include "asocio1.h"
#include "civil_date.h"
#include "contest_register.h"
#include "contest_file.h"
#include "databases.h"
#include "form_keys.h"
#include "frm_kvt_monitor.h"
#include "frm_main.h"
#include "listing_rows.h"
#include "member_register.h"
#include "messages.h"
#include "register_parts.h"
#include "register_write.h"
#include "unsaved_pigeons.h"

namespace kvt {

namespace {

// Column widths in twips, at 15 twips a pixel.
constexpr int kColumnTwips[] = {1235, 882, 1764, 2293, 1764, 1764, 882, 529, 1764, 2011};

const QString kUnsavedQuestion =
    QStringLiteral("Las Palomas no han sido Grabadas , ¿deseas continuar?.");

QLineEdit* box(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  return edit;
}

// F1 without Shift, Ctrl or Alt: the help of a code or licence box.
bool isHelpKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_F1 &&
         (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
}

// The register holds no contest, as another program may have left it.
bool noContests() {
  ContestRegister contests;
  return contests.list(ContestOrder::Code) && contests.contests().empty();
}

}  // namespace

DatosConcur::DatosConcur(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("DatosConcur"));
  setWindowTitle(QStringLiteral("Leer Reloj Quor"));

  Text1 = box(this, "Text1");
  Text2 = box(this, "Text2");
  Text5 = box(this, "Text5");
  Text8 = box(this, "Text8");
  Text3 = box(this, "Text3");
  Text4 = box(this, "Text4");
  Text7 = box(this, "Text7");
  Text6 = box(this, "Text6");
  auto* contest = new QGroupBox(QStringLiteral("&Concurso"), this);
  auto* contestLayout = new QGridLayout(contest);
  contestLayout->addWidget(new QLabel(QStringLiteral("Codigo:")), 0, 0);
  contestLayout->addWidget(Text1, 0, 1);
  contestLayout->addWidget(Text2, 0, 2, 1, 3);
  contestLayout->addWidget(new QLabel(QStringLiteral("FSuelta :")), 1, 0);
  contestLayout->addWidget(Text5, 1, 1);
  contestLayout->addWidget(new QLabel(QStringLiteral("FEnceste")), 1, 2);
  contestLayout->addWidget(Text8, 1, 3);
  auto* member = new QGroupBox(QStringLiteral("&Socios"), this);
  auto* memberLayout = new QGridLayout(member);
  auto* licenceLabel = new QLabel(QStringLiteral("&Licencia :"));
  licenceLabel->setBuddy(Text3);
  memberLayout->addWidget(licenceLabel, 0, 0);
  memberLayout->addWidget(Text3, 0, 1);
  memberLayout->addWidget(Text4, 0, 2);
  memberLayout->addWidget(Text7, 0, 3);

  Option1 = new QRadioButton(QStringLiteral("Enceste"));
  Option1->setObjectName(QStringLiteral("Option1"));
  Option2 = new QRadioButton(QStringLiteral("Comprobacion"));
  Option2->setObjectName(QStringLiteral("Option2"));
  auto* listType = new QGroupBox(QStringLiteral("Tipo de Archivo"), this);
  auto* listTypeLayout = new QHBoxLayout(listType);
  listTypeLayout->addWidget(Option1);
  listTypeLayout->addWidget(Option2);

  Command6 = new QPushButton(QStringLiteral("Leer Reloj"), this);
  Command6->setObjectName(QStringLiteral("Command6"));
  Command1 = new QPushButton(QStringLiteral("Grabar Archivo"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  for (QPushButton* button : {Command6, Command1}) {
    button->setAutoDefault(false);
    button->setEnabled(false);
  }
  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setHeaderLabels(contestColumns());
  for (int column = 0; column < ListView1->columnCount(); ++column) {
    ListView1->setColumnWidth(column, kColumnTwips[column] / 15);
    const Qt::Alignment alignment = column == 0 || column == 9 ? Qt::AlignLeft
                                    : column == 2              ? Qt::AlignRight
                                                               : Qt::AlignHCenter;
    ListView1->headerItem()->setTextAlignment(column, alignment);
  }
  Label35 = new QLabel(QStringLiteral("Palomas Leidas"), this);
  Label35->setObjectName(QStringLiteral("Label35"));
  Label4 = new QLabel(this);
  Label4->setObjectName(QStringLiteral("Label4"));

  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  col3 = toolButton(Toolbar1, "col3", QStringLiteral("Ir a otro Socio"));
  col4 = toolButton(Toolbar1, "col4", QString());
  col6 = toolButton(Toolbar1, "col6", QStringLiteral("Ir a Concurso"));
  col7 = toolButton(Toolbar1, "col7", QString());
  col5 = toolButton(Toolbar1, "col5", QStringLiteral("Salir"));

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(contest, 0, 0, 1, 2);
  layout->addWidget(member, 1, 0, 1, 2);
  layout->addWidget(listType, 2, 0);
  layout->addWidget(Command6, 2, 1);
  layout->addWidget(Text6, 3, 0, 1, 2);
  layout->addWidget(ListView1, 4, 0, 1, 2);
  layout->addWidget(Label35, 5, 0);
  layout->addWidget(Label4, 5, 1);
  layout->addWidget(Command1, 6, 1);

  enterMovesFocus(this);
  selectAllOnFocus(Text1);
  selectAllOnFocus(Text3);
  for (QWidget* watched : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text3),
                           static_cast<QWidget*>(ListView1)}) {
    watched->installEventFilter(this);
  }
  connect(Command6, &QPushButton::clicked, this, [this] { readClock(*this, objectName()); });
  connect(Command1, &QPushButton::clicked, this, &DatosConcur::writeFile);
  connect(col3, &QAction::triggered, this, &DatosConcur::otherMember);
  connect(col6, &QAction::triggered, this, &DatosConcur::otherContest);
  connect(col5, &QAction::triggered, this, &QWidget::close);
  followUnsavedPigeons(ListView1, Command1, Label35, Label4);

  // Opening.
  placeInTwips(this, 500, 0, 12300, 8300);
  formllama.clear();
  for (QAction* button : {col5, col3, col6}) button->setEnabled(true);
}

std::optional<ListKind> DatosConcur::askedList() const {
  if (Option1->isChecked()) return ListKind::Basketing;
  if (Option2->isChecked()) return ListKind::Checking;
  return std::nullopt;
}

QString DatosConcur::contestCode() const {
  return Text1->text().trimmed();
}

QString DatosConcur::licence() const {
  return Text3->text().trimmed();
}

bool DatosConcur::eventFilter(QObject* watched, QEvent* event) {
  const FocusMoves::Move move = focusMoves_.of(static_cast<QWidget*>(watched), event);
  if (move.left != nullptr && move.left == sentBackToList_) {
    sentBackToList_ = nullptr;  // it never took the focus for the user: no lookup
  } else if (move.left != nullptr) {
    focusLeft(move.left);
  }
  if (move.taken != nullptr && mayTakeTheFocus(move.taken)) focusTaken(move.taken);
  if (watched == Text1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
      close();
      return true;
    }
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab && noContests()) {
      showNotice(this, QStringLiteral("No Hay Concursos "), QStringLiteral("Aviso"));
    } else if (isHelpKey(event)) {
      formllama = objectName();
      AConcurso1 browser(this);
      if (browser.exec() == QDialog::Accepted) Text1->setText(browser.picked());
      return true;
    }
  } else if (watched == Text3 && isHelpKey(event)) {
    formllama = objectName();
    ASocio1 browser(this);
    if (browser.exec() == QDialog::Accepted) Text3->setText(browser.picked());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// Going back to the contest or the member by its box asks, as the toolbar does, before unsaved
// pigeons are dropped; on No the list takes the focus back and nothing is emptied.
bool DatosConcur::mayTakeTheFocus(QWidget* control) {
  if ((control != Text1 && control != Text3) || !unsavedPigeons()) return true;
  if (askYesNo(this, kUnsavedQuestion, QStringLiteral("Aviso"))) {
    Text6->clear();
    ListView1->clear();
    return true;
  }
  sentBackToList_ = control;
  QTimer::singleShot(0, ListView1, [this] { ListView1->setFocus(Qt::OtherFocusReason); });
  return false;
}

void DatosConcur::focusTaken(QWidget* control) {
  if (control == Text1) {
    col6->setEnabled(false);
    col3->setEnabled(false);
    // "Leer Reloj" waits for a member found again.
    Command6->setEnabled(false);
    for (QLineEdit* emptied : {Text3, Text4, Text7, Text2, Text8, Text5}) emptied->clear();
    setStatusText(QStringLiteral("Poner Codigo del Concurso  F1 : Ayuda Concursos"));
  } else if (control == Text3) {
    setStatusText(QStringLiteral("Codigo del Socio  F1 : Ayuda Socios"));
    Text4->clear();
    Text7->clear();
    col3->setEnabled(false);
    Command6->setEnabled(false);
  } else if (control == ListView1) {
    col6->setEnabled(true);
    col3->setEnabled(true);
  }
}

void DatosConcur::focusLeft(QWidget* control) {
  if (control == Text1) contestLookup();
  if (control == Text3) memberLookup();
}

void DatosConcur::contestLookup() {
  Text6->clear();
  ListView1->clear();
  col6->setEnabled(true);
  Text1->setText(Text1->text().toUpper());
  const QString code = lookupKey(Text1->text());
  if (code.isEmpty()) return;
  const std::optional<Contest> contest = ContestRegister().findCode(code);
  if (!contest) {
    beep();
    showPlain(this, QStringLiteral("ATENCIÓN:El concurso no existe"));
    Text1->clear();
    focusLater(Text1);
    return;
  }
  const QString shownFormat = QStringLiteral("dd/MM/yyyy");
  Text2->setText(contest->name.toString());
  Text5->setText(shownDate(contest->release, shownFormat));
  Text8->setText(shownDate(contest->basketing, shownFormat));
  (basketingToCome(contest->basketing, QDate::currentDate()) ? Option1 : Option2)
      ->setChecked(true);
}

void DatosConcur::memberLookup() {
  col3->setEnabled(true);
  if (Text3->text().isEmpty()) return;
  const QString licence = lookupKey(Text3->text());
  if (licence.isEmpty()) {
    focusLater(Text3);
    return;
  }
  const std::optional<Member> member = MemberRegister().findLicence(licence);
  if (!member) {
    beep();
    showPlain(this, QStringLiteral("ATENCIÓN:El socio no existe"));
    Text3->clear();
    focusLater(Text3);
    return;
  }
  Text4->setText(member->name.toString());
  Text7->setText(member->clock.isNull() ? QStringLiteral("0") : member->clock.toString());
  Command6->setEnabled(true);
}

void DatosConcur::writeFile() {
  if (ListView1->topLevelItemCount() == 0) return;
  const WrittenFile written = GrabaConcurso(
      {toAnsi(Text6->text()), contestRows(*ListView1), toAnsi(Text1->text()), toAnsi(Text3->text()),
       toAnsi(rsConfig.value(QStringLiteral("confmsdos")).toString()), localToday()});
  if (!written.ok) {
    showWarning(this, QString::fromStdString(written.error), QStringLiteral("Aviso"));
    return;
  }
  Label4->setText(QStringLiteral("%1 Palomas Grabadas").arg(written.pigeonLines));
  Label4->repaint();
  showNotice(this,
             QStringLiteral("El Archivo : %1.Txt ha sido creado\n%2")
                 .arg(QString::fromStdU16String(written.path.stem().u16string()),
                      shownPath(written.path)),
             QStringLiteral("Aviso"));
  Command1->setEnabled(false);
  ListView1->setFocus();
}

bool DatosConcur::unsavedPigeons() const {
  return ListView1->topLevelItemCount() > 0 && Command1->isEnabled();
}

bool DatosConcur::dropUnsavedPigeons() {
  return !unsavedPigeons() || askYesNo(this, kUnsavedQuestion, QStringLiteral("Aviso"));
}

void DatosConcur::otherMember() {
  const bool unsaved = unsavedPigeons();
  if (!dropUnsavedPigeons()) return;
  if (unsaved) {
    Text6->clear();
    ListView1->clear();
  }
  for (QLineEdit* emptied : {Text3, Text4, Text7}) emptied->clear();
  Command1->setEnabled(false);
  Command6->setEnabled(false);
  col3->setEnabled(false);
  col6->setEnabled(true);
  Text3->setFocus();
}

void DatosConcur::otherContest() {
  const bool unsaved = unsavedPigeons();
  if (!dropUnsavedPigeons()) return;
  if (unsaved) {
    Text6->clear();
    ListView1->clear();
    Command1->setEnabled(false);
    Command6->setEnabled(false);
    col6->setEnabled(false);
  } else {
    Text3->clear();
  }
  col3->setEnabled(true);
  Text1->clear();
  Text1->setFocus();
}

}  // namespace kvt
