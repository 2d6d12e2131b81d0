#include "frm_exportar.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ansi_text.h"
#include "databases.h"
#include "exchange_boxes.h"
#include "messages.h"
#include "output_file.h"
#include "register_parts.h"
#include "register_exchange.h"

namespace kvt {

namespace {

RegisterKind kindOf(const QComboBox* box) {
  return box->currentIndex() == 0 ? RegisterKind::Members : RegisterKind::Contests;
}

}  // namespace

frmExportar::frmExportar(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmExportar"));
  setWindowTitle(QStringLiteral("Exportar"));
  Combo1 = namedBox(this, "Combo1");
  Combo1->addItems({QStringLiteral("Socios"), QStringLiteral("Concursos")});
  Combo2 = separatorBox(this, "Combo2");
  Combo3 = encodingBox(this, "Combo3", "UTF-8 con BOM");
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setMinimumWidth(320);
  Command3 = panelButton("Command3", QStringLiteral("..."));
  Command1 = panelButton("Command1", QStringLiteral("Exportar"));
  Command2 = panelButton("Command2", QStringLiteral("Cancelar"));

  auto* file = new QHBoxLayout;
  file->addWidget(Text1, 1);
  file->addWidget(Command3);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Registro"), Combo1);
  form->addRow(QStringLiteral("Separador"), Combo2);
  form->addRow(QStringLiteral("Codificación"), Combo3);
  form->addRow(QStringLiteral("Archivo"), file);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  proposeFile();
  connect(Combo1, &QComboBox::currentIndexChanged, this, &frmExportar::proposeFile);
  connect(Command3, &QPushButton::clicked, this, &frmExportar::chooseFile);
  connect(Command1, &QPushButton::clicked, this, &frmExportar::run);
  connect(Command2, &QPushButton::clicked, this, &frmExportar::reject);
}

void frmExportar::proposeFile() {
  // Beside the club's other files, in the documents folder; a name the user typed keeps its folder.
  const QString folder =
      Text1->text().isEmpty()
          ? QString::fromStdString(
                documentsRoot(toAnsi(rsConfig.value(QStringLiteral("confmsdos")).toString()))
                    .string())
          : QFileInfo(Text1->text()).absolutePath();
  Text1->setText(QDir(folder).filePath(registerName(kindOf(Combo1)) + QStringLiteral(".csv")));
}

void frmExportar::chooseFile() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar"), Text1->text(),
                                                    QStringLiteral("Hojas de cálculo (*.csv)"));
  if (!path.isEmpty()) Text1->setText(path);
}

void frmExportar::run() {
  const RegisterKind kind = kindOf(Combo1);
  int records = 0;
  QString error;
  const QByteArray bytes = exportCsv(kind, separatorOf(Combo2), encodingOf(Combo3), records, error);
  if (!error.isEmpty()) {
    showWarning(this, error);
    return;
  }
  const std::filesystem::path file(Text1->text().toStdU16String());
  if (const auto failure = replaceFileContent(file, bytes.toStdString())) {
    showWarning(this, QString::fromStdString(*failure));
    return;
  }
  showNotice(this,
             QStringLiteral("Se han exportado %1 %2 al archivo %3.")
                 .arg(records)
                 .arg(registerName(kind), shownPath(file)),
             QStringLiteral("Aviso"));
  accept();
}

}  // namespace kvt
