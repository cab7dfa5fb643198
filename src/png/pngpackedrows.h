// Rows of 1-, 2- and 4-bit samples, packed high bits first, moved whole bytes at a time.
#pragma once

#include <cstdint>

// Copies count samples of `bits` bits, both rows starting on a byte. The bits after the last sample
// in its byte are kept in `to` with keepRest, cleared without it.
void CopyPackedSamples(const std::uint8_t* from, std::uint8_t* to, std::int64_t count, int bits,
                       bool keepRest);

// Widens count 2-bit samples to 4 bits, both rows starting on a byte: grey levels become v * 5 (the
// same level of 16), palette indices stay. The low half of the last byte stays when count is odd.
void WidenTwoBitSamples(const std::uint8_t* from, std::uint8_t* to, std::int64_t count, bool grey);
