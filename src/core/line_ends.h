#pragma once
// Where the line ends (CR) of the database text stand, 64 bytes at a time:
// the loader cuts a file of short lines this way rather than with a search
// per line.

#include <cstddef>
#include <cstdint>

namespace tarnwell {

// Bit i is set when byte i of the `count` bytes at `bytes` (at most 64) is a
// CR. Where the processor has SSE2, a full block of 64 is compared 16 bytes at once.
std::uint64_t carriageReturnMask(const char* bytes, std::size_t count);

// The same, a byte at a time: the plain way, which the fast one must equal.
std::uint64_t carriageReturnMaskPlain(const char* bytes, std::size_t count);

}  // namespace tarnwell
