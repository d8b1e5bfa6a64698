#include "settings/ProfileText.h"
#include "settings/Windows1252.h"

#include <gtest/gtest.h>

#include <functional>

namespace vm {
namespace {

using namespace std::string_literals;
using Change = ProfileText::Change;
using enum ProfileText::Change;

ProfileText profile(std::string bytes) {
    return ProfileText(std::move(bytes), windows1252::equalsIgnoreCase);
}

// The expectations come from tests run on real Windows: Wine's conformance
// tests (dlls/kernel32/tests/profile.c) and the IniFileFormatReverseEngineering
// tests; the remaining cases record choices Windows leaves open. The tables
// are loops rather than parameterised tests because each CTest case costs a
// wine start in the cross build.
struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

TEST(ProfileText, FindsWhatWindowsFinds) {
    const ReadCase cases[] = {
        // Wine: test_GetPrivateProfileString, test_profile_string, test_profile_refresh
        {"NamesIgnoreCase", "[section1]\r\nname1=val1\r\n", "section1", "NaMe1", "val1"},
        {"QuotesStripped", "[s]\r\nname2=\"val2\"\r\n", "s", "name2", "val2"},
        {"KeyWithoutEquals", "[s]\r\nname3\r\n", "s", "name3", std::nullopt},
        {"EmptyKeyName", "[s]\r\n=v\r\n", "s", "", std::nullopt},
        {"EmptySectionName", "[]\r\nk=v\r\n", "", "k", std::nullopt},
        {"CrLineEnds", "[section1]\rname1=val1\rname4=a\r", "section1", "name4", "a"},
        {"LfLineEnds", "[Test]\nProfileInt=123\n", "Test", "ProfileInt", "123"},
        // IniFileFormatReverseEngineering
        {"SpacesAroundGivenNames", "[s]\r\nk=v\r\n", "  s  ", "  k  ", "v"},
        {"TabsInGivenNamesCount", "[s]\r\nk=v\r\n", "\ts", "k", std::nullopt},
        {"BlanksInFileDoNotCount", " \t[ \vs\t ] \r\n \t k \v=  \t v \v\r\n", "s", "k", "v"},
        {"BlanksInsideQuotesKept", "[s]\r\nk=  \"  v  \"  \r\n", "s", "k", "  v  "},
        {"OuterQuotesOnly", "[s]\r\nk='\"v\"'\r\n", "s", "k", "\"v\""},
        {"UnmatchedQuotesKept", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'"},
        {"SemicolonStartsComment", "[s]\r\n \t;k=v\r\n", "s", ";k", std::nullopt},
        {"SemicolonInValue", "[s]\r\nk=;v=w\r\n", "s", "k", ";v=w"},
        {"FirstOfDuplicateKeys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"OnlyFirstOfDuplicateSections", "[s]\r\n[t]\r\n[s]\r\nk=2\r\n", "s", "k", std::nullopt},
        {"KeysBeforeFirstSection", "k=v\r\n[s]\r\n", "", "k", std::nullopt},
        {"HeaderWithoutBracket", "[s   \r\nk=v\r\n", "s", "k", "v"},
        {"TextAfterBracketIgnored", "[s]k=v\r\n", "s", "k", std::nullopt},
        {"FirstBracketEndsName", "[a]b]\r\nk=v\r\n", "a", "k", "v"},
        // Choices
        {"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"EmptyValue", "[s]\r\nk=\r\n", "s", "k", ""},
        {"NulIsAnOrdinaryByte", "[s]\r\nk=a\0b\r\n"s, "s", "k", "a\0b"s},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(profile(c.file).value(c.section, c.key), c.value) << c.name;
}

TEST(ProfileText, ListsSectionNamesInFileOrderWithDuplicates) {
    EXPECT_EQ(profile(" \r\n[ a ]\r\nx=1\r\n[b\r\n[A]\r\n[]\r\n").sectionNames(),
              (std::vector<std::string>{"a", "b", "A", ""}));
    EXPECT_TRUE(profile(" \r\n").sectionNames().empty());
}

struct EditCase {
    const char* name;
    std::string before;
    std::function<Change(ProfileText&)> edit;
    Change change;
    std::string after;
};

std::function<Change(ProfileText&)> set(std::string s, std::string k, std::string v) {
    return [=](ProfileText& t) { return t.setValue(s, k, v); };
}
std::function<Change(ProfileText&)> deleteKey(std::string s, std::string k) {
    return [=](ProfileText& t) { return t.deleteKey(s, k); };
}
std::function<Change(ProfileText&)> deleteSection(std::string s) {
    return [=](ProfileText& t) { return t.deleteSection(s); };
}

const std::string kApps = "[App1]\r\nkey1=string1\r\nkey2=string2\r\n[App2]\r\nkey4=string4\r\n";
const std::string kComments = ";c0\r\n[s]\r\n;c1\r\nb=1\r\n;c2\r\na=1\r\n;c3\r\n\r\n[t]\r\n";

TEST(ProfileText, ChangesTheBytesAsWindowsDoes) {
    const EditCase cases[] = {
        // Wine: test_WritePrivateProfileString (NULs: todo_wine, so Windows only)
        {"EmptyValueInNewFile", "", set("App", "key", ""), Changed, "[App]\r\nkey=\r\n"},
        {"NewSectionAtEnd", kApps, set("App3", "key5", "string5"), Changed,
         kApps + "[App3]\r\nkey5=string5\r\n"},
        {"DeleteKey", kApps, deleteKey("App1", "key2"), Changed,
         "[App1]\r\nkey1=string1\r\n[App2]\r\nkey4=string4\r\n"},
        {"DeleteMissingKey", kApps, deleteKey("App1", "key3"), Unchanged, kApps},
        {"DeleteSection", kApps, deleteSection("app1"), Changed, "[App2]\r\nkey4=string4\r\n"},
        {"DeleteMissingSection", kApps, deleteSection("App3"), Unchanged, kApps},
        {"NulsKeptAndLastLineEnded", "Data \0 before \0 first \0 section"s,
         set("section1", "key1", "string1"), Changed,
         "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s},
        // IniFileFormatReverseEngineering: Writing, WhiteSpace, Casing, Semicolon tests
        {"GivenNamesLoseSpacesValueKeepsThem", "", set("  sec  ", "  key  ", " v "), Changed,
         "[sec]\r\nkey= v \r\n"},
        {"ExistingSpellingKept", "[Sec]\r\nKey=v", set("SEC", "KEY", "w"), Changed,
         "[Sec]\r\nKey=w\r\n"},
        {"ValueCaseMatters", "[s]\r\nk=v\r\n", set("s", "k", "V"), Changed, "[s]\r\nk=V\r\n"},
        {"NewKeyAfterLastEntry", kComments, set("s", "z", ""), Changed,
         ";c0\r\n[s]\r\n;c1\r\nb=1\r\n;c2\r\na=1\r\nz=\r\n;c3\r\n\r\n[t]\r\n"},
        {"DeleteSectionKeepsComments", ";c0\r\n[s1]\r\n;c1\r\n[s2]\r\n;c2\r\n", deleteSection("s1"),
         Changed, ";c0\r\n;c1\r\n[s2]\r\n;c2\r\n"},
        // Choices where no test settles Windows' behaviour
        {"SameValueLeavesFile", "[s]\r\nk=v\r\n", set("s", "k", "v"), Unchanged, "[s]\r\nk=v\r\n"},
        {"OnlyValueReplaced", "[s]\n  k = old  \nj=2\n", set("s", "k", "new"), Changed,
         "[s]\n  k =new\nj=2\n"},
        {"BareKeyGetsValue", "[s]\r\nname3\r\n", set("s", "name3", "x"), Changed,
         "[s]\r\nname3=x\r\n"},
        {"NewLinesInCrLf", "[s]\rk=1\r", set("s", "j", "2"), Changed, "[s]\rk=1\rj=2\r\n"},
        {"FirstKeyAfterHeader", "[s]\r\n;c\r\n", set("s", "k", "v"), Changed,
         "[s]\r\nk=v\r\n;c\r\n"},
        {"UnterminatedHeader", "[s", set("s", "k", "v"), Changed, "[s\r\nk=v\r\n"},
        {"SingleSpaceFileKept", " \r\n", set("General", "Sort", "a"), Changed,
         " \r\n[General]\r\nSort=a\r\n"},
        {"FirstDuplicateSectionWritten", "[s]\r\na=1\r\n[s]\r\nb=1\r\n", set("s", "b", "2"),
         Changed, "[s]\r\na=1\r\nb=2\r\n[s]\r\nb=1\r\n"},
        {"DeleteSectionKeepsBlankLines", "[a]\r\nk=1\r\nbare\r\n\r\n[b]\r\nj=2", deleteSection("a"),
         Changed, "\r\n[b]\r\nj=2"},
        // Writes that would not read back as written
        {"ValueWithCrLf", kApps, set("App1", "k", "v\r\n[x]"), Refused, kApps},
        {"ValueWithLf", kApps, set("App1", "k", "v\nk2=w"), Refused, kApps},
        {"EmptySection", kApps, set(" ", "k", "v"), Refused, kApps},
        {"EmptyKey", kApps, set("App1", "", "v"), Refused, kApps},
        {"BracketInSection", kApps, set("a]b", "k", "v"), Refused, kApps},
        {"TabAroundSection", kApps, set("\tApp1", "k", "v"), Refused, kApps},
        {"EqualsInKey", kApps, set("App1", "key1=x", "v"), Refused, kApps},
        {"CommentKey", kApps, set("App1", ";k", "v"), Refused, kApps},
        {"HeaderKey", kApps, set("App1", "[k", "v"), Refused, kApps},
        {"TabAroundKey", kApps, set("App1", "k\t", "v"), Refused, kApps},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileText text = profile(c.before);
        EXPECT_EQ(c.edit(text), c.change);
        EXPECT_EQ(text.bytes(), c.after);
    }
}

} // namespace
} // namespace vm
