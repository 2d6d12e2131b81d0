// The program's questions and notices speak Spanish, Qt's own buttons too.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include "messages.h"
#include "shell_fixture.h"
#include "widget_steps.h"

namespace kvt {
namespace {

class SpanishDialogsTest : public testing::ShellTest {};

TEST_F(SpanishDialogsTest, AQuestionAndANoticeShowSpanishButtons) {
  QTranslator spanish;
  ASSERT_TRUE(speakSpanish(spanish, programFolder())) << "qt6-translations-l10n missing";
  answerMessagesWith({});
  QStringList questionButtons, noticeButtons;
  const auto buttonTexts = [](QWidget* window, QStringList& texts) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_NE(box, nullptr);
    for (const QAbstractButton* button : box->buttons()) texts << button->text();
  };
  testing::whenModalOpens([&](QWidget* window) {
    buttonTexts(window, questionButtons);
    static_cast<QMessageBox*>(window)->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(askYesNo(nullptr, QStringLiteral("¿Desea Borrar el Socio?"),
                        QStringLiteral("Atención")));
  testing::whenModalOpens([&](QWidget* window) {
    buttonTexts(window, noticeButtons);
    static_cast<QMessageBox*>(window)->accept();
  });
  showNotice(nullptr, QStringLiteral("Licencia Existente "), QStringLiteral("Aviso"));
  QCoreApplication::removeTranslator(&spanish);
  questionButtons.sort();
  EXPECT_EQ(questionButtons, QStringList({"&No", "&Sí"}));
  EXPECT_EQ(noticeButtons, QStringList({"Aceptar"}));
}

}  // namespace
}  // namespace kvt
