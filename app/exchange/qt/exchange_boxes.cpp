#include "exchange_boxes.h"

#include <QComboBox>

namespace kvt {

QComboBox* namedBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  return box;
}

QComboBox* separatorBox(QWidget* parent, const char* name) {
  QComboBox* box = namedBox(parent, name);
  box->addItem(QStringLiteral("Punto y coma (;)"), QChar(u';'));
  box->addItem(QStringLiteral("Coma (,)"), QChar(u','));
  return box;
}

char separatorOf(const QComboBox* box) {
  return box->currentData().toChar().toLatin1();
}

QComboBox* encodingBox(QWidget* parent, const char* name, const char* utf8) {
  QComboBox* box = namedBox(parent, name);
  box->addItem(QStringLiteral("Windows-1252"), static_cast<int>(TextEncoding::Windows1252));
  box->addItem(QString::fromUtf8(utf8), static_cast<int>(TextEncoding::Utf8));
  return box;
}

TextEncoding encodingOf(const QComboBox* box) {
  return static_cast<TextEncoding>(box->currentData().toInt());
}

}  // namespace kvt
