#include "main/core/LangText.h"

#include "base/FailureReport.h"

namespace vm {

namespace {

using langdata::Entry;

std::string joined(const Entry& entry) {
    std::string text;
    for (const std::string_view piece : entry.pieces)
        text += piece;
    return text;
}

std::string englishText(int number) {
    const auto english = langdata::english();
    const auto found = std::ranges::lower_bound(english, number, {}, &Entry::number);
    return found != english.end() && found->number == number ? joined(*found) : std::string();
}

} // namespace

const std::string& LangTable::operator[](int number) const {
    static const std::string kNoText;
    return number >= 1 && number <= kLastText ? texts_[number] : kNoText;
}

void LangTable::Init_Language(int index) {
    switch (index) {
    case kEnglish:
        English();
        break;
    case kFrench:
        French();
        break;
    case kGerman:
        German();
        break;
    default:
        break;
    }
}

void LangTable::English() {
    fill(kEnglish, langdata::english(), "English");
}
void LangTable::French() {
    fill(kFrench, langdata::french(), "French");
}
void LangTable::German() {
    fill(kGerman, langdata::german(), "German");
}

void LangTable::fill(int index, std::span<const Entry> entries, std::string_view procedure) {
    guarded({"modLangues", "Sub", procedure}, [&] {
        // Built aside and swapped in, so that a failure midway cannot leave a
        // table that mixes two languages.
        std::array<std::string, kLastText + 1> filled;
        for (const Entry& entry : entries)
            filled[entry.number] = entry.asEnglish ? englishText(entry.number) : joined(entry);
        std::string support = filled[kSupportText];
        texts_ = std::move(filled);
        langIndex_ = index;
        FailureReporter::setLocalizedSupport(std::move(support));
    });
}

LangTable& LangText() {
    static LangTable table;
    return table;
}

} // namespace vm
