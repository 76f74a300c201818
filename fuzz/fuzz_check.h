#pragma once
// A failed property aborts with the reason, so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond, ...)                                                      \
    do {                                                                           \
        if (!(cond)) {                                                             \
            std::fprintf(stderr, "property failed at %s:%d: %s\n", __FILE__, __LINE__, #cond); \
            std::fprintf(stderr, "  " __VA_ARGS__);                                \
            std::fprintf(stderr, "\n");                                            \
            std::abort();                                                          \
        }                                                                          \
    } while (0)
