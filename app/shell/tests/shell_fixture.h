// What the tests of the program's shell share: a fresh folder for the program, its data and its
// settings, started as the program starts, and the messages it shows, answered without a person.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "messages.h"
#include "temp_folder.h"

namespace kvt::testing {

class ShellTest : public ::testing::Test {
 protected:
  ShellTest();
  ~ShellTest() override;

  // The program's folder: with a Datos folder in it, the program keeps its data there.
  QString programFolder() const;
  QString dataFolder() const { return programFolder() + QStringLiteral("/Datos/"); }
  QString path(const QString& name) const;

  // Runs the start-up; fails the test with its message when it does not go well.
  void startUp();

  std::vector<Message> messages;
  bool answerYes = true;  // the answer to every question

 private:
  TempFolder folder_;
};

}  // namespace kvt::testing
