#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: say which one and stop, so the fuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
