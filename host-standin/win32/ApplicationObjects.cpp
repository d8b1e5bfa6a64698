#include "ApplicationObjects.h"

#include "host-standin/core/Refusal.h"

#include <memory>
#include <optional>

namespace standin::win {

using namespace standin::core;

namespace {

// The objects' names in the journal, the Linux host's bus paths.
const std::string kApplicationName = "/Application";
const std::string kViewsName = "/Application/Views";
const std::string kPreferencesName = "/Application/Preferences";

enum ApplicationMember : DISPID {
    kOpenFile = 1,
    kOpenDB,
    kRunMacro,
    kGetOpenDBName,
    kGetCurrentUserName,
    kGetAppPath,
    kCommand,
    kViews,
    kPreferences,
};

enum PreferencesMember : DISPID {
    kDefaultContactLayout = 1,
    kDefaultGroupLayout,
    kStartupMacro,
    kUseLastDBonStartup,
    kGetDefaultLocation,
};

constexpr DISPID kCreate = 1;
constexpr DISPID kSetCalendarMode = 1;

Answer nothing() {
    return {nullptr};
}

// The frame's login dialog is modal, so an open is over, one way or the other,
// by the time openDatabase returns; a caller is answered only then.
void openNow(HostState& host, const std::string& path) {
    auto refusal = std::make_shared<std::optional<std::string>>();
    host.openDatabase(path, [refusal](const std::string& why) { *refusal = why; });
    if (!*refusal)
        throw Refusal("The host is still waiting for the login.");
    if (!(*refusal)->empty())
        throw Refusal(**refusal);
}

} // namespace

ApplicationObject::ApplicationObject(HostState& host)
    : HostObject(host, kApplicationName,
                 {{L"OpenFile", kOpenFile, 1},
                  {L"openDB", kOpenDB, 1},
                  {L"RunMacro", kRunMacro, 1},
                  {L"GetOpenDBName", kGetOpenDBName, 0},
                  {L"GetCurrentUserName", kGetCurrentUserName, 0},
                  {L"GetAppPath", kGetAppPath, 0},
                  {L"Command", kCommand, 1},
                  {L"Views", kViews, 0},
                  {L"Preferences", kPreferences, 0}}) {}

Answer ApplicationObject::call(const Member& member, Call& call) {
    switch (member.id) {
    case kOpenFile: {
        const std::string path = call.text();
        if (!path.empty())
            openNow(host_, path);
        return nothing();
    }
    case kOpenDB:
        openNow(host_, call.text());
        return nothing();
    case kRunMacro:
        host_.runMacro(call.text());
        return nothing();
    case kGetOpenDBName:
        return {host_.current().path};
    case kGetCurrentUserName:
        return {host_.current().userName};
    case kGetAppPath:
        return {host_.appPath()};
    case kCommand:
        host_.command(call.number());
        return nothing();
    case kViews:
        return {kViewsName, new ViewsObject(host_), false};
    default:
        return {kPreferencesName, new PreferencesObject(host_), false};
    }
}

ViewsObject::ViewsObject(HostState& host)
    : HostObject(host, kViewsName, {{L"Create", kCreate, 2}}) {}

Answer ViewsObject::call(const Member&, Call& call) {
    const int viewType = call.number();
    call.text();
    const int number = host_.createView(viewType);
    return {kViewsName + "/" + std::to_string(number), new ViewObject(host_, number)};
}

ViewObject::ViewObject(HostState& host, int number)
    : HostObject(host, kViewsName + "/" + std::to_string(number),
                 {{L"SetCalendarMode", kSetCalendarMode, 1}}),
      number_(number) {}

Answer ViewObject::call(const Member&, Call& call) {
    host_.setCalendarMode(number_, call.number());
    return nothing();
}

PreferencesObject::PreferencesObject(HostState& host)
    : HostObject(host, kPreferencesName,
                 {{L"DefaultContactLayout", kDefaultContactLayout, 0, true},
                  {L"DefaultGroupLayout", kDefaultGroupLayout, 0, true},
                  {L"StartupMacro", kStartupMacro, 0, true},
                  {L"UseLastDBonStartup", kUseLastDBonStartup, 0},
                  {L"GetDefaultLocation", kGetDefaultLocation, 1}}) {}

Answer PreferencesObject::call(const Member& member, Call& call) {
    std::string Profile::*preference = nullptr;
    switch (member.id) {
    case kUseLastDBonStartup:
        return {host_.useLastDatabaseOnStartup()};
    case kGetDefaultLocation:
        return {host_.defaultLocation(call.number())};
    case kDefaultContactLayout:
        preference = &Profile::defaultContactLayout;
        break;
    case kDefaultGroupLayout:
        preference = &Profile::defaultGroupLayout;
        break;
    default:
        preference = &Profile::startupMacro;
    }
    if (!call.isPut())
        return {host_.profile().*preference};
    host_.setPreference(preference, call.text());
    return nothing();
}

} // namespace standin::win
