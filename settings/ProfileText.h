#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// The bytes of a profile ("INI") file, read and edited the way the Windows
// profile functions (GetPrivateProfileString, WritePrivateProfileString) do:
//
// - Lines end in CR LF, LF or CR alone. A line whose first non-blank
//   character is "[" opens a section named by what follows, up to the first
//   "]" or the end of the line; a line starting with ";" is a comment; any
//   other non-blank line is an entry "key=value" (or a bare key without "=").
//   Blanks (space, tab, vertical tab) around names and values do not count;
//   a value enclosed in matching ' or " quotes reads without them.
// - Names given by the caller lose leading and trailing spaces only; an
//   empty name matches nothing, so a nameless "[]" section and the lines
//   before the first section cannot be reached.
// - Of duplicate sections and keys, the first one is read, changed or
//   deleted.
// - Edits touch only the lines they change; every other byte, whatever it
//   is, stays as it was. New lines end in CR LF.
class ProfileText {
public:
    // Compares a name found in the file with a name given by the caller.
    using NamesEqual = std::function<bool(std::string_view inFile, std::string_view given)>;

    // Refused: the names or the value would not read back as written (an
    // empty name, a line break, a key holding "=", ...).
    enum class Change { Changed, Unchanged, Refused };

    ProfileText(std::string bytes, NamesEqual namesEqual);

    const std::string& bytes() const { return bytes_; }

    // Whether a section of this name, or an entry holding this value, is read
    // back exactly as it is written (values are written as given, so blanks
    // around them or matching quotes would be lost on reading).
    static bool sectionNameReadsBack(std::string_view name);
    static bool valueReadsBack(std::string_view value);

    // nullopt when the section or the key is missing, or the key has no "=".
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // In file order, duplicates included.
    std::vector<std::string> sectionNames() const;

    // The value is written as given, blanks included. It replaces the value
    // of an existing key in place; a new key goes right
    // after the last entry of its section (comments and blank lines that
    // follow it stay after it), a new section at the end of the file.
    Change setValue(std::string_view section, std::string_view key, std::string_view value);
    Change deleteKey(std::string_view section, std::string_view key);
    // Removes the section's header and its entries; comment and blank lines
    // inside it stay, as Windows leaves them.
    Change deleteSection(std::string_view section);

private:
    struct Line {
        std::size_t begin;
        std::size_t contentEnd; // where the line ending starts
        std::size_t end;        // past the line ending
    };
    // Only where each line begins is kept, four bytes a line, so that a file
    // of many short lines costs little more than its own size to edit.
    Line lineAt(std::size_t index) const;
    struct Section {
        std::size_t header; // line index
        std::size_t end;    // index of the next header, or the line count
    };

    void index();
    std::string_view content(std::size_t line) const;
    std::optional<Section> findSection(std::string_view name) const;
    std::optional<std::size_t> findEntry(const Section& section, std::string_view key) const;
    void replace(std::size_t pos, std::size_t length, std::string_view text);
    // Inserts whole lines after `line` (at the start when nullopt), first
    // ending that line if it is the file's unterminated last line.
    void insertAfter(std::optional<std::size_t> line, const std::string& lines);

    std::string bytes_;
    NamesEqual namesEqual_;
    std::vector<std::uint32_t> begins_;
};

} // namespace vm
