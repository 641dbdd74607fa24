#pragma once

#include <thread>

// What the worker's test module makes: the number it was given and the thread it was made on.
struct TTestModuleObject
{
    static constexpr int kVersion = 1;

    int Value = 0;
    std::thread::id MadeOn;
};

extern "C" TTestModuleObject* lirasto_test_create(int version, int value);

namespace lirasto::test {
inline constexpr char kTestModule[] = "lirasto-test.so";
inline constexpr char kTestFactory[] = "lirasto_test_create";
} // namespace lirasto::test
