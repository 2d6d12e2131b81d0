#include "concurso1.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ansi_text.h"
#include "app_state.h"
#include "contest_dates.h"
#include "databases.h"
#include "form_keys.h"
#include "frm_main.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

namespace {

const QString kTitle = QStringLiteral("Mantenimiento de Concursos");

// A date box "##/##/####" that reads "__/__/____" while empty.
QLineEdit* dateBox(const char* name) {
  QLineEdit* box = panelBox(name);
  box->setInputMask(QStringLiteral("00/00/0000;_"));
  return box;
}

bool isBlankMask(const QString& text) {
  return text == QLatin1String("__/__/____");
}

// The date of a box, Null for an empty one; none for a text that is no date.
std::optional<QVariant> boxDate(const QLineEdit* box) {
  const QString text = box->displayText();
  if (isBlankMask(text)) return QVariant();
  const auto date = readDayMonthYear(toAnsi(text));
  if (!date) return std::nullopt;
  return QVariant(QDate(date->year, date->month, date->day));
}

}  // namespace

Concurso1::Concurso1(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Concurso1"));

  ListView1 = contestList(this);
  const OrderPanel orderBox = orderPanel(this, QStringLiteral("&Codigo"), QStringLiteral("&Fecha"));
  Frame3 = orderBox.Frame3;
  Option1 = orderBox.Option1;
  Option2 = orderBox.Option2;

  Toolbar1 = new QToolBar(this);
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  so3 = toolButton(Toolbar1, "so3", QStringLiteral("Grabar uno nuevo"));
  so5 = toolButton(Toolbar1, "so5", QStringLiteral("Borrar "));
  so7 = toolButton(Toolbar1, "so7", QStringLiteral("Modificar el Concurso"));
  so9 = toolButton(Toolbar1, "so9", QStringLiteral("Buscar"));
  so18 = toolButton(Toolbar1, "so18", QStringLiteral("Salir "));

  Frame6 = hiddenPanel(this, "Frame6");
  Text6 = panelBox("Text6");
  Text6->setMaxLength(5);
  Text5 = panelBox("Text5");
  Text18 = dateBox("Text18");
  Text20 = dateBox("Text20");
  Command7 = panelButton("Command7", QStringLiteral("Aceptar"));
  Command8 = panelButton("Command8", QStringLiteral("Cancelar"));
  auto* panelLayout = new QFormLayout(Frame6);
  panelLayout->addRow(QStringLiteral("Codigo"), Text6);
  panelLayout->addRow(QStringLiteral("Nombre"), Text5);
  panelLayout->addRow(QStringLiteral("Enceste"), Text18);
  panelLayout->addRow(QStringLiteral("Suelta"), Text20);
  auto* panelButtons = new QHBoxLayout;
  panelButtons->addWidget(Command7);
  panelButtons->addWidget(Command8);
  panelLayout->addRow(panelButtons);

  const SearchPanel searchBox = searchPanel(this);
  Frame1 = searchBox.Frame1;
  Text1 = searchBox.Text1;
  Command1 = searchBox.Command1;
  Command2 = searchBox.Command2;

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(Toolbar1);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Frame3);
  layout->addWidget(Frame6);
  layout->addWidget(Frame1);

  enterMovesFocus(this);
  selectAllOnFocus(Text1);
  for (QObject* watched : {static_cast<QObject*>(Option1), static_cast<QObject*>(Option2),
                           static_cast<QObject*>(Text5), static_cast<QObject*>(Text1),
                           static_cast<QObject*>(ListView1)}) {
    watched->installEventFilter(this);
  }
  connect(so3, &QAction::triggered, this, &Concurso1::add);
  connect(so5, &QAction::triggered, this, &Concurso1::remove);
  connect(so7, &QAction::triggered, this, &Concurso1::modify);
  connect(so9, &QAction::triggered, this, &Concurso1::startSearch);
  connect(so18, &QAction::triggered, this, &QWidget::close);
  connect(Command7, &QPushButton::clicked, this, &Concurso1::save);
  connect(Command8, &QPushButton::clicked, this, [this] {
    Frame6->hide();
    ListView1->setFocus();
  });
  connect(Command1, &QPushButton::clicked, this, &Concurso1::search);
  connect(Command2, &QPushButton::clicked, this, &Concurso1::endSearch);

  // Opening.
  order_ = configuredContestOrder();
  (order_ == ContestOrder::Code ? Option1 : Option2)->setChecked(true);
  setWindowTitle(QStringLiteral("Mantenimiento de Concursos , Año: ") +
                 QString::number(QDate::currentDate().year()));
  placeInTwips(this, 250, 0, 8800, 8900);
  fillList();
  setToolbarState();
  ListView1->setFocus();
}

