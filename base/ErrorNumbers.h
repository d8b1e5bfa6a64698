#pragma once

// Error numbers that appear in failure reports. Where the original numbering
// names a value it is kept; the others are ours and start at 2000.
namespace vm::err {

inline constexpr int kOverflow = 6;            // a number too large for its type
inline constexpr int kOutOfMemory = 7;         // allocation failed
inline constexpr int kSubscript = 9;           // an index outside its table
inline constexpr int kTypeMismatch = 13;       // a stored value is not a number
inline constexpr int kPathNotFound = 76;       // a folder that does not exist
inline constexpr int kObjectNotSet = 91;       // an object used before it was set
inline constexpr int kRegistry = 1001;         // host registry key or value type
inline constexpr int kUnexpected = 2000;       // any other standard-library failure
inline constexpr int kFileAccess = 2001;       // a file could not be read or written
inline constexpr int kNotRepresentable = 2002; // text the settings file's code page cannot hold
inline constexpr int kHostAutomation = 2003;   // the host refused an automation call
inline constexpr int kProgramStart = 2004;     // another program could not be started

} // namespace vm::err
