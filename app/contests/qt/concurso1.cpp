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

#include "app_state.h"
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
      wactual = ListView1->topLevelItem(next)->text(0).trimmed();
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool Concurso1::hasContests() const {
  return !contests_.contests().empty();
}

void Concurso1::fillList(std::int64_t selected) {
  fillContestList(ListView1, contests_, order_, selected);
  if (selected != 0 && selectedRow(ListView1) != nullptr) {
    position_ = ListView1->indexOfTopLevelItem(selectedRow(ListView1)) + 1;
    return;
  }
  if (wactual.isEmpty()) position_ = 1;
  if (position_ >= 1 && position_ <= ListView1->topLevelItemCount())
    selectRow(ListView1, ListView1->topLevelItem(position_ - 1));
}

bool Concurso1::written(const Saved& saved) {
  return writtenOrTold(this, saved, [this] {
    // A change another program got in first keeps what was typed, now over the contest as it is
    // stored, or as a new contest when it is gone; its dates are then read as they are shown.
    const bool typing = changed_ && !Frame6->isHidden();
    fillList(typing ? changed_->id : 0);
    if (typing) {
      const Contest* stored = findById(contests_.contests(), changed_->id);
      changed_ = stored != nullptr ? std::optional<Contest>(*stored) : std::nullopt;
      givenBasketing_.clear();
      givenRelease_.clear();
      Text6->setFocus();
    } else {
      Frame6->hide();
    }
    setToolbarState();
  });
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
  changed_.reset();
  Frame6->show();
  Text6->setFocus();
}

void Concurso1::modify() {
  modoEdicion = true;
  const Contest* contest = selectedContest(ListView1, contests_);
  if (contest == nullptr) return;
  changed_ = *contest;
  Text6->setText(contest->code.trimmed());
  Text5->setText(contest->name.toString().trimmed().toUpper());
  // The whole dates: the list shows only two digits of the year.
  const auto panelText = [](const QVariant& stored) {
    const std::optional<QDate> date = contestDate(stored);
    return date ? date->toString(QStringLiteral("dd/MM/yyyy")) : QString();
  };
  Text18->setText(panelText(contest->basketing));
  Text20->setText(panelText(contest->release));
  givenBasketing_ = Text18->displayText();
  givenRelease_ = Text20->displayText();
  Frame6->show();
  Text6->setFocus();
}

void Concurso1::save() {
  // A code left as it was shown keeps what is stored and is no new claim on a code that another
  // contest may share with it.
  const bool codeKept = changed_ && Text6->text() == changed_->code.trimmed();
  const QString code = codeKept ? changed_->code : Text6->text();
  const std::int64_t contest = changed_ ? changed_->id : 0;
  if (const QString refusal = codeKept ? QString() : contests_.codeRefusal(code, contest);
      !refusal.isEmpty()) {
    showNotice(this, refusal, QStringLiteral("Aviso"));
    Text6->setFocus();
    return;
  }
  // A new contest has nothing stored: an empty box stays Null.
  const QString blank = QStringLiteral("__/__/____");
  const std::optional<QVariant> enceste =
      panelDate(Text18->displayText(), changed_ ? givenBasketing_ : blank,
                changed_ ? changed_->basketing : QVariant());
  const std::optional<QVariant> suelta =
      panelDate(Text20->displayText(), changed_ ? givenRelease_ : blank,
                changed_ ? changed_->release : QVariant());
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
  const ContestEntry entry{code, Text5->text(), *suelta, *enceste};
  const Saved saved = changed_ ? contests_.change(*changed_, entry) : contests_.add(entry);
  if (!written(saved)) return;
  Frame6->hide();
  changed_.reset();
  fillList(saved.id);
  setToolbarState();
  ListView1->setFocus();
}

void Concurso1::remove() {
  if (!hasContests()) return;
  QTreeWidgetItem* row = selectedRow(ListView1);
  const Contest* listed = selectedContest(ListView1, contests_);
  if (row == nullptr || listed == nullptr) return;
  const Contest contest = *listed;
  position_ = ListView1->indexOfTopLevelItem(row) + 1;
  if (!askYesNo(this, QStringLiteral("¿Desea Borrar el Concurso?"), QStringLiteral("Atención"))) {
    selectRow(ListView1, row);
    ListView1->setFocus();
    return;
  }
  if (!written(contests_.remove(contest))) return;
  const int removedAt = position_;
  fillList();
  // The row that took the removed one's place, or the last one.
  const int rows = ListView1->topLevelItemCount();
  position_ = std::min(removedAt, std::max(rows, 1));
  if (rows > 0) selectRow(ListView1, ListView1->topLevelItem(position_ - 1));
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
