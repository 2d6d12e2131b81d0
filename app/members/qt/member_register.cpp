#include "member_register.h"

#include "databases.h"
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
  return {{kLicence, entry.licence}, {kName, entry.name.toUpper()}, {kClock, entry.clock.toUpper()}};
}

QString named(const Member& member) {
  return QStringLiteral("El socio %1").arg(member.licence.trimmed());
}

// Every member, in the order of the statement; none when the table could not be read.
std::optional<std::vector<Member>> readAll(RecordSet& set, const QString& connection,
                                                   const QString& statement) {
  if (!set.open(connection, statement)) return std::nullopt;
  std::vector<Member> members;
  members.reserve(static_cast<std::size_t>(set.recordCount()));
  for (set.moveFirst(); !set.eof(); set.moveNext()) members.push_back(current(set));
  return members;
}

}  // namespace

bool MemberRegister::list(MemberOrder order) {
  auto members = readAll(set_, connection_, order == MemberOrder::Licence
                                   ? QStringLiteral("select * from socios order by val(slicencia)")
                                   : QStringLiteral("select * from socios order by snombre"));
  members_ = members ? std::move(*members) : std::vector<Member>();
  return members.has_value();
}

const Member* MemberRegister::find(std::int64_t id) const {
  for (const Member& member : members_) {
    if (member.id == id) return &member;
  }
  return nullptr;
}

std::optional<Member> MemberRegister::findLicence(const QString& licence) {
  RecordSet set;
  if (!set.open(connection_, QStringLiteral("select * from socios"))) return std::nullopt;
  set.findFirst({kLicence, Criterion::Test::TrimmedEquals, licence});
  if (set.noMatch()) return std::nullopt;
  return current(set);
}

std::optional<Member> MemberRegister::firstNamed(const QString& pattern) {
  RecordSet set;
  if (!set.open(connection_, QStringLiteral("select * from socios order by snombre")))
    return std::nullopt;
  set.findFirst({kName, Criterion::Test::StartsWith, pattern.trimmed()});
  if (set.noMatch()) return std::nullopt;
  return current(set);
}

QString MemberRegister::licenceRefusal(const QString& licence, std::int64_t member) {
  const QString wanted = licence.trimmed();
  if (wanted.isEmpty()) return QStringLiteral("Escriba la licencia del socio.");
  RecordSet set;
  const auto all = readAll(set, connection_, QStringLiteral("select * from socios"));
  if (!all) return set.lastError();
  for (const Member& other : *all) {
    if (other.id != member && equalsIgnoringCase(other.licence.trimmed(), wanted))
      return QStringLiteral("Licencia Existente ");
  }
  return {};
}

bool MemberRegister::ready() {
  return set_.isOpen() || set_.open(connection_, QStringLiteral("select * from socios"));
}

Saved MemberRegister::add(const MemberEntry& entry) {
  const qint64 id = ready() ? set_.add(entryValues(entry)) : 0;
  return savedOf(id != 0 ? Written::Done : Written::Failed, id, {}, false, set_);
}

Saved MemberRegister::change(const Member& listed, const MemberEntry& entry) {
  if (!ready()) return savedOf(Written::Failed, 0, {}, false, set_);
  return savedOf(set_.change(listed.id, listedValues(listed), entryValues(entry)), listed.id,
                 named(listed), false, set_);
}

Saved MemberRegister::remove(const Member& listed) {
  if (!ready()) return savedOf(Written::Failed, 0, {}, true, set_);
  return savedOf(set_.remove(listed.id, listedValues(listed)), listed.id, named(listed), true,
                 set_);
}

Saved MemberRegister::removeAll() {
  return savedOf(ready() && set_.removeAll() ? Written::Done : Written::Failed, 0, {}, true, set_);
}

}  // namespace kvt
