#include "base/FailureReport.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <new>

using namespace vm;

namespace {

class FailureReportTest : public ::testing::Test {
protected:
    test::CapturedReports reports;
    test::RecordingPrompter& prompter = reports.prompter;
};

} // namespace

TEST(FailureReportText, IsBuiltInTheFixedOrder) {
    EXPECT_EQ(failureReportText(91, "Object variable not set", {"frmMain", "Sub", "Form_Load"}, 12,
                                "Please contact us."),
              "Error 91: 'Object variable not set'\rin frmMain: Sub Form_Load - Line # 12\r\r"
              "Please contact us.");
}

TEST_F(FailureReportTest, FailureCarriesItsNumberAndTheLineThatRaisedIt) {
    unsigned raisedAt = 0;
    const int result = guarded({"RegistrySubs", "Function", "SetRegistryValue"}, -1, [&]() -> int {
        raisedAt = std::source_location::current().line() + 1;
        throw Failure(1001, "Unsupported value type");
    });
    EXPECT_EQ(result, -1);
    ASSERT_EQ(prompter.asked.size(), 1u);
    const auto& shown = prompter.asked[0];
    EXPECT_EQ(shown.caption, "Velmaris error");
    EXPECT_EQ(shown.buttons, Prompter::Buttons::Ok);
    EXPECT_EQ(shown.icon, Prompter::Icon::None);
    EXPECT_EQ(shown.text, "Error 1001: 'Unsupported value type'\rin RegistrySubs: Function "
                          "SetRegistryValue - Line # " +
                              std::to_string(raisedAt) + "\r\r" + fixedSupportSentence());
}

TEST_F(FailureReportTest, ObjectNotSetCarriesNumber91AndTheLineOfItsCaller) {
    unsigned raisedAt = 0;
    guarded({"frmMain", "Sub", "cmdOpen_Click"}, [&] {
        raisedAt = std::source_location::current().line() + 1;
        throwObjectNotSet();
    });
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text,
              "Error 91: 'Object variable or With block variable not set'\rin frmMain: Sub "
              "cmdOpen_Click - Line # " +
                  std::to_string(raisedAt) + "\r\r" + fixedSupportSentence());
}

TEST_F(FailureReportTest, SupportSentenceIsLocalizedOnlyWhereAsked) {
    FailureReporter::setLocalizedSupport("SVP nous contacter avec ce message d'erreur.");
    guarded(
        {"frmMain", "Sub", "Form_Load"}, [] { throw std::bad_alloc(); }, Support::Localized);
    guarded({"frmMain", "Sub", "mnuHelp_Click"}, [] { throw std::runtime_error("boom"); });
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_NE(prompter.asked[0].text.find("Error 7: 'Out of memory'"), std::string::npos);
    EXPECT_TRUE(
        prompter.asked[0].text.ends_with("\r\rSVP nous contacter avec ce message d'erreur."));
    EXPECT_TRUE(prompter.asked[1].text.ends_with("\r\r" + fixedSupportSentence()));
}

TEST_F(FailureReportTest, ProgramTitleNamesTheCaption) {
    FailureReporter::install(&prompter, "logon");
    guarded({"Form1", "Sub", "tmr1_Timer"}, [] { throw Failure(5, "Invalid call"); });
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].caption, "logon error");
}
