#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vm {

// What belongs to one user rather than to the shared list: values addressed
// by (section, key) under one application name. Names compare without regard
// to letter case; values are byte strings, and every byte 0-255 survives
// (an enciphered password can hold NUL, CR and LF).
class PerUserStore {
public:
    virtual ~PerUserStore() = default;
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view defaultValue = {}) = 0;
    [[nodiscard]] virtual bool SaveSetting(std::string_view section, std::string_view key,
                                           std::string_view value) = 0;
    // Deletes one value, or the whole section when no key is given.
    [[nodiscard]] virtual bool
    DeleteSetting(std::string_view section, std::optional<std::string_view> key = std::nullopt) = 0;
    // Deletes every value of the application.
    [[nodiscard]] virtual bool DeleteAll() = 0;
    // Where the values live, as a failure report names it.
    virtual std::string location() const = 0;
};

// The description a failure report gives when the store refuses a write.
std::string cannotWriteMessage(const PerUserStore& store);

// Compares names the way the stores do: without regard to letter case, for
// UTF-8 text (ASCII and the Latin, Greek and Cyrillic letters).
bool sameNameUtf8(std::string_view a, std::string_view b);

// For tests and for programs that must not touch the user's real settings.
class MemoryPerUserStore : public PerUserStore {
public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) override;
    [[nodiscard]] bool SaveSetting(std::string_view section, std::string_view key,
                                   std::string_view value) override;
    [[nodiscard]] bool DeleteSetting(std::string_view section,
                                     std::optional<std::string_view> key = std::nullopt) override;
    [[nodiscard]] bool DeleteAll() override;
    std::string location() const override { return "memory"; }

private:
    struct Less {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    std::map<std::string, std::map<std::string, std::string, Less>, Less> sections_;
};

// The per-user store on Linux: one file in profile syntax, mode 0600, under
// ${XDG_CONFIG_HOME:-$HOME/.config}/<application>/, written with the same
// locking and atomic replace as the settings file.
class FilePerUserStore : public PerUserStore {
public:
    explicit FilePerUserStore(const std::string& applicationName);
    static FilePerUserStore atPath(std::string filePath);

    const std::string& path() const { return path_; }
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue = {}) override;
    [[nodiscard]] bool SaveSetting(std::string_view section, std::string_view key,
                                   std::string_view value) override;
    [[nodiscard]] bool DeleteSetting(std::string_view section,
                                     std::optional<std::string_view> key = std::nullopt) override;
    [[nodiscard]] bool DeleteAll() override;
    std::string location() const override { return path_; }

private:
    struct ExplicitPath {};
    FilePerUserStore(ExplicitPath, std::string filePath) : path_(std::move(filePath)) {}
    std::string path_;
};

// The store the running programs use: the per-user file on Linux, the
// current user's registry key on Windows.
std::unique_ptr<PerUserStore> openPerUserStore(std::string_view applicationName);

} // namespace vm
