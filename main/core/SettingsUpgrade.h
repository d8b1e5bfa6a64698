#pragma once

namespace vm {

class IniLib;
class PerUserStore;

// Versions before 3.2 kept each database's logon values in the shared
// settings file; they belong to the user. Moves them into the per-user store
// (the password exactly as stored, still enciphered) and deletes them from
// the file. Safe to run again: a second run finds nothing to move.
void Upgrade_to_32(IniLib& ini, PerUserStore& store);

} // namespace vm
