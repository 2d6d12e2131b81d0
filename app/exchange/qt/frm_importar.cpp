#include "frm_importar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "access_database.h"
#include "exchange_boxes.h"
#include "messages.h"
#include "register_parts.h"

namespace kvt {

namespace {

// The rows the preview shows from the start of the file; every refused row is shown besides.
constexpr std::size_t kPreviewRows = 20;
// The refused rows the closing report names one by one.
constexpr std::size_t kReportedRows = 30;

QString qt(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool isAccessFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("mdb") || suffix == QLatin1String("accdb");
}

}  // namespace

void importFile(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(
      parent, QStringLiteral("Importar"), QString(),
      QStringLiteral("Bases de datos y hojas de cálculo (*.mdb *.accdb *.csv *.txt);;"
                     "Todos los archivos (*)"));
  if (path.isEmpty()) return;
  frmImportar window(path, parent);
  if (const QString error = window.load(); !error.isEmpty()) {
    showWarning(parent, error);
    return;
  }
  window.exec();
}

frmImportar::frmImportar(const QString& path, QWidget* parent) : QDialog(parent), path_(path) {
  setObjectName(QStringLiteral("frmImportar"));
  setWindowTitle(QStringLiteral("Importar ") + QFileInfo(path).fileName());
  resize(760, 560);
  Combo1 = namedBox(this, "Combo1");
  Combo1->addItems({QStringLiteral("Socios"), QStringLiteral("Concursos")});
  Combo2 = namedBox(this, "Combo2");
  Combo3 = separatorBox(this, "Combo3");
  Combo4 = encodingBox(this, "Combo4", "UTF-8");
  auto* source = new QFormLayout;
  source->addRow(QStringLiteral("Registro"), Combo1);
  source->addRow(QStringLiteral("Tabla"), Combo2);
  source->addRow(QStringLiteral("Separador"), Combo3);
  source->addRow(QStringLiteral("Codificación"), Combo4);
  const bool access = isAccessFile(path);
  source->setRowVisible(Combo2, access);
  source->setRowVisible(Combo3, !access);
  source->setRowVisible(Combo4, !access);
  Frame1 = new QGroupBox(QStringLiteral("Columnas"), this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  columns_ = new QFormLayout(Frame1);
  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setRootIsDecorated(false);
  ListView1->setSelectionMode(QAbstractItemView::NoSelection);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setValue(0);
  Command1 = panelButton("Command1", QStringLiteral("Importar"));
  Command2 = panelButton("Command2", QStringLiteral("Cancelar"));

  auto* top = new QHBoxLayout;
  top->addLayout(source, 1);
  top->addWidget(Frame1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ProgressBar1, 1);
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(ListView1, 1);
  layout->addWidget(Label1);
  layout->addLayout(buttons);

  connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
    showFields();
    check();
  });
  for (QComboBox* box : {Combo2, Combo3, Combo4}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] {
      readTable();
      showFields();
      check();
    });
  }
  connect(Command1, &QPushButton::clicked, this, &frmImportar::run);
  connect(Command2, &QPushButton::clicked, this, &frmImportar::reject);
}

frmImportar::~frmImportar() = default;

QString frmImportar::load() {
  const QSignalBlocker blocks[] = {QSignalBlocker(Combo1), QSignalBlocker(Combo2),
                                   QSignalBlocker(Combo3), QSignalBlocker(Combo4)};
  if (isAccessFile(path_)) {
    std::string error;
    database_ = AccessDatabase::open(path_.toStdString(), error);
    if (!database_) return QString::fromStdString(error);
    for (const std::string& table : database_->tables()) Combo2->addItem(QString::fromStdString(table));
    if (Combo2->count() == 0)
      return QStringLiteral("La base de datos %1 no tiene ninguna tabla.").arg(path_);
  } else {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
      return QStringLiteral("No se puede leer el archivo %1: %2").arg(path_, file.errorString());
    bytes_ = file.readAll();
    const CsvShape shape = detectCsvShape(std::string_view(bytes_.constData(), static_cast<std::size_t>(bytes_.size())));
    Combo3->setCurrentIndex(Combo3->findData(QChar(QLatin1Char(shape.separator))));
    Combo4->setCurrentIndex(Combo4->findData(static_cast<int>(shape.encoding)));
  }
  readTable();
  Combo1->setCurrentIndex(registerOfHeaders(source_.headers) == RegisterKind::Members ? 0 : 1);
  showFields();
  check();
  return {};
}

RegisterKind frmImportar::kind() const {
  return Combo1->currentIndex() == 0 ? RegisterKind::Members : RegisterKind::Contests;
}

QComboBox* frmImportar::columnBox(const QString& field) const {
  for (QComboBox* box : boxes_) {
    if (box->objectName() == field) return box;
  }
  return nullptr;
}

