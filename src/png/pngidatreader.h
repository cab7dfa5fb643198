// The image data's zlib stream: read across consecutive IDAT chunks with each chunk's CRC checked,
// and inflated in batches of whole rows.
#pragma once

#include "Streams.h"

#include <zlib.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A piece of compressed data, or why there is none: the IDAT chunks ended (a chunk of another
// name follows) or the file did.
struct TIdatPiece {
    enum TKind { Data, IdatEnded, FileEnded } Kind = Data;
    const std::uint8_t* Bytes = nullptr;
    std::uint32_t Size = 0;
};

// The compressed bytes the stream holds for the image: the firstLength bytes of the IDAT chunk whose
// head it stands after (the stream holds them whole) and those of the IDAT chunks right after it,
// as far as the stream goes. The stream is left where it stands.
std::int64_t IdatBytesPresent(TStream* stream, std::uint32_t firstLength);

// The compressed data of consecutive IDAT chunks in pieces of at most 64 KB; a chunk's CRC is
// checked before anything after it is read. Pieces read from a memory stream point into it and
// stay valid; others are read into one buffer, valid until the next piece is read.
class TIdatPieces {
public:
    // The stream stands after the head of the first IDAT chunk, whose data has firstLength bytes.
    TIdatPieces(TStream* stream, std::uint32_t firstLength);
    TIdatPiece Next();
    // Skips what is left of the current chunk and checks its CRC.
    void Close();
    bool InMemory() const { return FMemory != nullptr; }

private:
    const std::uint8_t* ReadPiece(std::int64_t count);
    void FinishChunk();

    TStream* FStream;
    TMemoryStream* FMemory;  // the stream itself when it is one
    std::uint32_t FCrc = 0;
    std::int64_t FChunkLeft = 0;
    bool FInChunk = true;
    std::vector<std::uint8_t> FBuffer;
};

// Inflates a plan of batches (byte counts of whole rows) in turn and checks the stream's Adler-32.
// With `ahead` set, and the stream in memory, another thread inflates the next batches while the
// caller unfilters the current one; the caller's thread reads the chunks ahead of the inflating
// whenever it asks for a batch.
class TBatchInflater {
public:
    TBatchInflater(TStream* stream, std::uint32_t firstLength, std::vector<std::int64_t> plan, bool ahead);
    ~TBatchInflater();
    TBatchInflater(const TBatchInflater&) = delete;
    TBatchInflater& operator=(const TBatchInflater&) = delete;

    // The next batch, inflated in full; the previous one is given back. Errors are raised in the
    // order in which reading the file one piece after the other meets them.
    std::uint8_t* Next();
    // After the last batch: the stream must end with it, its checksum must hold, and the chunk it
    // ends in is read to its CRC.
    void Finish();

private:
    struct TSlot {
        std::unique_ptr<std::uint8_t[]> Data;
        bool Ready = false;
    };
    struct TQueued {
        TIdatPiece Piece;
        std::exception_ptr Error;
    };
    std::int64_t Inflate(std::uint8_t* out, std::int64_t n, bool mayEnd);
    void ExpectEnd();
    // Keeps the last four bytes inflated from the pieces so far.
    void KeepTail();
    TIdatPiece NextPiece();
    TIdatPiece QueuedPiece();
    void ReadAhead(std::unique_lock<std::mutex>& hold);
    void WaitForWorker(std::unique_lock<std::mutex>& hold, const std::function<bool()>& done);
    // Whether another thread inflates: fixed before it starts, so it may ask too.
    bool Ahead() const { return FSlots.size() > 1; }
    void InflateAhead();
    void Stop();

    TIdatPieces FPieces;
    z_stream FZ{};
    bool FEnded = false;
    const std::uint8_t* FPieceStart = nullptr;
    std::uint8_t FTail[4] = {};  // the last bytes inflated before FPieceStart
    int FTailSize = 0;
    std::uint32_t FAdler = 1;

    const std::vector<std::int64_t> FPlan;
    std::vector<TSlot> FSlots;
    size_t FHanded = 0;  // batches given to the caller

    // Shared with the other thread, under FLock. Each side is woken only while it waits, and
    // only for what it waits for: few wake-ups, so the inflating seldom stops for them.
    std::mutex FLock;
    std::condition_variable FWakeCaller, FWakeWorker;
    bool FCallerWaits = false, FWorkerWaits = false;
    std::deque<TQueued> FQueue;  // pieces read ahead
    std::int64_t FQueuedBytes = 0;
    bool FReadEnded = false, FCancelled = false, FDone = false;
    std::exception_ptr FError;
    std::thread FWorker;
};
