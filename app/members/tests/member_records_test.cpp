// The member register below its window: look-alike licences, two programs on one database,
// the Spanish order and the licence checks.
#include <QStringList>

#include "member_register.h"
#include "other_program.h"
#include "test_server.h"

namespace kvt {
namespace {

class MemberRecordsTest : public testing::BothBackEndsTest {
 protected:
  static std::int64_t add(MemberRegister& members, const QString& licence, const QString& name,
                          const QString& clock = {}) {
    const Saved saved = members.add({licence, name, clock});
    EXPECT_TRUE(saved.done()) << saved.refusal.toStdString();
    return saved.id;
  }

  static Member listed(MemberRegister& members, std::int64_t id) {
    EXPECT_TRUE(members.list(MemberOrder::Licence));
    const Member* member = members.find(id);
    EXPECT_NE(member, nullptr);
    return member != nullptr ? *member : Member{};
  }

  static QStringList names(MemberRegister& members, MemberOrder order) {
    members.list(order);
    QStringList all;
    for (const Member& member : members.members()) all << member.name.toString();
    return all;
  }
};

TEST_P(MemberRecordsTest, LookAlikeLicencesChangeAndRemoveOnlyTheListedMember) {
  MemberRegister members;
  const std::int64_t first = add(members, "77", "PRIMERO", "11");
  const std::int64_t second = add(members, " 77", "SEGUNDO");
  ASSERT_TRUE(members.change(listed(members, second), {" 77", "segundo", "99"}).done());
  EXPECT_EQ(listed(members, first).name, "PRIMERO");
  EXPECT_EQ(listed(members, first).clock, "11");
  EXPECT_EQ(listed(members, second).clock, "99");

  ASSERT_TRUE(members.remove(listed(members, second)).done());
  members.list(MemberOrder::Licence);
  ASSERT_EQ(members.members().size(), 1u);
  EXPECT_EQ(members.members()[0].id, first);
  EXPECT_EQ(members.members()[0].name, "PRIMERO");
}

TEST_P(MemberRecordsTest, NullAndEmptyFieldsAreNoChangeByAnotherProgram) {
  MemberRegister members;
  const std::int64_t blank = add(members, "1", "", "");
  {
    RecordSet set;
    ASSERT_TRUE(set.open(registerConnection(), "select * from socios"));
    set.addNew();
    set.setValue("slicencia", "2");
    ASSERT_TRUE(set.update());
  }
  members.list(MemberOrder::Licence);
  ASSERT_EQ(members.members().size(), 2u);
  EXPECT_EQ(members.members()[0].id, blank);
  EXPECT_EQ(members.members()[0].clock, "");
  EXPECT_TRUE(members.members()[1].name.isNull());
  for (const Member& member : std::vector<Member>(members.members()))
    EXPECT_TRUE(members.change(member, {member.licence, "NUEVO", ""}).done());
}

TEST_P(MemberRecordsTest, RefusesWhatAnotherProgramChangedOrRemovedSinceItWasListed) {
  testing::OtherProgram other;
  MemberRegister a;
  MemberRegister b(testing::OtherProgram::kConnection);
  const struct {
    const char* what;
    // What program A does to the member, after B listed him; the new member A adds, if any.
    std::function<void(const Member&)> a;
    bool bRemoves;  // else B changes him
    const char* refusal;
  } cases[] = {
      {"A removes, B changes", [&](const Member& m) { a.remove(m); }, false, "ha sido borrado"},
      {"A changes, B changes",
       [&](const Member& m) { a.change(m, {m.licence, "CAMBIADO POR A", ""}); }, false,
       "ha sido modificado"},
      {"A changes, B removes",
       [&](const Member& m) { a.change(m, {m.licence, "CAMBIADO POR A", ""}); }, true,
       "ha sido modificado"},
      {"A removes 8888 and adds 7777, B changes 8888",
       [&](const Member& m) {
         a.remove(m);
         add(a, "7777", "NUEVO DE A");
       },
       false, "ha sido borrado"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::int64_t id = add(a, "8888", "OCHOS");
    const Member seenByB = listed(b, id);
    c.a(listed(a, id));
    a.list(MemberOrder::Licence);
    const std::vector<Member> before = a.members();
    const Saved saved = c.bRemoves ? b.remove(seenByB) : b.change(seenByB, {"8888", "DE B", "1"});
    EXPECT_FALSE(saved.done());
    EXPECT_TRUE(saved.listAgain);
    EXPECT_TRUE(saved.refusal.startsWith("El socio 8888 " + QString(c.refusal)))
        << saved.refusal.toStdString();
    a.list(MemberOrder::Licence);
    ASSERT_EQ(a.members().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
      EXPECT_EQ(a.members()[i].id, before[i].id);
      EXPECT_EQ(a.members()[i].name, before[i].name);
    }
    for (const Member& member : before) a.remove(member);
  }
}

TEST_P(MemberRecordsTest, ListsAndFindsNamesInSpanishOrder) {
  MemberRegister members;
  for (const char* name : {"ZÚÑIGA", "ÁLVAREZ", "alarcón alarcón martín", "ALARCÓN ALARCÓN ÁNGEL",
                           "NUÑEZ", "ÑANDÚ", "MUÑOZ", "MUNOZ", "OCHOA"})
    add(members, "1", QString::fromUtf8(name));
  EXPECT_EQ(names(members, MemberOrder::Name),
            QStringList({"ALARCÓN ALARCÓN ÁNGEL", "ALARCÓN ALARCÓN MARTÍN", "ÁLVAREZ", "MUNOZ",
                         "MUÑOZ", "NUÑEZ", "ÑANDÚ", "OCHOA", "ZÚÑIGA"}));
  const struct {
    const char* pattern;
    const char* found;  // nullptr: none
  } searches[] = {{"alv", "ÁLVAREZ"},     {"  alarcon alarcon m ", "ALARCÓN ALARCÓN MARTÍN"},
                  {"mun", "MUNOZ"},       {"muñ", "MUÑOZ"},
                  {"ñ", "ÑANDÚ"},         {"n", "NUÑEZ"},
                  {"zuñiga", "ZÚÑIGA"},   {"zuniga", nullptr}};
  for (const auto& search : searches) {
    SCOPED_TRACE(search.pattern);
    const std::optional<Member> found = members.firstNamed(QString::fromUtf8(search.pattern));
    ASSERT_EQ(found.has_value(), search.found != nullptr);
    if (found) {
      EXPECT_EQ(found->name, QString::fromUtf8(search.found));
    }
  }
}

TEST_P(MemberRecordsTest, ALicenceIsTakenWhenAnotherMemberHasItTrimmedAndCaseBlind) {
  MemberRegister members;
  const std::int64_t own = add(members, "123 ", "CON BLANCO");
  add(members, "ab", "LETRAS");
  const struct {
    const char* licence;
    std::int64_t member;  // 0: a new member
    const char* refusal;
  } cases[] = {{"123", 0, "Licencia Existente "},   {" 123", 0, "Licencia Existente "},
               {"AB", 0, "Licencia Existente "},    {"124", 0, ""},
               {"123", own, ""},                   {"ab", own, "Licencia Existente "},
               {"  ", 0, "Escriba la licencia del socio."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.licence);
    EXPECT_EQ(members.licenceRefusal(c.licence, c.member), c.refusal);
  }
  EXPECT_EQ(members.findLicence("AB")->name, "LETRAS");
  EXPECT_EQ(members.findLicence("123")->id, own);
  EXPECT_FALSE(members.findLicence("12").has_value());
}

INSTANTIATE_TEST_SUITE_P(BothBackEnds, MemberRecordsTest,
                         ::testing::Values(testing::Backend::Local, testing::Backend::Server),
                         testing::backendName);

}  // namespace
}  // namespace kvt
