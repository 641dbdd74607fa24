#include "tests/core/TestModule.h"

extern "C" __attribute__((visibility("default"))) TTestModuleObject* lirasto_test_create(int version, int value)
{
    return version == 1 ? new TTestModuleObject{value, std::this_thread::get_id()} : nullptr;
}
