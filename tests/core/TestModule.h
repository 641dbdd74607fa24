#pragma once

#include <thread>

// What the worker's test module (lirasto-test.so) makes: the number it was given and the thread it was made on.
struct TTestModuleObject
{
    int Value = 0;
    std::thread::id MadeOn;
};

// Makes an object for version 1 only.
extern "C" TTestModuleObject* lirasto_test_create(int version, int value);
