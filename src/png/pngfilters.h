// PNG row filters (None, Sub, Up, Average, Paeth): reversing them on decode, applying them on encode.
#pragma once

#include <cstddef>
#include <cstdint>

std::uint8_t PaethPredictor(std::uint8_t a, std::uint8_t b, std::uint8_t c);

// Reverses filter `type` on row (n bytes) in place; prev is the previous unfiltered row (zeros
// for the first). bpp is the distance to the left neighbour. Returns false for an unknown type.
bool UnfilterRow(int type, std::uint8_t* row, const std::uint8_t* prev, std::size_t n, int bpp);

// Writes row filtered by `type` (1..4; 0 copies) into out.
void FilterRow(int type, const std::uint8_t* row, const std::uint8_t* prev, std::uint8_t* out, std::size_t n,
               int bpp);

// What a filtered row costs the compressor, by the heuristic the format's authors recommend: the
// sum of its bytes' magnitudes read as signed values.
std::uint64_t FilteredRowCost(const std::uint8_t* row, std::size_t n);
