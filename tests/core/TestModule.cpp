// A module as small as one can be, for the tests of the worker that loads modules.
#include "tests/core/TestModule.h"

extern "C" __attribute__((visibility("default"))) TTestModuleObject* lirasto_test_create(int version, int value)
{
    if (version != TTestModuleObject::kVersion)
        return nullptr;
    return new TTestModuleObject{value, std::this_thread::get_id()};
}
