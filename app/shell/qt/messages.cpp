#include "messages.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace kvt {

namespace {

std::function<bool(const Message&)>& answerer() {
  static std::function<bool(const Message&)> answer;
  return answer;
}

QString titleOr(const QString& title) {
  return title.isEmpty() ? QApplication::applicationName() : title;
}

}  // namespace

void showPlain(QWidget* parent, const QString& text) {
  if (answerer()) {
    answerer()({MessageKind::Plain, text, titleOr({})});
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, titleOr({}), text, QMessageBox::Ok, parent);
  box.exec();
}

void showNotice(QWidget* parent, const QString& text, const QString& title) {
  if (answerer()) {
    answerer()({MessageKind::Notice, text, titleOr(title)});
    return;
  }
  QMessageBox::information(parent, titleOr(title), text);
}

void showWarning(QWidget* parent, const QString& text, const QString& title) {
  if (answerer()) {
    answerer()({MessageKind::Warning, text, titleOr(title)});
    return;
  }
  QMessageBox::warning(parent, titleOr(title), text);
}

bool askYesNo(QWidget* parent, const QString& text, const QString& title) {
  if (answerer()) return answerer()({MessageKind::Question, text, title});
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
  return box.exec() == QMessageBox::Yes;
}

void beep() {
  if (answerer()) {
    answerer()({MessageKind::Beep, {}, {}});
    return;
  }
  QApplication::beep();
}

void answerMessagesWith(std::function<bool(const Message&)> answer) {
  answerer() = std::move(answer);
}

bool speakSpanish(QTranslator& translator, const QString& programFolder) {
  const QLocale spanish(QLocale::Spanish, QLocale::Spain);
  for (const QString& folder : {programFolder + QStringLiteral("/translations"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator.load(spanish, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
      return QCoreApplication::installTranslator(&translator);
  }
  return false;
}

QString shownPath(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

}  // namespace kvt
