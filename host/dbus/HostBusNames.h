#pragma once

// The stand-in host's names on the D-Bus session bus, shared by the host and
// by the program that drives it.
namespace vm::hostbus {

inline constexpr const char* kService = "org.velmaris.HostStandin";

inline constexpr const char* kApplicationPath = "/Application";
inline constexpr const char* kApplicationInterface = "org.velmaris.HostStandin.Application";
inline constexpr const char* kViewsPath = "/Application/Views";
inline constexpr const char* kViewsInterface = "org.velmaris.HostStandin.Views";
// Each view made by Views.Create lives below kViewsPath.
inline constexpr const char* kViewInterface = "org.velmaris.HostStandin.View";
inline constexpr const char* kPreferencesPath = "/Application/Preferences";
inline constexpr const char* kPreferencesInterface = "org.velmaris.HostStandin.Preferences";
inline constexpr const char* kAuxCommandsPath = "/AuxCommands";
inline constexpr const char* kAuxCommandsInterface = "org.velmaris.HostStandin.AuxCommands";
inline constexpr const char* kEventControlPath = "/EventControl";
inline constexpr const char* kEventControlInterface = "org.velmaris.HostStandin.EventControl";
inline constexpr const char* kCloseSignal = "OnActUserWantsToClose";

} // namespace vm::hostbus
