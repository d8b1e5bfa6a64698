#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vm {

class ProfileText;

// The only code that touches the settings file. Text is UTF-8 here and
// Windows-1252 on disk; names compare without regard to letter case. Every
// call reads the file afresh (unless a Snapshot holds it), and every write is one locked
// read-modify-replace of the whole file, so concurrent writers lose nothing
// and a crash leaves either the old or the new file. An empty `file` means
// `sIniPath`.
class IniLib {
public:
    std::string sIniPath;

    // While one lives, the reads through this object of a settings file come
    // from one reading of it, made at the first: one user action sees the
    // file as other users left it when the action began, and filling a long
    // list costs one reading, not one per row. A write through this object
    // lets go of the file it wrote, so that the action reads its own writes.
    class Snapshot {
    public:
        explicit Snapshot(const IniLib& ini);
        ~Snapshot();
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;

    private:
        const IniLib& ini_;
    };

    // The value, cut to 998 characters, or `defaultValue` when the value is
    // missing or empty, or the file cannot be read.
    std::string GetKeyValue(const std::string& section, const std::string& key,
                            const std::string& defaultValue, const std::string& file = "") const;

    // Several values of one section from one reading of the file, each as
    // GetKeyValue would give it with an empty default.
    std::vector<std::string> GetKeyValues(const std::string& section,
                                          const std::vector<std::string>& keys,
                                          const std::string& file = "") const;

    // The writes return false, changing nothing, when the file cannot be
    // written (read-only, missing folder, a folder in its place) or the text
    // cannot be stored: characters outside Windows-1252, a line break in a
    // value, or a name that would not read back as given.
    [[nodiscard]] bool SetKeyValue(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& file = "");
    [[nodiscard]] bool DeleteKey(const std::string& section, const std::string& key,
                                 const std::string& file = "");
    [[nodiscard]] bool DeleteSection(const std::string& section, const std::string& file = "");

    // The description a failure report gives when a write was refused.
    std::string cannotWriteMessage(const std::string& file = "") const;

    // The section names in file order, as many as Windows returns in its
    // 999-character buffer: the names that fit, the last possibly cut. A
    // nameless section is left out rather than ending the list.
    std::vector<std::string> Extract_Sections(const std::string& file = "") const;

private:
    template <class Edit> bool edit(const std::string& file, bool createsFile, Edit&& change);
    const std::string& pathOf(const std::string& file) const;
    // The file's text, or null when it cannot be read.
    std::shared_ptr<const ProfileText> profile(const std::string& file) const;

    // The readings held by the snapshots alive, by path.
    mutable int snapshots_ = 0;
    mutable std::map<std::string, std::shared_ptr<const ProfileText>> held_;

    // Why the last write failed, where that is known.
    std::string lastProblem_;
};

} // namespace vm
