#include "main/core/LangText.h"

#include "base/FailureReport.h"
#include "settings/Windows1252.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <set>
#include <stdexcept>
#include <vector>

using namespace vm;

namespace {

constexpr int kLanguages[] = {LangTable::kEnglish, LangTable::kFrench, LangTable::kGerman};

LangTable filledWith(int language) {
    LangTable table;
    table.Init_Language(language);
    return table;
}

std::vector<std::string> textsOf(const LangTable& table) {
    std::vector<std::string> texts;
    for (int n = 0; n <= LangTable::kLastText; ++n)
        texts.push_back(table[n]);
    return texts;
}

std::set<int> numbersIn(std::initializer_list<std::pair<int, int>> ranges) {
    std::set<int> numbers;
    for (const auto& [first, last] : ranges)
        for (int n = first; n <= last; ++n)
            numbers.insert(n);
    return numbers;
}

// The numbers no language has ever had a text for.
const std::set<int> kNumbersWithoutText =
    numbersIn({{4, 6}, {25, 36}, {41, 41}, {54, 54}, {66, 73}, {151, 151}});

// The letter after "&", as the UTF-8 bytes of one character; empty without one.
std::string accelerator(const std::string& text) {
    const auto mark = text.find('&');
    if (mark == std::string::npos || mark + 1 == text.size())
        return {};
    size_t length = 1;
    while (mark + 1 + length < text.size() && (text[mark + 1 + length] & 0xC0) == 0x80)
        ++length;
    std::string letter = text.substr(mark + 1, length);
    std::ranges::transform(letter, letter.begin(), [](unsigned char c) { return std::tolower(c); });
    return letter;
}

// Every fill hands its support sentence to the process-wide failure reports,
// so each test puts the reports back as it found them.
class LangTextTest : public ::testing::Test {
protected:
    test::CapturedReports reports;
    test::RecordingPrompter& prompter = reports.prompter;
};

} // namespace

TEST_F(LangTextTest, StartsEmptyAndReadsNumbersOutsideTheTableAsEmpty) {
    LangTable table;
    EXPECT_EQ(textsOf(table), std::vector<std::string>(LangTable::kLastText + 1));
    table.English();
    for (const int outside : {0, -1, LangTable::kLastText + 1, INT_MIN, INT_MAX})
        EXPECT_EQ(table[outside], "") << outside;
}

TEST_F(LangTextTest, EachLanguageFillsEveryTextThatExistsWithAnsiText) {
    for (const int language : kLanguages) {
        const LangTable table = filledWith(language);
        EXPECT_EQ(table.LangIndex(), language);
        for (int n = 1; n <= LangTable::kLastText; ++n) {
            EXPECT_EQ(table[n].empty(), kNumbersWithoutText.contains(n))
                << "language " << language << ", text " << n;
            // The host's link file, which holds text 12, is ANSI text.
            EXPECT_TRUE(windows1252::fromUtf8(table[n]).has_value())
                << "language " << language << ", text " << n;
        }
    }
}

TEST_F(LangTextTest, SwitchingLanguagesReplacesEveryText) {
    LangTable table;
    table.Init_Language(LangTable::kGerman);
    table.Init_Language(LangTable::kFrench);
    EXPECT_EQ(textsOf(table), textsOf(filledWith(LangTable::kFrench)));
    table.Init_Language(LangTable::kEnglish);
    EXPECT_EQ(table.LangIndex(), LangTable::kEnglish);
    EXPECT_EQ(textsOf(table), textsOf(filledWith(LangTable::kEnglish)));
}

TEST_F(LangTextTest, AnUnknownLanguageLeavesTheTableAsItWas) {
    LangTable empty;
    empty.Init_Language(3);
    EXPECT_EQ(textsOf(empty), textsOf(LangTable()));

    LangTable french = filledWith(LangTable::kFrench);
    for (const int unknown : {-1, 3, 255, INT_MAX})
        french.Init_Language(unknown);
    EXPECT_EQ(french.LangIndex(), LangTable::kFrench);
    EXPECT_EQ(textsOf(french), textsOf(filledWith(LangTable::kFrench)));
}

