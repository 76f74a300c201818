#include "core/line_ends.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tarnwell {

std::uint64_t carriageReturnMaskPlain(const char* bytes, std::size_t count) {
    std::uint64_t mask = 0;
    const std::size_t n = std::min<std::size_t>(64, count);
    for (std::size_t i = 0; i < n; ++i)
        if (bytes[i] == '\r') mask |= std::uint64_t{1} << i;
    return mask;
}

std::uint64_t carriageReturnMask(const char* bytes, std::size_t count) {
#if defined(__SSE2__)
    if (count >= 64) {
        const __m128i cr = _mm_set1_epi8('\r');
        std::uint64_t mask = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * k));
            const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)));
            mask |= static_cast<std::uint64_t>(bits) << (16 * k);
        }
        return mask;
    }
#endif
    return carriageReturnMaskPlain(bytes, count);
}

}  // namespace tarnwell