bool Concurso1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    setStatusText(kTitle);
    setToolbarState();
  }
  return QDialog::event(event);
}

void Concurso1::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the register and drop what the panels hold.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

bool Concurso1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && isFocusStep(event)) {
    if (watched == Option1) chooseOrder(ContestOrder::Code);
    if (watched == Option2) chooseOrder(ContestOrder::Date);
    if (watched == Text1)
      Text1->setText(order_ == ContestOrder::Code ? QStringLiteral("00000") : kBlankDatePattern);
  } else if (watched == Text5 && event->type() == QEvent::FocusOut) {
    Text5->setText(Text5->text().toUpper());
  } else if (watched == ListView1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int rows = ListView1->topLevelItemCount();
    QTreeWidgetItem* current = ListView1->currentItem();
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && rows > 0 && current != nullptr &&
        hasContests()) {
      const int at = ListView1->indexOfTopLevelItem(current);
      const int next = key == Qt::Key_Down ? std::min(at + 1, rows - 1) : std::max(at - 1, 0);
      wactual = rowTag(ListView1->topLevelItem(next)).trimmed();
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool Concurso1::hasContests() const {
  return rsConcurso.recordCount() > 0;
}

void Concurso1::fillList() {
  if (!fillContestList(ListView1, order_)) return;
  if (wactual.isEmpty()) position_ = 1;
  if (position_ >= 1 && position_ <= ListView1->topLevelItemCount())
    selectRow(ListView1, ListView1->topLevelItem(position_ - 1));
}

void Concurso1::chooseOrder(ContestOrder order) {
  order_ = order;
  (order == ContestOrder::Code ? Option1 : Option2)->setChecked(true);
  position_ = 1;
  fillList();
  ListView1->setFocus();
}

void Concurso1::setToolbarState() {
  const bool searching = !Frame1->isHidden();
  const bool listed = ListView1->topLevelItemCount() > 0;
  so3->setEnabled(!searching);
  so18->setEnabled(!searching);
  for (QAction* button : {so5, so7, so9}) button->setEnabled(!searching && listed);
}

void Concurso1::add() {
  modoEdicion = false;
  Frame6->show();
  Text6->setFocus();
}

void Concurso1::modify() {
  modoEdicion = true;
  if (!hasContests()) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  if (row == nullptr) return;
  modifiedCode_ = rowTag(row).trimmed();
  Text6->setText(modifiedCode_);
  Text5->setText(row->text(kNameColumn));
  // The stored dates, whole: the list shows only two digits of the year.
  const auto fullDate = [row](int column) {
    return row->data(column, Qt::UserRole).toDate().toString(QStringLiteral("dd/MM/yyyy"));
  };
  Text18->setText(fullDate(kEncesteColumn));
  Text20->setText(fullDate(kSueltaColumn));
  Frame6->show();
  Text6->setFocus();
}

void Concurso1::save() {
  const QString code = Text6->text().trimmed();
  if (code.isEmpty()) {
    showNotice(this, QStringLiteral("Escriba el código del concurso."), QStringLiteral("Aviso"));
    Text6->setFocus();
    return;
  }
  const std::optional<QVariant> enceste = boxDate(Text18);
  const std::optional<QVariant> suelta = boxDate(Text20);
  for (const auto& [date, box, name] :
       {std::tuple{enceste, Text18, "enceste"}, std::tuple{suelta, Text20, "suelta"}}) {
    if (!date) {
      showNotice(this,
                 QStringLiteral("La fecha de %1 %2 no es una fecha válida; escríbala como "
                                "dd/mm/aaaa o déjela vacía.")
                     .arg(QLatin1String(name), box->displayText()),
                 QStringLiteral("Aviso"));
      box->setFocus();
      return;
    }
  }

  RecordSet contests;
  if (!contests.open(kPalConnection, QStringLiteral("select * from concurso order by cocodigo"))) {
    showWarning(this, contests.lastError());
    return;
  }
  // Two contests with one code could not both be read: the reading screen finds the first.
  for (contests.moveFirst(); !contests.eof(); contests.moveNext()) {
    const QString stored = contests.value(QStringLiteral("cocodigo")).toString().trimmed();
    const bool itself = modoEdicion && stored.compare(modifiedCode_, Qt::CaseInsensitive) == 0;
    if (!itself && stored.compare(code, Qt::CaseInsensitive) == 0) {
      showNotice(this, QStringLiteral("Ya existe un concurso con el código %1.").arg(code),
                 QStringLiteral("Aviso"));
      Text6->setFocus();
      return;
    }
  }
  if (modoEdicion) {
    contests.findFirst({QStringLiteral("cocodigo"), Criterion::Test::TrimmedEquals, modifiedCode_});
    if (contests.noMatch() || !contests.edit()) {
      showWarning(this, QStringLiteral("El concurso %1 ya no está en la base de datos; no se ha "
                                       "modificado nada.")
                            .arg(modifiedCode_));
      Frame6->hide();
      fillList();
      setToolbarState();
      return;
    }
  } else {
    contests.addNew();
  }
  contests.setValue(QStringLiteral("cocodigo"), code);
  contests.setValue(QStringLiteral("conombre"), Text5->text().toUpper());
  contests.setValue(QStringLiteral("cofecha"), *suelta);
  contests.setValue(QStringLiteral("coenceste"), *enceste);
  if (!contests.update()) {
    contests.cancelUpdate();
    showWarning(this, contests.lastError());
    return;
  }
  Frame6->hide();
  fillList();
  setToolbarState();
}

void Concurso1::remove() {
  if (!hasContests()) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  if (row == nullptr) return;
  const QString code = rowTag(row).trimmed();
  position_ = ListView1->indexOfTopLevelItem(row) + 1;
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar el Concurso?"), QStringLiteral("Atención"))) {
    selectRow(ListView1, row);
    ListView1->setFocus();
    return;
  }
  rsConcurso.findFirst({QStringLiteral("cocodigo"), Criterion::Test::TrimmedEquals, code});
  if (rsConcurso.noMatch()) {
    showWarning(this, QStringLiteral("El concurso %1 no está en la base de datos; no se ha "
                                     "borrado nada.")
                          .arg(code));
    return;
  }
  if (!rsConcurso.remove()) {
    showWarning(this, rsConcurso.lastError());
    return;
  }
  delete row;
  QTreeWidgetItem* selected = ListView1->currentItem();
  position_ = selected != nullptr ? ListView1->indexOfTopLevelItem(selected) + 1 : 1;
  selectRow(ListView1, selected);
  ListView1->setFocus();
}

void Concurso1::startSearch() {
  if (!hasContests()) return;
  for (QAction* button : {so3, so5, so7, so9, so18}) button->setEnabled(false);
  Frame1->setTitle(order_ == ContestOrder::Code ? QStringLiteral("Patron de Busqueda por Codigo")
                                                : QStringLiteral("Patron de Busqueda por Fecha"));
  openSearchPanel(Frame1, Frame3, Text1);
}

void Concurso1::search() {
  if (showSearchResult(ListView1, findContest(ListView1, order_, Text1->text()), Text1))
    endSearch();
}

void Concurso1::endSearch() {
  closeSearchPanel(Frame1, Frame3);
  setToolbarState();
  if (ListView1->topLevelItemCount() > 0) ListView1->setFocus();
}

}  // namespace kvt
