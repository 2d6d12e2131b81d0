// Every message box, question and beep of the program goes through here, so that the texts and
// titles stay the program's own and tests can answer them without a person.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>

class QTranslator;
class QWidget;

namespace kvt {

enum class MessageKind { Plain, Notice, Warning, Question, Beep };

struct Message {
  MessageKind kind;
  QString text;
  QString title;
};

// A message with an OK button and no icon, under the program's title.
void showPlain(QWidget* parent, const QString& text);
// A notice with an OK button; an empty title is the program's.
void showNotice(QWidget* parent, const QString& text, const QString& title = {});
// A notice that something failed, with the warning icon.
void showWarning(QWidget* parent, const QString& text, const QString& title = {});
// A question with Yes and No; true on Yes.
bool askYesNo(QWidget* parent, const QString& text, const QString& title);
void beep();

// Qt's own texts, the Yes and No of a question, the OK of a notice and the print and file
// dialogs, in Spanish: Qt's Spanish translations ("qtbase_es"), from the translations folder
// beside the program or Qt's own, loaded into translator and installed. False when none is found;
// Qt then speaks English.
bool speakSpanish(QTranslator& translator, const QString& programFolder);

// A file's full path as a message shows it, in the platform's own separators.
QString shownPath(const std::filesystem::path& path);

// Tests: from here on every message is handed to answer instead of a person (its result answers
// questions); an empty function gives the real boxes back.
void answerMessagesWith(std::function<bool(const Message&)> answer);

}  // namespace kvt
