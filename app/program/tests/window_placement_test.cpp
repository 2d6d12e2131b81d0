// Every window of the program, frame included, on the screen; the reading screens clear of the
// main window's status bar, which carries their prompts.
#include <QApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include "app_state.h"
#include "concurso1.h"
#include "datos_concur.h"
#include "datos_palo.h"
#include "frm_kvt_monitor.h"
#include "frm_main.h"
#include "on_screen.h"
#include "shell_fixture.h"

namespace kvt {
namespace {

struct FitCase {
  const char* name;
  QRect frame;
  std::optional<QRect> statusBar;
  QRect fitted;
};

void PrintTo(const FitCase& c, std::ostream* out) {
  *out << c.name;
}

class FittedFrame : public ::testing::TestWithParam<FitCase> {};

TEST_P(FittedFrame, StaysOnTheScreen) {
  const FitCase& c = GetParam();
  EXPECT_EQ(fittedFrame(c.frame, QRect(0, 0, 1600, 1000), c.statusBar, 300), c.fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FittedFrame,
    ::testing::Values(
        FitCase{"InsideIsLeftAlone", {33, 0, 820, 580}, std::nullopt, {33, 0, 820, 580}},
        FitCase{"AboveTheTopComesDown", {33, -25, 820, 580}, std::nullopt, {33, 0, 820, 580}},
        FitCase{"BelowTheBottomComesUp", {400, 500, 740, 700}, std::nullopt, {400, 300, 740, 700}},
        FitCase{"TallerThanTheScreenIsCut", {0, 0, 600, 1200}, std::nullopt, {0, 0, 600, 1000}},
        FitCase{"OverTheStatusBarEndsAboveIt", {33, 0, 820, 580}, QRect(0, 540, 800, 20),
                {33, 0, 820, 540}},
        FitCase{"TooLittleRoomAboveTheBarStays", {33, 400, 820, 580}, QRect(0, 540, 800, 20),
                {33, 400, 820, 580}},
        FitCase{"BelowTheBarStays", {33, 600, 820, 300}, QRect(0, 540, 800, 20),
                {33, 600, 820, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

class WindowPlacement : public testing::ShellTest {
 protected:
  void SetUp() override {
    startUp();
    keepWindowsOnScreen();
  }
};

// Shown, and given the time the window system takes to frame it.
void showFramed(QWidget* window) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QTest::qWait(50);
}

TEST_F(WindowPlacement, EveryWindowFrameIsInsideTheScreen) {
  frmMain main;
  ASSERT_TRUE(main.load(programFolder()).isEmpty());
  main.move(0, 0);
  showFramed(&main);
  const QRect screen = main.screen()->availableGeometry();
  ASSERT_EQ(screen.size(), QSize(1600, 1000));
  ASSERT_GT(main.frameGeometry().width(), main.width());  // the windows have frames
  const QRect bar(main.statusBar()->mapToGlobal(QPoint(0, 0)), main.statusBar()->size());

  DatosConcur contest;
  DatosPalo pigeons;
  Concurso1 contests;
  formllama = contest.objectName();
  auto* capture = new frmKVTmonitor(contest);  // deletes itself on close
  for (QWidget* window : std::initializer_list<QWidget*>{&contest, &pigeons, &contests, capture}) {
    showFramed(window);
    SCOPED_TRACE(window->windowTitle().toStdString());
    EXPECT_TRUE(screen.contains(window->frameGeometry())) << window->frameGeometry().top();
  }
  EXPECT_TRUE(screen.contains(main.frameGeometry()));
  for (QWidget* reading : std::initializer_list<QWidget*>{&contest, &pigeons}) {
    EXPECT_FALSE(reading->frameGeometry().intersects(bar)) << reading->windowTitle().toStdString();
  }
  capture->close();
}

}  // namespace
}  // namespace kvt
