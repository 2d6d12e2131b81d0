// The contest register, the table concurso: the contests listed by code or by date, found,
// checked, added, changed and removed, and the rules of its dates. Every change and removal goes
// by the contest's identity and states the values it was listed with, so it never touches another
// contest whose code looks alike, and it refuses when another program has changed or removed it.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>
#include <vector>

#include "databases.h"
#include "record_set.h"
#include "register_write.h"

namespace kvt {

// A date field holds a QDate, Null, or what an older database or an import stored in it, kept as
// it is (a text such as "14/05/2009" or "__/__/____").
struct Contest {
  std::int64_t id = 0;
  QString code;  // as stored
  QVariant name;
  QVariant release;    // "Suelta"
  QVariant basketing;  // "Enceste"
};

// What the contest panel holds for a contest to be stored.
struct ContestEntry {
  QString code;  // trimmed before it is stored
  QString name;
  QVariant release;
  QVariant basketing;
};

// A contest as the register stores it: the code trimmed, the name upper-cased, the dates as given.
ContestEntry storedEntry(const ContestEntry& entry);

enum class ContestOrder { Code, Date };

class ContestRegister : public TableRegister {
 public:
  // Where the club keeps its registers, or on another connection to them (as another program has).
  explicit ContestRegister(QString connection = registerConnection())
      : TableRegister(std::move(connection), QStringLiteral("concurso")) {}

  // Reads every contest in that order: by code, in Spanish order; by release date, in calendar
  // order after the contests without one (Null first, then values that are no date). False, with
  // error(), when the table could not be read.
  bool list(ContestOrder order);
  const std::vector<Contest>& contests() const { return contests_; }
  const Contest* find(std::int64_t id) const { return findById(contests_, id); }

  // The contest whose code, trimmed, is the code (letter case not counting), as the reading screen
  // looks it up; none when there is none.
  std::optional<Contest> findCode(const QString& code);
  // Why a contest (0: a new one) may not take the code: a request for it when it is empty, a
  // notice when another contest has it (the reading screen could only find the first); empty
  // when it may. The table is read afresh.
  QString codeRefusal(const QString& code, std::int64_t contest);

  Saved add(const ContestEntry& entry);
  // Adds a contest as add does, without reading the list again: for many contests in one
  // transaction, listed afterwards.
  Saved import(const ContestEntry& entry);
  Saved change(const Contest& listed, const ContestEntry& entry);
  Saved remove(const Contest& listed);

 private:
  std::vector<Contest> contests_;
};

// A stored date as a date: a QDate, or a day/month/year text; none for Null or a text that is no
// date.
std::optional<QDate> contestDate(const QVariant& stored);
// A stored date in that form ("dd/MM/yy" in the lists, "dd/MM/yyyy" in the reading screen); a
// value that is no date as it is, Null as empty.
QString shownDate(const QVariant& stored, const QString& format);
// What a date box of the contest panel stores: the stored value itself while the box still shows
// what it was given for it (so a field the user did not touch is never changed), Null for an empty
// box ("__/__/____"), else the typed date; none for a text that is no date.
std::optional<QVariant> panelDate(const QString& typed, const QString& given,
                                  const QVariant& stored);
// The reading screen asks for the basketing list while the basketing day is still to come; on
// the day, after it, or without a basketing date, for the checking list.
bool basketingToCome(const QVariant& basketing, const QDate& today);

}  // namespace kvt
