// Opening and closing a screen leaves nothing behind: after the first rounds,
// which may fill caches that last the process, the count of live components
// stays where it was and the heap does not grow by more than the allocator's
// own bookkeeping (a screen kept alive, or its pictures, is tens of kilobytes).

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <string>

#include "app/MainForm.h"
#include "app/ScreenCatalog.h"
#include "app/Startup.h"
#include "platform/framework/Application.h"
#include "platform/framework/ComponentCount.h"
#include "platform/framework/Form.h"
#include "UnderSanitizer.h"
#include "support/ScreenTest.h"

namespace {

class OpenClose : public ScreenFixture<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        Application()->SetModalHook([](TCustomForm* form) { form->SetModalResult(mrCancel); });
    }
};

} // namespace

TEST_P(OpenClose, ScreensOpenedAgainAndAgainLeaveNoComponentsBehind)
{
    const ScreenEntry* entry = FindScreen(QString::fromLatin1(GetParam()));
    ASSERT_NE(entry, nullptr);
    auto round = [&] {
        ShowModalForm(entry->make);
        Application()->ProcessMessages();
    };
    for (int i = 0; i < 3; ++i)
        round();
    const int after = LiveComponentCount();
    const size_t heap = mallinfo2().uordblks;
    const int rounds = ScaledForSanitizer(100);
    for (int i = 0; i < rounds; ++i)
        round();
    EXPECT_EQ(LiveComponentCount(), after);
    const long growth = (long(mallinfo2().uordblks) - long(heap)) / rounds;
    RecordProperty("heap_bytes_per_round", std::to_string(growth));
    std::printf("%s: heap %+ld bytes per round\n", GetParam(), growth);
    EXPECT_LT(growth, 2048);
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, OpenClose,
                         ::testing::Values("TOrgForm", "TUserForm", "TPostForm", "TRightSetForm", "TDepartPropForm",
                                           "TRolePropForm"),
                         [](const auto& p) { return std::string(p.param); });
