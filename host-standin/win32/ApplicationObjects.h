#pragma once

#include "Dispatcher.h"

namespace standin::win {

// "ACTOLE.APPOBJECT": the application with its views and preferences.
class ApplicationObject : public HostObject {
public:
    explicit ApplicationObject(core::HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

class ViewsObject : public HostObject {
public:
    explicit ViewsObject(core::HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

// One view made by Views.Create, known to the host by its number.
class ViewObject : public HostObject {
public:
    ViewObject(core::HostState& host, int number);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    int number_;
};

class PreferencesObject : public HostObject {
public:
    explicit PreferencesObject(core::HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

} // namespace standin::win
