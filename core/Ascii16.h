#pragma once
// Plain ASCII sixteen bytes at a time: most of a table is, and a byte-by-byte loop over a
// whole file is what its readers would otherwise spend their time on.

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Bit k set when byte k of the sixteen at p is not plain ASCII; all sixteen must be readable.
inline unsigned NeAsciiBity16(const char* p) {
#ifdef __SSE2__
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))));
#else
    unsigned bity = 0;
    for (unsigned k = 0; k < 16; ++k)
        bity |= static_cast<unsigned>(static_cast<unsigned char>(p[k]) >> 7) << k;
    return bity;
#endif
}
