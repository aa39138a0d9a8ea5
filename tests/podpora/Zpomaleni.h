#pragma once
// How many times slower a sanitizer's instrumented build runs than the plain one, for the
// deadlines and CPU bounds that a test checks: a bound that still catches a hang or a busy
// loop there, and stays tight in the plain build.

#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
inline constexpr int Zpomaleni = 4;
#else
inline constexpr int Zpomaleni = 1;
#endif