void frmImportar::readTable() {
  if (database_) {
    AccessTable table;
    std::string error;
    if (!database_->read(Combo2->currentText().toStdString(), table, error))
      showWarning(this, QString::fromStdString(error));
    source_ = accessSource(table);
  } else {
    source_ = csvSource(bytes_, {separatorOf(Combo3), encodingOf(Combo4)});
  }
}

void frmImportar::showFields() {
  while (columns_->rowCount() > 0) columns_->removeRow(0);
  boxes_.clear();
  const std::vector<RegisterField>& fields = registerFields(kind());
  const std::vector<int> preset = presetMapping(source_.headers, fields);
  for (std::size_t f = 0; f < fields.size(); ++f) {
    auto* box = new QComboBox(Frame1);
    box->setObjectName(qt(fields[f].column));
    box->addItem(QStringLiteral("(ninguna)"), -1);
    for (std::size_t h = 0; h < source_.headers.size(); ++h)
      box->addItem(qt(source_.headers[h]), static_cast<int>(h));
    box->setCurrentIndex(box->findData(preset[f]));
    connect(box, &QComboBox::currentIndexChanged, this, &frmImportar::check);
    columns_->addRow(qt(fields[f].label), box);
    boxes_ << box;
  }
}

void frmImportar::check() {
  const std::vector<RegisterField>& fields = registerFields(kind());
  std::vector<int> mapping;
  for (QComboBox* box : boxes_) mapping.push_back(box->currentData().toInt());
  std::vector<std::u16string> keys;
  QString error;
  if (!registerKeys(kind(), keys, error)) showWarning(this, error);
  checked_ = checkRows(mappedRows(source_.rows, mapping), fields, keys);

  QStringList headers{QStringLiteral("Fila")};
  for (const RegisterField& field : fields) headers << qt(field.label);
  headers << QStringLiteral("Motivo");
  ListView1->clear();
  ListView1->setHeaderLabels(headers);
  int refused = 0;
  for (std::size_t r = 0; r < checked_.size(); ++r) {
    const CheckedRow& row = checked_[r];
    const bool stored = row.refusal == RowRefusal::None;
    if (!stored) ++refused;
    if (stored && r >= kPreviewRows) continue;
    QStringList texts{QString::number(static_cast<int>(r) + source_.firstRow)};
    if (stored) {
      for (const QString& cell : storedCells(kind(), row)) texts << cell;
      texts << QString();
    } else {
      for (const std::u16string& cell : row.cells) texts << qt(cell);
      texts << QStringLiteral("No se grabará: ") + refusalText(kind(), row, source_.firstRow);
    }
    ListView1->addTopLevelItem(new QTreeWidgetItem(texts));
  }
  ListView1->header()->resizeSections(QHeaderView::ResizeToContents);
  const int total = static_cast<int>(checked_.size());
  Label1->setText(QStringLiteral("%1 filas: %2 se grabarán, %3 no.")
                      .arg(total)
                      .arg(total - refused)
                      .arg(refused));
  Command1->setEnabled(total > refused);
}

void frmImportar::run() {
  std::vector<QString> skipped;
  for (std::size_t r = 0; r < checked_.size(); ++r) {
    if (checked_[r].refusal != RowRefusal::None)
      skipped.push_back(QStringLiteral("fila %1: %2")
                            .arg(static_cast<int>(r) + source_.firstRow)
                            .arg(refusalText(kind(), checked_[r], source_.firstRow)));
  }
  if (!skipped.empty() &&
      !askYesNo(this,
                QStringLiteral("%1 filas no se pueden grabar; la lista las muestra con el motivo.\n"
                               "¿Desea grabar las demás y saltar esas? Con No no se graba nada.")
                    .arg(skipped.size()),
                QStringLiteral("Atención"))) {
    return;
  }
  setEnabled(false);
  ProgressBar1->setRange(0, static_cast<int>(checked_.size()));
  const ImportOutcome outcome = importRows(kind(), checked_, [this](int done, int total) {
    // The bar moves and the window is drawn again without waiting for the end of a large file.
    if (done % 50 != 0 && done != total) return;
    ProgressBar1->setValue(done);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  setEnabled(true);
  if (!outcome.error.isEmpty()) {
    ProgressBar1->setValue(0);
    showWarning(this, QStringLiteral("No se ha importado nada; el registro de %1 queda como estaba.\n%2")
                          .arg(registerName(kind()), outcome.error));
    return;
  }
  ProgressBar1->setValue(ProgressBar1->maximum());
  QString report = QStringLiteral("Importación en el registro de %1 terminada.\nAñadidos: %2\nSaltados: %3")
                       .arg(registerName(kind()))
                       .arg(outcome.added)
                       .arg(skipped.size());
  for (std::size_t i = 0; i < skipped.size() && i < kReportedRows; ++i)
    report += QStringLiteral("\n   ") + skipped[i];
  if (skipped.size() > kReportedRows)
    report += QStringLiteral("\n   y %1 filas más").arg(skipped.size() - kReportedRows);
  showNotice(this, report, QStringLiteral("Aviso"));
  accept();
}

}  // namespace kvt
