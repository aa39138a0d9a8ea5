#pragma once
// Text sixteen bytes at a time: plain ASCII passed over, or the next line end or TAB found,
// inline. Most of a table is plain, its cells and lines are short, and a byte-by-byte loop or
// a library call per cell is what its readers would otherwise spend their time on.

#include <bit>
#include <string_view>

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

// Bit k set when byte k of the sixteen at p is a or b; all sixteen must be readable.
inline unsigned Shody16(const char* p, char a, char b) {
#ifdef __SSE2__
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(a)), _mm_cmpeq_epi8(v, _mm_set1_epi8(b)))));
#else
    unsigned bity = 0;
    for (unsigned k = 0; k < 16; ++k)
        bity |= static_cast<unsigned>(p[k] == a || p[k] == b) << k;
    return bity;
#endif
}

// Where the first a or b of text stands from od on; npos for none.
inline size_t NajdiJeden(std::string_view text, size_t od, char a, char b) {
    for (; od + 16 <= text.size(); od += 16)
        if (const unsigned bity = Shody16(text.data() + od, a, b); bity != 0)
            return od + static_cast<size_t>(std::countr_zero(bity));
    for (; od < text.size(); ++od)
        if (text[od] == a || text[od] == b)
            return od;
    return std::string_view::npos;
}
