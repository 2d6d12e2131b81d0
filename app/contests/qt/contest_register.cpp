#include "contest_register.h"

#include <algorithm>

#include "ansi_text.h"
#include "contest_dates.h"
#include "spanish_order.h"

namespace kvt {

namespace {

const QString kCode = QStringLiteral("cocodigo");
const QString kName = QStringLiteral("conombre");
const QString kRelease = QStringLiteral("cofecha");
const QString kBasketing = QStringLiteral("coenceste");

Contest current(const RecordSet& set) {
  return {set.id(), set.value(kCode).toString(), set.value(kName), set.value(kRelease),
          set.value(kBasketing)};
}

FieldValues listedValues(const Contest& contest) {
  return {{kCode, contest.code},
          {kName, contest.name},
          {kRelease, contest.release},
          {kBasketing, contest.basketing}};
}

FieldValues entryValues(const ContestEntry& entry) {
  const ContestEntry stored = storedEntry(entry);
  return {{kCode, stored.code},
          {kName, stored.name},
          {kRelease, stored.release},
          {kBasketing, stored.basketing}};
}

QString named(const Contest& contest) {
  return QStringLiteral("El concurso %1").arg(contest.code.trimmed());
}

std::optional<std::vector<Contest>> readAll(RecordSet& set, bool opened) {
  if (!opened) return std::nullopt;
  std::vector<Contest> contests;
  for (set.moveFirst(); !set.eof(); set.moveNext()) contests.push_back(current(set));
  return contests;
}

// Where a release date falls in the date order: Null, then values that are no date, then dates.
std::pair<int, qint64> dateRank(const QVariant& stored) {
  if (stored.isNull()) return {0, 0};
  const std::optional<QDate> date = contestDate(stored);
  return date ? std::pair{2, date->toJulianDay()} : std::pair{1, qint64{0}};
}

}  // namespace

bool ContestRegister::list(ContestOrder order) {
  auto contests = readAll(set_, open(set_, order == ContestOrder::Code ? kCode : QString()));
  contests_ = contests ? std::move(*contests) : std::vector<Contest>();
  if (order == ContestOrder::Date) {
    // Stable: equal dates keep the order in which the contests were added.
    std::stable_sort(contests_.begin(), contests_.end(), [](const Contest& a, const Contest& b) {
      const auto rankA = dateRank(a.release);
      const auto rankB = dateRank(b.release);
      if (rankA != rankB) return rankA < rankB;
      return rankA.first == 1 && spanishLess(a.release.toString(), b.release.toString());
    });
  }
  return contests.has_value();
}

std::optional<Contest> ContestRegister::findCode(const QString& code) {
  RecordSet set;
  if (!open(set, kCode)) return std::nullopt;
  set.findFirst({kCode, Criterion::Test::TrimmedEquals, code});
  if (set.noMatch()) return std::nullopt;
  return current(set);
}

QString ContestRegister::codeRefusal(const QString& code, std::int64_t contest) {
  const QString wanted = code.trimmed();
  if (wanted.isEmpty()) return QStringLiteral("Escriba el código del concurso.");
  RecordSet set;
  const auto all = readAll(set, open(set));
  if (!all) return set.lastError();
  for (const Contest& other : *all) {
    if (other.id != contest && equalsIgnoringCase(other.code.trimmed(), wanted))
      return QStringLiteral("Ya existe un concurso con el código %1.").arg(wanted);
  }
  return {};
}

Saved ContestRegister::add(const ContestEntry& entry) {
  return addRecord(entryValues(entry));
}

Saved ContestRegister::import(const ContestEntry& entry) {
  return insertRecord(entryValues(entry));
}

Saved ContestRegister::change(const Contest& listed, const ContestEntry& entry) {
  return changeRecord(listed.id, listedValues(listed), entryValues(entry), named(listed));
}

Saved ContestRegister::remove(const Contest& listed) {
  return removeRecord(listed.id, listedValues(listed), named(listed));
}

ContestEntry storedEntry(const ContestEntry& entry) {
  return {entry.code.trimmed(), entry.name.toUpper(), entry.release, entry.basketing};
}

std::optional<QDate> contestDate(const QVariant& stored) {
  if (stored.typeId() == QMetaType::QDate) return stored.toDate();
  if (stored.isNull()) return std::nullopt;
  const auto date = readDayMonthYear(toAnsi(stored.toString()));
  if (!date) return std::nullopt;
  return QDate(date->year, date->month, date->day);
}

QString shownDate(const QVariant& stored, const QString& format) {
  const std::optional<QDate> date = contestDate(stored);
  return date ? date->toString(format) : stored.toString();
}

std::optional<QVariant> panelDate(const QString& typed, const QString& given,
                                  const QVariant& stored) {
  if (typed == given) return stored;
  if (typed == QLatin1String("__/__/____")) return QVariant();
  const auto date = readDayMonthYear(toAnsi(typed));
  if (!date) return std::nullopt;
  return QVariant(QDate(date->year, date->month, date->day));
}

bool basketingToCome(const QVariant& basketing, const QDate& today) {
  const std::optional<QDate> date = contestDate(basketing);
  return date && *date > today;
}

}  // namespace kvt
