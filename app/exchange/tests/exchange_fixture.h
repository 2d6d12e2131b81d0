// What the import and export tests share: a started program whose registers are read back as
// plain values, and the import window driven as a user drives it.
#pragma once

#include <QComboBox>
#include <QDate>
#include <QString>
#include <QVariant>
#include <ostream>
#include <vector>

#include "contest_register.h"
#include "frm_importar.h"
#include "member_register.h"
#include "shell_fixture.h"

namespace kvt::testing {

struct StoredMember {
  QString licence;
  QVariant name;
  QVariant clock;
  bool operator==(const StoredMember&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const StoredMember& member) {
  return out << "[" << member.licence.toStdString() << "] " << member.name.toString().toStdString()
             << " / " << member.clock.toString().toStdString();
}

struct StoredContest {
  QString code;
  QVariant name;
  QVariant release;
  QVariant basketing;
  bool operator==(const StoredContest&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const StoredContest& contest) {
  return out << "[" << contest.code.toStdString() << "] " << contest.name.toString().toStdString()
             << " / " << contest.release.toString().toStdString() << " / "
             << contest.basketing.toString().toStdString();
}

class ExchangeTest : public ShellTest {
 protected:
  void SetUp() override { startUp(); }

  // In the order they were added.
  static std::vector<StoredMember> members() {
    MemberRegister reader;
    EXPECT_TRUE(reader.list(MemberOrder::Licence));
    std::vector<StoredMember> stored;
    for (const Member& member : reader.members())
      stored.push_back({member.licence, member.name, member.clock});
    return stored;
  }

  static std::vector<StoredContest> contests() {
    ContestRegister reader;
    EXPECT_TRUE(reader.list(ContestOrder::Code));
    std::vector<StoredContest> stored;
    for (const Contest& contest : reader.contests())
      stored.push_back({contest.code, contest.name, contest.release, contest.basketing});
    return stored;
  }

  // The box's entry of that text becomes the chosen one, as a click chooses it.
  static void choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
  }
};

}  // namespace kvt::testing
