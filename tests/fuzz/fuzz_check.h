#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise ends the run, so that libFuzzer keeps the input that showed it and the
// replay test fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
