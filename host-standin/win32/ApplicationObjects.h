#pragma once

#include "Dispatcher.h"

namespace standin::win {

// "ACTOLE.APPOBJECT": the application with its views and preferences.
class ApplicationObject : public HostObject {
public:
    explicit ApplicationObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

class ViewsObject : public HostObject {
public:
    explicit ViewsObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

// One view made by Views.Create, known to the host by its number.
class ViewObject : public HostObject {
public:
    ViewObject(HostState& host, int number);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    int number_;
};

class PreferencesObject : public HostObject {
public:
    explicit PreferencesObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;
};

} // namespace standin::win
