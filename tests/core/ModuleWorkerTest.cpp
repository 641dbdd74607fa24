#include "core/ModuleWorker.h"
#include "tests/core/TestModule.h"
#include "tests/support/EventWait.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace lirasto::test {
namespace {

using TThen = TModuleWorker::TThen;

// The worker makes a module's object on its own thread and tells the owner's thread why when it cannot.
struct MadeRow
{
    const char* folder; // LIRASTO_MODULE_DIR
    int version;
    const char* told; // on the owner's thread; empty: the object is made and handed there
};

class ModuleWorkerMakes : public testing::TestWithParam<MadeRow>
{};

TEST_P(ModuleWorkerMakes, OnItsThreadAndTellsTheOwnerWhyNot)
{
    qputenv("LIRASTO_MODULE_DIR", GetParam().folder);
    TModuleWorker worker(QStringLiteral("Test module"));
    const auto owner = std::this_thread::get_id();
    QString told, workTold;
    int handed = 0;
    bool madeOnWorker = false, toldOnOwner = false;
    worker.Start<decltype(&lirasto_test_create)>(
        "lirasto-test.so", "lirasto_test_create", TThen::RunEvents,
        [&](std::unique_ptr<TTestModuleObject> made, const QString& problem) {
            workTold = problem;
            if (made) {
                madeOnWorker = made->MadeOn == std::this_thread::get_id() && made->MadeOn != owner;
                worker.ToOwner([&, value = made->Value] { handed = value; });
            }
        },
        [&](const QString& problem) {
            toldOnOwner = std::this_thread::get_id() == owner;
            told = problem;
        },
        GetParam().version, 7);
    ASSERT_TRUE(WaitFor([&] { return !told.isEmpty() || handed; }, 5000));
    EXPECT_TRUE(worker.Stop());
    EXPECT_EQ(told, QLatin1String(GetParam().told));
    EXPECT_EQ(workTold, told);
    EXPECT_EQ(toldOnOwner, !told.isEmpty());
    EXPECT_EQ(handed, told.isEmpty() ? 7 : 0);
    EXPECT_EQ(madeOnWorker, told.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Modules, ModuleWorkerMakes,
    testing::Values(MadeRow{LIRASTO_TEST_MODULE_DIR, 1, ""},
                    MadeRow{LIRASTO_TEST_MODULE_DIR "/none", 1, "the module lirasto-test.so is missing"},
                    MadeRow{LIRASTO_TEST_MODULE_DIR, 2,
                            "the module lirasto-test.so belongs to another version of the program"}));

// Once stopped, a plain worker tells its owner nothing more; started again, it runs afresh.
TEST(ModuleWorker, TellsNothingAfterStopAndStartsAgain)
{
    qputenv("LIRASTO_MODULE_DIR", LIRASTO_TEST_MODULE_DIR "/none");
    TModuleWorker worker(QStringLiteral("Test module"));
    int told = 0;
    const auto start = [&] {
        worker.Start<decltype(&lirasto_test_create)>(
            "lirasto-test.so", "lirasto_test_create", TThen::End, [](auto, const QString&) {},
            [&](const QString&) { ++told; }, 1, 0);
    };
    start();
    ASSERT_TRUE(worker.Stop());
    QCoreApplication::processEvents();
    EXPECT_EQ(told, 0);
    start();
    EXPECT_TRUE(WaitFor([&] { return told == 1; }, 5000));
}

} // namespace
} // namespace lirasto::test

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
