#include "host/com/ComEventControl.h"
#include "ClassIds.h"
#include "ComText.h"
#include "HostServer.h"
#include "host/com/ComEventSource.h"
#include "host/com/ComHostConnection.h"
#include "host/com/HostComNames.h"
#include "support/Eventually.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

namespace standin::win::test {

namespace {

namespace hostcom = vm::hostcom;
using vm::com::ComPtr;

using ComEventControlTest = HostTest;

TEST_F(ComEventControlTest, ReachesTheRunningHostAndHearsItCloseOnTheSubscribersThread) {
    HostServer host;
    ASSERT_TRUE(host.start()) << "the host's frame did not show";
    vm::ComEventControl control;
    int heard = 0;
    DWORD thread = 0;
    control.OnActUserWantsToClose([&] {
        ++heard;
        thread = ::GetCurrentThreadId();
    });

    EXPECT_TRUE(control.Dispatch3()) << "whether the host runs is a property";
    ASSERT_EQ(control.Dispatch1(0), 1);
    ::PostMessageW(host.frame(), WM_CLOSE, 0, 0);
    vm::test::waitFor("the close event", [&heard] { return heard > 0; });
    EXPECT_EQ(heard, 1) << "the close event came through another point than the control's events";
    EXPECT_EQ(thread, ::GetCurrentThreadId());
    EXPECT_TRUE(host.waitForExit());

    // With the host gone: no subscription, and ending one never fails.
    EXPECT_FALSE(control.Dispatch3());
    EXPECT_EQ(control.Dispatch1(0), 0);
    control.Dispatch2();
}

// The stand-in's control with some of its interfaces hidden, as a control
// that tells less of itself is.
// COM leaves its interfaces' destructors non-virtual: the object ends through its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class Hiding : public IUnknown {
public:
    Hiding(IUnknown* control, std::vector<IID> hidden)
        : control_(control), hidden_(std::move(hidden)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (std::find(hidden_.begin(), hidden_.end(), iid) != hidden_.end())
            return E_NOINTERFACE;
        if (iid == IID_IUnknown) {
            *out = this;
            return S_OK;
        }
        return control_->QueryInterface(iid, out);
    }
    // Lives on the test's stack.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

private:
    IUnknown* control_;
    std::vector<IID> hidden_;
};
#pragma GCC diagnostic pop

struct Description {
    const char* name;
    std::vector<IID> hidden;
    friend void PrintTo(const Description& description, std::ostream* out) {
        *out << description.name;
    }
};

class EventsPointTest : public ::testing::TestWithParam<Description> {};

TEST_P(EventsPointTest, IsTheControlsOwnEventsThoughPropertyChangesComeFirst) {
    vm::ComApartment apartment;
    HostServer registered;
    ComPtr<IDispatch> control;
    control.Attach(create(hostcom::kEventControlProgId, CLSCTX_INPROC_SERVER));
    ASSERT_NE(control.Get(), nullptr) << "ACTEVENTLib.ActEvent is not registered";
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IEnumConnectionPoints> points;
    ComPtr<IConnectionPoint> first;
    ASSERT_EQ(control->QueryInterface(IID_PPV_ARGS(&container)), S_OK);
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    ASSERT_EQ(points->Next(1, &first, nullptr), S_OK);
    IID events{};
    EXPECT_EQ(first->GetConnectionInterface(&events), S_OK);
    EXPECT_EQ(events, IID_IPropertyNotifySink);

    Hiding described(control.Get(), GetParam().hidden);
    const auto point = vm::com::eventsPointOf(&described);
    ASSERT_EQ(point->GetConnectionInterface(&events), S_OK);
    EXPECT_EQ(events, clsidOf(standin::win::kEventsIid));
}

INSTANTIATE_TEST_SUITE_P(
    ComEventControl, EventsPointTest,
    ::testing::Values(Description{"ByClassInfo2", {}},
                      Description{"ByTypeInformation", {IID_IProvideClassInfo2}},
                      Description{"ByElimination",
                                  {IID_IProvideClassInfo2, IID_IProvideClassInfo}}),
    [](const auto& instance) { return std::string(instance.param.name); });

} // namespace

} // namespace standin::win::test
