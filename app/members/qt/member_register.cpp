#include "member_register.h"

#include "spanish_order.h"

namespace kvt {

namespace {

const QString kLicence = QStringLiteral("slicencia");
const QString kName = QStringLiteral("snombre");
const QString kClock = QStringLiteral("slicenreloj");

Member current(const RecordSet& set) {
  return {set.id(), set.value(kLicence).toString(), set.value(kName), set.value(kClock)};
}

FieldValues listedValues(const Member& member) {
  return {{kLicence, member.licence}, {kName, member.name}, {kClock, member.clock}};
}

FieldValues entryValues(const MemberEntry& entry) {
  const MemberEntry stored = storedEntry(entry);
  return {{kLicence, stored.licence}, {kName, stored.name}, {kClock, stored.clock}};
}

QString named(const Member& member) {
  return QStringLiteral("El socio %1").arg(member.licence.trimmed());
}

// Every member, in the set's order; none when the table could not be read.
std::optional<std::vector<Member>> readAll(RecordSet& set, bool opened) {
  if (!opened) return std::nullopt;
  std::vector<Member> members;
  members.reserve(static_cast<std::size_t>(set.recordCount()));
  for (set.moveFirst(); !set.eof(); set.moveNext()) members.push_back(current(set));
  return members;
}

}  // namespace

bool MemberRegister::list(MemberOrder order) {
  auto members = readAll(
      set_, open(set_, order == MemberOrder::Licence ? QStringLiteral("val(slicencia)") : kName));
  members_ = members ? std::move(*members) : std::vector<Member>();
  return members.has_value();
}

std::optional<Member> MemberRegister::findLicence(const QString& licence) {
  RecordSet set;
  if (!open(set)) return std::nullopt;
  set.findFirst({kLicence, Criterion::Test::TrimmedEquals, licence});
  if (set.noMatch()) return std::nullopt;
  return current(set);
}

std::optional<Member> MemberRegister::firstNamed(const QString& pattern) {
  RecordSet set;
  if (!open(set, kName)) return std::nullopt;
  set.findFirst({kName, Criterion::Test::StartsWith, pattern.trimmed()});
  if (set.noMatch()) return std::nullopt;
  return current(set);
}

QString MemberRegister::licenceRefusal(const QString& licence, std::int64_t member) {
  const QString wanted = licence.trimmed();
  if (wanted.isEmpty()) return QStringLiteral("Escriba la licencia del socio.");
  RecordSet set;
  const auto all = readAll(set, open(set));
  if (!all) return set.lastError();
  for (const Member& other : *all) {
    if (other.id != member && equalsIgnoringCase(other.licence.trimmed(), wanted))
      return QStringLiteral("Licencia Existente ");
  }
  return {};
}

Saved MemberRegister::add(const MemberEntry& entry) {
  return addRecord(entryValues(entry));
}

Saved MemberRegister::import(const MemberEntry& entry) {
  return insertRecord(entryValues(entry));
}

Saved MemberRegister::change(const Member& listed, const MemberEntry& entry) {
  return changeRecord(listed.id, listedValues(listed), entryValues(entry), named(listed));
}

Saved MemberRegister::remove(const Member& listed) {
  return removeRecord(listed.id, listedValues(listed), named(listed));
}

Saved MemberRegister::removeAll() {
  return removeAllRecords();
}

MemberEntry storedEntry(const MemberEntry& entry) {
  return {entry.licence, entry.name.toUpper(), entry.clock.toUpper()};
}

}  // namespace kvt
