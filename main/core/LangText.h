#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vm {

namespace langdata {
struct Entry;
}

// Every translatable caption and message of the current language, by number.
// Windows read their captions when they load and messages are read when they
// are shown, so a refill reaches each window the next time it loads.
class LangTable {
public:
    static constexpr int kLastText = 159;
    static constexpr int kEnglish = 0;
    static constexpr int kFrench = 1;
    static constexpr int kGerman = 2;
    // Closes the failure reports of the procedures that use the current language.
    static constexpr int kSupportText = 108;

    // Empty before the first fill, for the numbers no language has a text for,
    // and for any number outside 1 to 152.
    const std::string& operator[](int number) const;
    // The language the table was last filled with.
    int LangIndex() const { return langIndex_; }

    // kEnglish, kFrench or kGerman; any other index leaves the table as it was,
    // since it comes from a per-user value that anyone may have edited.
    void Init_Language(int index);
    // Each replaces every text 1 to 152 with those of its language.
    void English();
    void French();
    void German();

private:
    void fill(int index, std::span<const langdata::Entry> entries, std::string_view procedure);

    std::array<std::string, kLastText + 1> texts_;
    int langIndex_ = kEnglish;
};

// The program's one table.
LangTable& LangText();

// The three languages' texts as their source files write them.
namespace langdata {

// A German entry that keeps the English text, because that text was never
// translated.
struct SameAsEnglish {};
inline constexpr SameAsEnglish kAsEnglish{};

inline constexpr std::string_view kCarriageReturn = "\r";

// One text, or three pieces joined when the table is filled: a text that
// holds a line break or the support address is written as its parts.
struct Entry {
    int number;
    std::array<std::string_view, 3> pieces{};
    bool asEnglish = false;

    constexpr Entry(int n, std::string_view text) : number(n), pieces{text} {}
    constexpr Entry(int n, std::string_view first, std::string_view middle, std::string_view last)
        : number(n), pieces{first, middle, last} {}
    constexpr Entry(int n, SameAsEnglish) : number(n), asEnglish(true) {}
};

// Numbers rising within 1 to kLastText, so that a fill assigns in index order and no
// number is given twice.
constexpr bool inIndexOrder(std::span<const Entry> entries) {
    int previous = 0;
    for (const Entry& entry : entries) {
        if (entry.number <= previous || entry.number > LangTable::kLastText)
            return false;
        previous = entry.number;
    }
    return true;
}

constexpr bool anyAsEnglish(std::span<const Entry> entries) {
    return std::ranges::any_of(entries, &Entry::asEnglish);
}

std::span<const Entry> english();
std::span<const Entry> french();
std::span<const Entry> german();

} // namespace langdata
} // namespace vm
