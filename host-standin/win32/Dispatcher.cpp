#include "Dispatcher.h"

#include "ComText.h"
#include "host-standin/core/Refusal.h"

namespace standin::win {

using namespace standin::core;

namespace {

void fillException(EXCEPINFO* exception, const std::string& why) {
    if (!exception)
        return;
    *exception = EXCEPINFO{};
    exception->bstrSource = ::SysAllocString(L"Host Stand-in");
    exception->bstrDescription = bstrOf(why);
    exception->scode = E_FAIL;
}

void fillResult(VARIANT* result, const Answer& answer) {
    if (!result) {
        if (answer.object)
            answer.object->Release();
        return;
    }
    ::VariantInit(result);
    if (answer.object) {
        result->vt = VT_DISPATCH;
        result->pdispVal = answer.object;
    } else if (const std::string* text = answer.value.text()) {
        result->vt = VT_BSTR;
        result->bstrVal = bstrOf(*text);
    } else if (const bool* b = answer.value.boolean()) {
        result->vt = VT_BOOL;
        result->boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const std::int64_t* n = answer.value.number()) {
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(*n);
    }
}

} // namespace

VARIANT Call::next(VARTYPE type) {
    // The caller's first argument is the last in rgvarg.
    const UINT index = params_.cArgs - 1 - taken_;
    VARIANT value;
    ::VariantInit(&value);
    if (taken_ >= params_.cArgs ||
        FAILED(::VariantChangeType(&value, &params_.rgvarg[index], 0, type)))
        throw BadArgument{index};
    ++taken_;
    return value;
}

std::string Call::text() {
    VARIANT value = next(VT_BSTR);
    std::string text = utf8Of(std::wstring_view(value.bstrVal, ::SysStringLen(value.bstrVal)));
    ::VariantClear(&value);
    args_.emplace_back(text);
    return text;
}

int Call::number() {
    const VARIANT value = next(VT_I4);
    args_.emplace_back(static_cast<int>(value.lVal));
    return value.lVal;
}

HRESULT STDMETHODCALLTYPE Dispatcher::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                    DISPID* ids) {
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    // Only the member itself has a name here; argument names are unknown.
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    for (const Member& member : members_) {
        if (::CompareStringOrdinal(names[0], -1, member.name, -1, TRUE) == CSTR_EQUAL) {
            ids[0] = member.id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

const Dispatcher::Member* Dispatcher::find(DISPID id) const {
    for (const Member& member : members_) {
        if (member.id == id)
            return &member;
    }
    return nullptr;
}

HRESULT STDMETHODCALLTYPE Dispatcher::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                             DISPPARAMS* params, VARIANT* result,
                                             EXCEPINFO* exception, UINT* argumentError) {
    const Member* member = find(id);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (put && !member->settable)
        return DISP_E_MEMBERNOTFOUND;
    if (put ? params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
                  params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT
            : params->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (params->cArgs != (put ? 1 : member->arguments))
        return DISP_E_BADPARAMCOUNT;

    Call arguments(*params, put);
    const std::string name = (put ? "Set" : "") + utf8Of(member->name);
    std::string why;
    try {
        Answer answer = call(*member, arguments);
        if (answer.journaled)
            journal_.recordResult(objectName_, name, arguments.journalArgs(), answer.value);
        fillResult(result, answer);
        return S_OK;
    } catch (const Call::BadArgument& bad) {
        if (argumentError)
            *argumentError = bad.index;
        return DISP_E_TYPEMISMATCH;
    } catch (const Refusal& refusal) {
        why = refusal.what();
    } catch (const std::exception& failure) {
        // Nothing may leave through COM; the caller hears what went wrong.
        why = std::string("The host failed: ") + failure.what();
    }
    journal_.recordError(objectName_, name, arguments.journalArgs(), why);
    fillException(exception, why);
    return DISP_E_EXCEPTION;
}

} // namespace standin::win
