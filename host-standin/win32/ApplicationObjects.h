#pragma once

#include "Dispatcher.h"
#include "HostState.h"

namespace standin::win {

// "ACTOLE.APPOBJECT": the application with its views and preferences.
class ApplicationObject : public Dispatcher {
public:
    explicit ApplicationObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    HostState& host_;
};

class ViewsObject : public Dispatcher {
public:
    explicit ViewsObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    HostState& host_;
};

// One view made by Views.Create, known to the host by its number.
class ViewObject : public Dispatcher {
public:
    ViewObject(HostState& host, int number);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    HostState& host_;
    int number_;
};

class PreferencesObject : public Dispatcher {
public:
    explicit PreferencesObject(HostState& host);

protected:
    Answer call(const Member& member, Call& call) override;

private:
    HostState& host_;
};

} // namespace standin::win
