// What the capture window needs of the reading screen that opened it: the header box, the pigeon
// list and the count label that the parser fills, and the list the user asked the clock for.
// The contest reading screen and the pigeon extraction screen are reading screens.
#pragma once

#include <QString>
#include <optional>

#include "list_layout.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace kvt {

class ReadingScreen {
 public:
  virtual ~ReadingScreen() = default;
  virtual QLineEdit* headerBox() = 0;     // Text6
  virtual QTreeWidget* pigeonList() = 0;  // ListView1
  virtual QLabel* countLabel() = 0;       // Label35
  // The list chosen on the screen; none when the contest screen has no list type chosen.
  virtual std::optional<ListKind> askedList() const = 0;
  // The trimmed contest code and licence that name a saved capture (empty off the contest screen).
  virtual QString contestCode() const { return {}; }
  virtual QString licence() const { return {}; }
};

}  // namespace kvt
