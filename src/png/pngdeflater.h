// The image data's zlib stream, written as IDAT chunks of at most the picture's size limit.
#pragma once

#include "Streams.h"

#include <zlib.h>

#include <cstdint>
#include <memory>
#include <vector>

// The threads a save deflates on: one for each processor the process may use, at most four; asked
// of the system once.
std::size_t DeflateThreads();

// The filtered rows are deflated in segments (an eighth of them, at least 256 KB and at most 1 MB),
// each primed with the 32 KB before it, several segments at once on other threads: the stream is
// the same whatever the number of threads and hardly longer than one deflated whole, and a large
// image is saved in a fraction of the time.
class TIdatDeflater {
public:
    // total: the bytes of filtered rows that will be written; threads: at least 1.
    TIdatDeflater(TStream* stream, int level, std::uint32_t chunkLimit, std::uint64_t total,
                  std::size_t threads = DeflateThreads());
    ~TIdatDeflater();
    TIdatDeflater(const TIdatDeflater&) = delete;
    TIdatDeflater& operator=(const TIdatDeflater&) = delete;

    void Write(const std::uint8_t* data, std::size_t size);
    // Ends the stream with its checksum and writes the last chunk.
    void Finish();

private:
    struct TSegment {
        std::size_t Start = 0, Size = 0;
        std::unique_ptr<std::uint8_t[]> Output;  // kept from round to round: not cleared, not freed
        std::size_t Capacity = 0, Used = 0;
    };
    void DeflateRound(bool last);
    void DeflateSegment(z_stream& z, TSegment& segment, bool last);
    void Emit(const std::uint8_t* data, std::size_t size);
    void WriteChunk();

    TStream* FStream;
    int FLevel;
    std::size_t FThreads;
    std::size_t FSegmentSize;
    std::uint32_t FAdler = 1;
    // The round's input: the 32 KB before it (FPrimed bytes), then its segments.
    std::vector<std::uint8_t> FRound;
    std::size_t FPrimed = 0;
    std::vector<TSegment> FSegments;                  // the round's, at most one for each thread
    std::vector<std::unique_ptr<z_stream>> FStreams;  // one for each thread, reset per segment
    std::vector<std::uint8_t> FChunk;                 // the IDAT data not yet written
    std::size_t FChunkLimit;
};
