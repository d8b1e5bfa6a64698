#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vm {

// The settings file is Windows-1252 text, but a user's editor may have saved
// it as UTF-8 with a byte-order mark or as UTF-16. The profile functions
// work on Windows-1252; these turn a file of any of the three into that and
// back into the file's own encoding, so that one file never mixes two.
class SettingsFileText {
public:
    enum class Encoding { Ansi, Utf8WithMark, Utf16LE, Utf16BE };

    explicit SettingsFileText(std::string bytes);

    Encoding encoding() const { return encoding_; }
    // The text in Windows-1252; for a file that holds characters the code
    // page lacks, or is not valid in its encoding, the bytes after the mark
    // as they are, which still reads its plain-ASCII names and values.
    const std::string& ansi() const { return ansi_; }
    // The same, handed over: ansi() is empty afterwards.
    std::string releaseAnsi() { return std::move(ansi_); }
    // The edited Windows-1252 text in the file's encoding; nullopt where the
    // file could not be decoded, and writing it would mix two encodings.
    std::optional<std::string> encode(const std::string& ansi) const;

private:
    Encoding encoding_ = Encoding::Ansi;
    std::string ansi_;
    bool decoded_ = true;
};

} // namespace vm
