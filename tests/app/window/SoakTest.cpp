#include "app/hookups/HistoryHookup.h"
#include "tests/app/window/MainWindowFixture.h"

#include <fstream>
#include <random>
#include <string>

using namespace lirasto::test;

namespace {

// The resident set size of this process in kilobytes.
long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// What the window may grow by over the questions after the first thousand. Each repaint costs a
// little resident memory inside Qt (a key and a verdict are painted at once, so about two per
// answer); the address sanitizer's allocator, which keeps freed blocks apart, makes that more.
#ifdef __SANITIZE_ADDRESS__
constexpr long kGrowthBudgetKb = 4096;
#else
constexpr long kGrowthBudgetKb = 2048;
#endif

// Ten thousand questions answered right and wrong at random leave no layer
// behind and no growth in memory.
TEST_F(MainWindowTest, TenThousandQuestionsLeaveNothingBehind)
{
    OpenShown();
    // The history keeps every answer by design; what is weighed here is the window.
    Core().RemoveListener(&form_->History().Recorder());
    std::mt19937 random(7);
    RandSeed = 99;
    int questions = 0;
    long rssAfterWarmUp = -1;
    form_->bStartClick(form_->bStart);
    while (questions < 10000) {
        Tick();
        if (!form_->Timer->Enabled()) {
            // Alternate between a Reset and a fresh Start, with a page switch now and then.
            if (questions % 3 == 0) {
                form_->PageControl->setCurrentWidget(form_->tsInfo);
                form_->PageControl->setCurrentWidget(form_->tsMain);
            }
            form_->bStartClick(form_->bStart);
            continue;
        }
        if (Core().QuestionDue() != Core().QuestionsPosed())
            continue;
        ++questions;
        const int right = Core().CurrentNote() % 12;
        const int tries = static_cast<int>(random() % 3);
        for (int t = 0; t < tries; ++t)
            Answer((right + 1 + static_cast<int>(random() % 11)) % 12);
        if (random() % 4 != 0)
            Answer(right);
        if (questions % 997 == 0)
            form_->bResetClick(form_->bReset), form_->bStartClick(form_->bStart);
        ASSERT_LE(form_->ImgClefs->Layers()->Count(), 2 + 1 + 3);
        ASSERT_EQ(form_->imgPiano->Layers()->Count(), 0);
        if (questions == 1000) {
            QCoreApplication::processEvents();
            rssAfterWarmUp = residentKilobytes();
        }
    }
    form_->bResetClick(form_->bReset);
    QCoreApplication::processEvents();
    // Layer counts are back at their rest values: the two key signatures, no highlight.
    EXPECT_EQ(form_->ImgClefs->Layers()->Count(), 2);
    EXPECT_EQ(form_->imgPiano->Layers()->Count(), 0);
    EXPECT_FALSE(form_->Staff().EvaluationMarkShown);
    EXPECT_EQ(Core().HeldKeyCount(), 0);
    const long rssAtEnd = residentKilobytes();
    ASSERT_GT(rssAfterWarmUp, 0);
    EXPECT_LT(rssAtEnd - rssAfterWarmUp, kGrowthBudgetKb)
        << "grew from " << rssAfterWarmUp << " kB to " << rssAtEnd << " kB";
    EXPECT_TRUE(errors_.isEmpty()) << errors_.join('\n').toStdString();
}

} // namespace
