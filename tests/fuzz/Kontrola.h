#pragma once
// A failed property stops the fuzzer with the reason: abort() is what libFuzzer reports as
// a crash, and the input that caused it is kept.

#include <cstdio>
#include <cstdlib>

#define KONTROLA(podminka)                                                                         \
    do {                                                                                           \
        if (!(podminka)) {                                                                         \
            std::fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #podminka);            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