TEST_F(LangTextTest, UntranslatedTextsRepeatTheEnglishAndNoOthers) {
    const LangTable english = filledWith(LangTable::kEnglish);
    const std::set<int> frenchAsEnglish = {1, 59, 98, 103, 111, 113, 115, 116, 133};
    const std::set<int> germanAsEnglish =
        numbersIn({{1, 1}, {24, 24}, {103, 103}, {109, 125}, {127, 150}, {152, 152}});
    for (const auto& [language, asEnglish] : {std::pair{LangTable::kFrench, frenchAsEnglish},
                                              std::pair{LangTable::kGerman, germanAsEnglish}}) {
        const LangTable table = filledWith(language);
        for (int n = 1; n <= LangTable::kLastText; ++n) {
            if (kNumbersWithoutText.contains(n))
                continue;
            EXPECT_EQ(table[n] == english[n], asEnglish.contains(n))
                << "language " << language << ", text " << n;
        }
    }
}

TEST_F(LangTextTest, Text121HoldsTwoSentencesOnTwoLines) {
    EXPECT_EQ(filledWith(LangTable::kEnglish)[121],
              "You need to give this database a unique friendly name.\r"
              "Either you did not enter a name or this name is already in use.");
    const std::string french = filledWith(LangTable::kFrench)[121];
    EXPECT_EQ(std::ranges::count(french, '\r'), 1);
    EXPECT_TRUE(french.starts_with("Vous devez donner") && french.ends_with("déjà utilisé."));
    EXPECT_EQ(french.find('\n'), std::string::npos);
}

TEST_F(LangTextTest, TextsThatCallersExtendKeepTheirShape) {
    for (const int language : kLanguages) {
        const LangTable table = filledWith(language);
        // A name or a path is appended to these.
        for (const int n : {8, 9, 149})
            EXPECT_TRUE(table[n].ends_with(' ')) << "language " << language << ", text " << n;
        // The list dialog's title is this menu item without its first character.
        EXPECT_TRUE(table[89].starts_with('&')) << "language " << language;
    }
    const LangTable english = filledWith(LangTable::kEnglish);
    EXPECT_EQ(english[9], "Please run ACT! before running ");
    EXPECT_EQ(english[12], "C&orvane Free Add-Ons for ACT!");
    EXPECT_EQ(english[149], "Are you sure you want to clear the location: ");
    EXPECT_EQ(filledWith(LangTable::kGerman)[13], "Integration in ACT! ");
    EXPECT_EQ(filledWith(LangTable::kFrench)[24], "logiciels.htm");
}

TEST_F(LangTextTest, AcceleratorsDifferWithinEachMenuAndWindow) {
    const std::vector<std::vector<int>> groups = {
        {128, 125, 59, 56}, // menu bar
        {62, 129},          // File
        {55, 89},           // Edit
        {127, 122, 61, 60}, // Options
        {130, 57, 58},      // Help
        {62, 17},           // main window buttons
        {1, 2},             // OK and Cancel of every dialog
        {87, 88, 17},       // list maintenance
    };
    for (const int language : kLanguages) {
        const LangTable table = filledWith(language);
        for (const auto& group : groups) {
            std::set<std::string> seen;
            for (const int n : group) {
                const std::string letter = accelerator(table[n]);
                if (letter.empty())
                    continue;
                EXPECT_NE(letter, " ") << table[n];
                EXPECT_TRUE(seen.insert(letter).second)
                    << "language " << language << ": \"" << letter << "\" in " << table[n];
            }
        }
    }
}

TEST_F(LangTextTest, EveryFillHandsItsSupportSentenceToTheFailureReports) {
    const std::string address = kSupportAddress;
    const std::pair<int, std::string> sentences[] = {
        {LangTable::kEnglish, "Please contact " + address + " with this error message."},
        {LangTable::kFrench, "SVP nous contacter avec ce message d'erreur."},
        {LangTable::kGerman, "Bitte kontaktieren Sie uns unter: " + address + "."},
    };
    LangTable table;
    for (const auto& [language, sentence] : sentences) {
        table.Init_Language(language);
        EXPECT_EQ(table[LangTable::kSupportText], sentence);
        guarded(
            {"frmMain", "Sub", "Form_Load"}, [] { throw std::runtime_error("boom"); },
            Support::Localized);
        ASSERT_FALSE(prompter.asked.empty());
        EXPECT_TRUE(prompter.asked.back().text.ends_with("\r\r" + sentence)) << sentence;
    }
    // Reports outside the named procedures close with the fixed English copy.
    EXPECT_EQ(filledWith(LangTable::kEnglish)[LangTable::kSupportText], fixedSupportSentence());
}
