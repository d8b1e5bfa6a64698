#pragma once

#include <optional>
#include <source_location>
#include <string>
#include <string_view>

namespace vm {

class IniLib;
class PerUserStore;

// Writes whose refusal must stop what depends on them: each raises the
// standard failure, naming the file, with the caller's line.
void setKey(IniLib& ini, std::string_view section, std::string_view key, std::string_view value,
            std::source_location where = std::source_location::current());
void deleteKey(IniLib& ini, std::string_view section, std::string_view key,
               std::source_location where = std::source_location::current());
void deleteSection(IniLib& ini, std::string_view section,
                   std::source_location where = std::source_location::current());
void saveSetting(PerUserStore& store, std::string_view section, std::string_view key,
                 std::string_view value,
                 std::source_location where = std::source_location::current());
void deleteSetting(PerUserStore& store, std::string_view section,
                   std::optional<std::string_view> key = std::nullopt,
                   std::source_location where = std::source_location::current());

// Takes a database's record out of both stores: its sections, or only its
// keys where a section also holds the program's own values.
void deleteRecord(IniLib& ini, PerUserStore& store, std::string_view name,
                  std::source_location where = std::source_location::current());

} // namespace vm
