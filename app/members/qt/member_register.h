// The member register, the table socios: the members listed in either order, found, checked,
// added, changed and removed. Every change and removal goes by the member's identity and states
// the values he was listed with, so it never touches another member whose licence looks alike,
// and it refuses when another program has changed or removed him since.
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <vector>

#include "databases.h"
#include "record_set.h"
#include "register_write.h"

namespace kvt {

struct Member {
  std::int64_t id = 0;
  QString licence;  // as stored, blanks and all
  QVariant name;    // Null when none was stored
  QVariant clock;   // the clock number ("Nº de Reloj"); Null when none was stored
};

// What the member panel holds for a member to be stored.
struct MemberEntry {
  QString licence;  // as typed
  QString name;
  QString clock;
};

// A member as the register stores him: the licence as typed, the name and the clock number
// upper-cased.
MemberEntry storedEntry(const MemberEntry& entry);

enum class MemberOrder { Licence, Name };

class MemberRegister : public TableRegister {
 public:
  // Where the club keeps its registers, or on another connection to them (as another program has).
  explicit MemberRegister(QString connection = registerConnection())
      : TableRegister(std::move(connection), QStringLiteral("socios")) {}

  // Reads every member in that order: by licence, by the number at its start (none counts as 0);
  // by name, in Spanish order. False, with error(), when the table could not be read.
  bool list(MemberOrder order);
  const std::vector<Member>& members() const { return members_; }
  const Member* find(std::int64_t id) const { return findById(members_, id); }

  // The member whose licence, trimmed, is the licence (letter case not counting), as the reading
  // screen looks him up; none when there is none.
  std::optional<Member> findLicence(const QString& licence);
  // The first member in name order whose name begins with the pattern, trimmed.
  std::optional<Member> firstNamed(const QString& pattern);
  // Why a member (0: a new one) may not take the licence: "Licencia Existente " when another
  // member has it (trimmed, letter case not counting), a request for it when it is empty; empty
  // when he may. The table is read afresh: another program may have added the licence.
  QString licenceRefusal(const QString& licence, std::int64_t member);

  // The licence as typed, the name and the clock number upper-cased.
  Saved add(const MemberEntry& entry);
  // Adds a member as add does, without reading the list again: for many members in one
  // transaction, listed afterwards.
  Saved import(const MemberEntry& entry);
  Saved change(const Member& listed, const MemberEntry& entry);
  Saved remove(const Member& listed);
  Saved removeAll();

 private:
  std::vector<Member> members_;
};

}  // namespace kvt
