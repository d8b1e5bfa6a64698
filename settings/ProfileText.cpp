#include "settings/ProfileText.h"

#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace vm {

namespace {

constexpr std::string_view kNewLine = "\r\n";

// Builds text from pieces; "literal" + std::string sets off a false
// -Wrestrict warning in GCC 12 optimised builds.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts)
        text += part;
    return text;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

template <class Trimmed> std::string_view trim(std::string_view text, Trimmed trimmed) {
    while (!text.empty() && trimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && trimmed(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    return trim(text, isBlank);
}

// Windows strips spaces, and only spaces, from the names a caller passes.
std::string_view trimSpaces(std::string_view text) {
    return trim(text, [](char c) { return c == ' '; });
}

enum class Kind { Blank, Comment, Header, Entry };

struct Parsed {
    Kind kind;
    std::string_view name;
    std::optional<std::size_t> equals; // position of the first "=" of an entry
};

Parsed parse(std::string_view line) {
    const std::string_view text = trimBlanks(line);
    if (text.empty())
        return {Kind::Blank, {}, {}};
    if (text.front() == ';')
        return {Kind::Comment, {}, {}};
    if (text.front() == '[') {
        const std::string_view name = text.substr(1);
        return {Kind::Header, trimBlanks(name.substr(0, name.find(']'))), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {Kind::Entry, text, {}};
    return {Kind::Entry, trimBlanks(line.substr(0, equals)), equals};
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool breaksLine(std::string_view text) {
    return text.find_first_of(kNewLine) != std::string_view::npos;
}

} // namespace

bool ProfileText::sectionNameReadsBack(std::string_view name) {
    if (name.empty() || breaksLine(name))
        return false;
    // The parsed name points into this line, so it must outlive it.
    const std::string line = joined({"[", name, "]"});
    const Parsed header = parse(line);
    return header.kind == Kind::Header && header.name == name;
}

bool ProfileText::valueReadsBack(std::string_view value) {
    return !breaksLine(value) && unquoted(trimBlanks(value)) == value;
}

namespace {

// A write is refused unless its lines read back as the same section and key,
// and its value stays on its line; otherwise a value could inject lines, or a
// key could never be found again and be appended anew on every write.
bool readsBack(std::string_view section, std::string_view key, std::string_view value) {
    if (!ProfileText::sectionNameReadsBack(section) || key.empty() || breaksLine(key) ||
        breaksLine(value))
        return false;
    const std::string entryLine = joined({key, "="});
    const Parsed entry = parse(entryLine);
    return entry.kind == Kind::Entry && entry.name == key;
}

} // namespace

ProfileText::ProfileText(std::string bytes, NamesEqual namesEqual)
    : bytes_(std::move(bytes)), namesEqual_(std::move(namesEqual)) {
    index();
}

void ProfileText::index() {
    // memchr keeps a 20 MB file quick to index even in an unoptimised build;
    // the next LF is remembered so that a file of CR-only lines is not searched
    // to its end for every line.
    begins_.clear();
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();
    if (size > UINT32_MAX)
        throw std::length_error("a profile text of more than 4 GB");
    const auto next = [&](char c, std::size_t from, std::size_t to) {
        const void* found = std::memchr(data + from, c, to - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : to;
    };
    std::size_t lf = next('\n', 0, size);
    for (std::size_t begin = 0; begin < size;) {
        if (lf < begin)
            lf = next('\n', begin, size);
        const std::size_t contentEnd = next('\r', begin, lf);
        std::size_t end = contentEnd;
        if (end < size)
            end += bytes_.compare(end, 2, kNewLine) == 0 ? 2 : 1;
        begins_.push_back(static_cast<std::uint32_t>(begin));
        begin = end;
    }
}

ProfileText::Line ProfileText::lineAt(std::size_t index) const {
    const std::size_t begin = begins_[index];
    const std::size_t end = index + 1 < begins_.size() ? begins_[index + 1] : bytes_.size();
    // A line's content holds no CR or LF: whatever of them ends it is its
    // ending, CR LF counting as one.
    std::size_t contentEnd = end;
    if (contentEnd > begin && bytes_[contentEnd - 1] == '\n')
        --contentEnd;
    if (contentEnd > begin && bytes_[contentEnd - 1] == '\r')
        --contentEnd;
    return {begin, contentEnd, end};
}

std::string_view ProfileText::content(std::size_t index) const {
    const Line l = lineAt(index);
    return std::string_view(bytes_).substr(l.begin, l.contentEnd - l.begin);
}

std::optional<ProfileText::Section> ProfileText::findSection(std::string_view name) const {
    // A nameless "[]" section is out of reach: Windows' ANSI functions
    // crash on it, and callers look up "" for records not yet named.
    if (name.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < begins_.size(); ++i) {
        const Parsed line = parse(content(i));
        if (line.kind != Kind::Header || !namesEqual_(line.name, name))
            continue;
        Section section{i, i + 1};
        while (section.end < begins_.size() && parse(content(section.end)).kind != Kind::Header)
            ++section.end;
        return section;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileText::findEntry(const Section& section,
                                                  std::string_view key) const {
    if (key.empty())
        return std::nullopt;
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        const Parsed line = parse(content(i));
        if (line.kind == Kind::Entry && namesEqual_(line.name, key))
            return i;
    }
    return std::nullopt;
}

void ProfileText::replace(std::size_t pos, std::size_t length, std::string_view text) {
    bytes_.replace(pos, length, text);
    index();
}

void ProfileText::insertAfter(std::optional<std::size_t> line, const std::string& lines) {
    if (!line) {
        replace(0, 0, lines);
        return;
    }
    const Line after = lineAt(*line);
    const bool unterminated = after.end == after.contentEnd;
    replace(after.end, 0, unterminated ? joined({kNewLine, lines}) : lines);
}

std::optional<std::string> ProfileText::value(std::string_view sectionName,
                                              std::string_view key) const {
    const std::optional<Section> section = findSection(trimSpaces(sectionName));
    const std::optional<std::size_t> entry =
        section ? findEntry(*section, trimSpaces(key)) : std::nullopt;
    if (!entry)
        return std::nullopt;
    const std::string_view line = content(*entry);
    const std::optional<std::size_t> equals = parse(line).equals;
    if (!equals)
        return std::nullopt;
    return std::string(unquoted(trimBlanks(line.substr(*equals + 1))));
}

std::vector<std::string> ProfileText::sectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < begins_.size(); ++i) {
        const Parsed line = parse(content(i));
        if (line.kind == Kind::Header)
            names.emplace_back(line.name);
    }
    return names;
}

ProfileText::Change ProfileText::setValue(std::string_view sectionName, std::string_view key,
                                          std::string_view value) {
    sectionName = trimSpaces(sectionName);
    key = trimSpaces(key);
    if (!readsBack(sectionName, key, value))
        return Change::Refused;
    const std::string entryLine = joined({key, "=", value, kNewLine});
    const std::optional<Section> section = findSection(sectionName);
    if (!section) {
        insertAfter(begins_.empty() ? std::nullopt : std::optional(begins_.size() - 1),
                    joined({"[", sectionName, "]", kNewLine, entryLine}));
        return Change::Changed;
    }
    if (const std::optional<std::size_t> entry = findEntry(*section, key)) {
        // Only the value changes; the key keeps its spelling and place.
        const Line line = lineAt(*entry);
        const std::optional<std::size_t> equals = parse(content(*entry)).equals;
        const std::size_t from = equals ? line.begin + *equals + 1 : line.contentEnd;
        if (equals && std::string_view(bytes_).substr(from, line.contentEnd - from) == value)
            return Change::Unchanged;
        const bool unterminated = line.end == line.contentEnd;
        replace(from, line.contentEnd - from,
                joined({equals ? "" : "=", value, unterminated ? kNewLine : ""}));
        return Change::Changed;
    }
    std::size_t lastEntry = section->header;
    for (std::size_t i = section->header + 1; i < section->end; ++i) {
        if (parse(content(i)).kind == Kind::Entry)
            lastEntry = i;
    }
    insertAfter(lastEntry, entryLine);
    return Change::Changed;
}

ProfileText::Change ProfileText::deleteKey(std::string_view sectionName, std::string_view key) {
    const std::optional<Section> section = findSection(trimSpaces(sectionName));
    const std::optional<std::size_t> entry =
        section ? findEntry(*section, trimSpaces(key)) : std::nullopt;
    if (!entry)
        return Change::Unchanged;
    const Line line = lineAt(*entry);
    replace(line.begin, line.end - line.begin, {});
    return Change::Changed;
}

ProfileText::Change ProfileText::deleteSection(std::string_view sectionName) {
    const std::optional<Section> section = findSection(trimSpaces(sectionName));
    if (!section)
        return Change::Unchanged;
    std::string kept;
    kept.reserve(bytes_.size());
    for (std::size_t i = 0; i < begins_.size(); ++i) {
        const bool inside = i > section->header && i < section->end;
        if (i != section->header && !(inside && parse(content(i)).kind == Kind::Entry)) {
            const Line line = lineAt(i);
            kept.append(bytes_, line.begin, line.end - line.begin);
        }
    }
    bytes_ = std::move(kept);
    index();
    return Change::Changed;
}

} // namespace vm
