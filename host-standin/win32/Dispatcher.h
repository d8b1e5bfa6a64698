#pragma once

#include "ComObject.h"
#include "host-standin/core/HostState.h"
#include "host-standin/core/Journal.h"
#include "host-standin/core/Json.h"

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

namespace standin::win {

// The host's behaviour is the portable core's; this folder adds Win32 and COM.

// One call's arguments, taken in the caller's order and coerced to the kind
// the member wants, so that a number may come as VT_I2, VT_I4 or text. Each
// argument taken is kept for the journal.
class Call {
public:
    Call(const DISPPARAMS& params, bool put) : params_(params), put_(put) {}

    bool isPut() const { return put_; }
    std::string text();
    int number();
    const core::Json::Array& journalArgs() const { return args_; }

    // An argument that cannot become what the member wants.
    struct BadArgument {
        UINT index;
    };

private:
    VARIANT next(VARTYPE type);

    const DISPPARAMS& params_;
    bool put_;
    UINT taken_ = 0;
    core::Json::Array args_;
};

// What a member answers: `value` for the caller and the journal, or an
// object for the caller with `value` naming it in the journal.
struct Answer {
    core::Json value;
    IDispatch* object = nullptr;
    // Reaching a sub-object is no call of the host's on Linux; not recorded.
    bool journaled = true;
};

// An automation object with a fixed set of members, reached by name without
// regard to letter case. Every call and its outcome go into the journal
// under the object's name; a refusal reaches the caller as DISP_E_EXCEPTION
// with the reason as the description.
class Dispatcher : public DispatchObject<> {
public:
    struct Member {
        const wchar_t* name;
        DISPID id;
        unsigned arguments;
        // Written as a property (the journal names the write "Set<name>").
        bool settable = false;
    };

    Dispatcher(core::Journal journal, std::string objectName, std::vector<Member> members)
        : journal_(std::move(journal)), objectName_(std::move(objectName)),
          members_(std::move(members)) {}

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override;

protected:
    // Does the member's work; throws Refusal to turn the call down.
    virtual Answer call(const Member& member, Call& call) = 0;

private:
    const Member* find(DISPID id) const;

    core::Journal journal_;
    std::string objectName_;
    std::vector<Member> members_;
};

// An object of the host's: its members act on the host's state and go into
// the host's journal.
class HostObject : public Dispatcher {
protected:
    HostObject(core::HostState& host, std::string objectName, std::vector<Member> members)
        : Dispatcher(host.journal(), std::move(objectName), std::move(members)), host_(host) {}

    core::HostState& host_;
};

} // namespace standin::win
