#pragma once

// The host's automation classes as Windows registers them, shared by the COM
// client and by the Windows stand-in host that serves them in tests. The
// application's and the auxiliary commands' members are reached by name
// (IDispatch::GetIDsOfNames, without regard to letter case); the event
// control's only by dispatch number.
namespace vm::hostcom {

inline constexpr const char* kApplicationProgId = "ACTOLE.APPOBJECT";
inline constexpr const char* kAuxCommandsProgId = "ACTOLE.AUXCMDS";
inline constexpr const char* kEventControlProgId = "ACTEVENTLib.ActEvent";

// The event control's members. Subscribe takes a 4-byte integer 0 and answers
// a 4-byte integer (1 or more once subscribed); IsHostRunning answers a
// Boolean.
inline constexpr long kSubscribeDispId = 1;
inline constexpr long kUnsubscribeDispId = 2;
inline constexpr long kIsHostRunningDispId = 3;
// The dispatch number of OnActUserWantsToClose in the control's outgoing
// interface, the only event it raises.
inline constexpr long kUserWantsToCloseDispId = 1;

// The stand-in host's class identifiers (the client finds them by ProgID).
inline constexpr const char* kStandinApplicationClsid = "{816E04E8-B7FB-4FAA-842E-9DD5C8985DC9}";
inline constexpr const char* kStandinAuxCommandsClsid = "{CE436E66-DA26-4027-A541-6CBB9DD7DD95}";
inline constexpr const char* kStandinEventControlClsid = "{E39FD519-3558-4233-9780-3CD4698BF105}";
// The event control's outgoing dispatch interface.
inline constexpr const char* kStandinEventsIid = "{5792474F-9EC0-4F14-984F-B703071E3ABC}";

} // namespace vm::hostcom
