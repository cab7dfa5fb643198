// libspng as a second reference decoder for the benchmarks.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// Decodes into the file's own row layout (interlacing undone, no conversions); false when libspng
// rejects the file.
bool DecodeRawWithSpng(const QByteArray& file, std::vector<std::uint8_t>& rows);
// The same from a file read through the C library's stream.
bool DecodeFileWithSpng(const char* path, std::vector<std::uint8_t>& rows);
