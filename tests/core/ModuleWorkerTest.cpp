#include "core/ModuleWorker.h"
#include "tests/core/TestModule.h"
#include "tests/support/EventWait.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <optional>

namespace lirasto::test {
namespace {

// The worker makes a module's object on its own thread and tells the owner's thread why when it cannot.
struct MadeRow
{
    const char* name;
    const char* folder; // LIRASTO_MODULE_DIR
    int version;
    const char* problem; // told to the owner; empty when the object is made
};

void PrintTo(const MadeRow& row, std::ostream* out)
{
    *out << row.name;
}

class ModuleWorkerMakes : public testing::TestWithParam<MadeRow>
{
protected:
    void SetUp() override
    {
        before_ = qgetenv("LIRASTO_MODULE_DIR");
        qputenv("LIRASTO_MODULE_DIR", GetParam().folder);
    }
    void TearDown() override { qputenv("LIRASTO_MODULE_DIR", before_); }
    QByteArray before_;
};

TEST_P(ModuleWorkerMakes, OnItsThreadAndTellsTheOwnerWhyNot)
{
    TModuleWorker worker(QStringLiteral("Test module"));
    std::optional<QString> told;  // on the owner's thread
    std::optional<int> delivered; // the object's number, handed to the owner's thread
    std::thread::id madeOn, workedOn;
    QString workProblem;
    const auto owner = std::this_thread::get_id();
    bool toldOnOwner = false;
    worker.start<decltype(&lirasto_test_create)>(
        kTestModule, kTestFactory, TModuleWorker::TThen::RunEvents,
        [&](std::unique_ptr<TTestModuleObject> made, const QString& problem) {
            workedOn = std::this_thread::get_id();
            workProblem = problem;
            if (made) {
                madeOn = made->MadeOn;
                worker.toOwner([&, value = made->Value] { delivered = value; });
            }
        },
        [&](const QString& problem) {
            toldOnOwner = std::this_thread::get_id() == owner;
            told = problem;
        },
        GetParam().version, 7);
    ASSERT_TRUE(waitFor([&] { return told || delivered; }, 5000));
    ASSERT_TRUE(worker.stop());
    QCoreApplication::processEvents();
    EXPECT_NE(workedOn, owner);
    if (*GetParam().problem) {
        EXPECT_EQ(told.value_or(QString()), QLatin1String(GetParam().problem));
        EXPECT_TRUE(toldOnOwner);
        EXPECT_EQ(workProblem, QLatin1String(GetParam().problem));
        EXPECT_FALSE(delivered);
    } else {
        EXPECT_EQ(delivered, 7);
        EXPECT_EQ(madeOn, workedOn);
        EXPECT_FALSE(told);
        EXPECT_TRUE(workProblem.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Modules, ModuleWorkerMakes,
                         testing::Values(MadeRow{"Made", LIRASTO_TEST_MODULE_DIR, TTestModuleObject::kVersion, ""},
                                         MadeRow{"Missing", LIRASTO_TEST_MODULE_DIR "/none",
                                                 TTestModuleObject::kVersion, "the module lirasto-test.so is missing"},
                                         MadeRow{
                                             "OtherVersion", LIRASTO_TEST_MODULE_DIR, TTestModuleObject::kVersion + 1,
                                             "the module lirasto-test.so belongs to another version of the program"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Once stopped, the worker tells its owner nothing more, and starts afresh on a new thread.
TEST(ModuleWorker, TellsNothingAfterStopAndStartsAgain)
{
    const QByteArray before = qgetenv("LIRASTO_MODULE_DIR");
    qputenv("LIRASTO_MODULE_DIR", LIRASTO_TEST_MODULE_DIR "/none");
    TModuleWorker worker(QStringLiteral("Test module"));
    int told = 0;
    const auto start = [&] {
        worker.start<decltype(&lirasto_test_create)>(
            kTestModule, kTestFactory, TModuleWorker::TThen::End, [](auto, const QString&) {},
            [&](const QString&) { ++told; }, TTestModuleObject::kVersion, 0);
    };
    start();
    ASSERT_TRUE(worker.stop());
    QCoreApplication::processEvents();
    EXPECT_EQ(told, 0);
    start();
    EXPECT_TRUE(waitFor([&] { return told == 1; }, 5000));
    qputenv("LIRASTO_MODULE_DIR", before);
}

} // namespace
} // namespace lirasto::test

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
