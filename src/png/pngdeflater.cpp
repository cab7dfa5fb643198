#include "pngdeflater.h"
#include "pngchunks.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <span>
#include <thread>
#if defined(__linux__)
#include <sched.h>
#endif

namespace {
constexpr std::size_t WindowSize = 1 << 15;
constexpr std::size_t MaxThreads = 4;
}  // namespace

std::size_t DeflateThreads() {
    // The processors this process may run on (a process held to one runs on one thread); the
    // system reads a file to answer, so ask once, not for every row written.
    static const std::size_t threads = [] {
        std::size_t processors = std::thread::hardware_concurrency();
#if defined(__linux__)
        cpu_set_t allowed;
        if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
            processors = std::size_t(CPU_COUNT(&allowed));
#endif
        return std::clamp<std::size_t>(processors, 1, MaxThreads);
    }();
    return threads;
}

TIdatDeflater::TIdatDeflater(TStream* stream, int level, std::uint32_t chunkLimit, std::uint64_t total,
                             std::size_t threads)
    : FStream(stream), FLevel(std::clamp(level, 0, 9)), FThreads(std::max<std::size_t>(threads, 1)),
      FSegmentSize(std::clamp<std::uint64_t>(total / 8, 1 << 18, 1 << 20)), FChunkLimit(chunkLimit) {
    FChunk.reserve(chunkLimit);
    // The zlib header as zlib writes it: deflate with a 32 KB window, and the level's class.
    const int levelClass = FLevel < 2 ? 0 : FLevel < 6 ? 1 : FLevel == 6 ? 2 : 3;
    int header = (0x78 << 8) | (levelClass << 6);
    header += 31 - header % 31;
    const std::uint8_t bytes[2] = {std::uint8_t(header >> 8), std::uint8_t(header)};
    Emit(bytes, 2);
}

TIdatDeflater::~TIdatDeflater() {
    for (auto& z : FStreams)
        deflateEnd(z.get());
}

void TIdatDeflater::Write(const std::uint8_t* data, std::size_t size) {
    FAdler = Adler32(FAdler, data, size);
    const std::size_t roundInput = FSegmentSize * FThreads;
    if (FRound.capacity() < WindowSize + roundInput) FRound.reserve(WindowSize + roundInput);
    while (size > 0) {
        // A full round is deflated only once more data comes, so the last round is never empty
        // and the stream ends alike whatever the number of threads.
        if (FRound.size() == FPrimed + roundInput) DeflateRound(false);
        const std::size_t take = std::min(size, FPrimed + roundInput - FRound.size());
        FRound.insert(FRound.end(), data, data + take);
        data += take;
        size -= take;
    }
}

void TIdatDeflater::Finish() {
    DeflateRound(true);
    std::uint8_t adler[4];
    WriteBigEndian32(adler, FAdler);
    Emit(adler, 4);
    if (!FChunk.empty()) WriteChunk();
}

void TIdatDeflater::DeflateRound(bool last) {
    std::size_t count = 0;
    for (std::size_t at = FPrimed; at < FRound.size() || (last && count == 0); at += FSegmentSize, ++count) {
        if (FSegments.size() == count) FSegments.emplace_back();
        FSegments[count].Start = at;
        FSegments[count].Size = std::min(FSegmentSize, FRound.size() - at);
    }
    const std::span<TSegment> segments(FSegments.data(), count);
    const std::size_t threads = std::min(FThreads, segments.size());
    while (FStreams.size() < threads) {
        auto z = std::make_unique<z_stream>();
        if (deflateInit2(z.get(), FLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            RaisePngError<EPNGOutMemory>();
        FStreams.push_back(std::move(z));
    }
    // Thread t deflates segments t, t + threads, ...; this thread takes the first share.
    std::vector<std::exception_ptr> errors(threads);
    auto work = [&](std::size_t t) {
        try {
            for (std::size_t i = t; i < segments.size(); i += threads)
                DeflateSegment(*FStreams[t], segments[i], last && i + 1 == segments.size());
        } catch (...) {
            errors[t] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(work, t);
    work(0);
    for (auto& helper : helpers)
        helper.join();
    for (const auto& error : errors)
        if (error) std::rethrow_exception(error);
    for (const TSegment& segment : segments)
        Emit(segment.Output.get(), segment.Used);
    // The next round is primed with the end of this one.
    const std::size_t keep = std::min(WindowSize, FRound.size());
    FRound.erase(FRound.begin(), FRound.end() - std::ptrdiff_t(keep));
    FPrimed = keep;
}

void TIdatDeflater::DeflateSegment(z_stream& z, TSegment& segment, bool last) {
    if (deflateReset(&z) != Z_OK) throw EPNGZLIBError(ZLibErrorText(Z_STREAM_ERROR));
    // The bytes before the segment are its dictionary, so matches reach back across the cut.
    const std::size_t primed = std::min(WindowSize, segment.Start);
    if (primed && deflateSetDictionary(&z, FRound.data() + segment.Start - primed, uInt(primed)) != Z_OK)
        throw EPNGZLIBError(ZLibErrorText(Z_STREAM_ERROR));
    const std::size_t bound = deflateBound(&z, uLong(segment.Size)) + 64;
    if (segment.Capacity < bound) {
        segment.Output = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
        segment.Capacity = bound;
    }
    z.next_in = FRound.data() + segment.Start;
    z.avail_in = uInt(segment.Size);
    // Every segment but the last ends on a byte boundary without ending the stream.
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    std::size_t used = 0;
    while (true) {
        z.next_out = segment.Output.get() + used;
        z.avail_out = uInt(segment.Capacity - used);
        const int result = deflate(&z, flush);
        if (result == Z_STREAM_ERROR) throw EPNGZLIBError(ZLibErrorText(result));
        used = segment.Capacity - z.avail_out;
        if (z.avail_out > 0 && (result == Z_STREAM_END || (!last && z.avail_in == 0))) break;
        auto larger = std::make_unique_for_overwrite<std::uint8_t[]>(2 * segment.Capacity);
        std::memcpy(larger.get(), segment.Output.get(), used);
        segment.Output = std::move(larger);
        segment.Capacity *= 2;
    }
    segment.Used = used;
}

void TIdatDeflater::Emit(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const std::size_t take = std::min(size, FChunkLimit - FChunk.size());
        FChunk.insert(FChunk.end(), data, data + take);
        data += take;
        size -= take;
        if (FChunk.size() == FChunkLimit) WriteChunk();
    }
}

void TIdatDeflater::WriteChunk() {
    static const QByteArray name("IDAT");
    std::uint8_t head[8];
    WriteBigEndian32(head, std::uint32_t(FChunk.size()));
    std::memcpy(head + 4, "IDAT", 4);
    FStream->WriteBuffer(head, 8);
    FStream->WriteBuffer(FChunk.data(), std::int64_t(FChunk.size()));
    WriteBigEndian32(head, ChunkCrc(name, FChunk.data(), FChunk.size()));
    FStream->WriteBuffer(head, 4);
    FChunk.clear();
}
