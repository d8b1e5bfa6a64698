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

} // namespace vm::hostcom
