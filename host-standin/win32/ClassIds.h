#pragma once

// The stand-in host's own class identifiers. A client finds the classes by
// their ProgIDs (host/com/HostComNames.h), so these are the stand-in's alone.
namespace standin::win {

inline constexpr const char* kApplicationClsid = "{816E04E8-B7FB-4FAA-842E-9DD5C8985DC9}";
inline constexpr const char* kAuxCommandsClsid = "{CE436E66-DA26-4027-A541-6CBB9DD7DD95}";
inline constexpr const char* kEventControlClsid = "{E39FD519-3558-4233-9780-3CD4698BF105}";
// The event control's outgoing dispatch interface.
inline constexpr const char* kEventsIid = "{5792474F-9EC0-4F14-984F-B703071E3ABC}";

} // namespace standin::win
