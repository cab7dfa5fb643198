#include "pngidatreader.h"
#include "pngchunks.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint32_t MaxChunkLength = 0x7FFFFFFF;
constexpr std::int64_t MaxPiece = 65535;  // the most compressed data read at once
constexpr size_t AheadSlots = 3;          // batches inflated ahead, the caller's one included
// Compressed bytes read ahead of the inflating: up to the high mark, again when below the low one.
constexpr std::int64_t AheadHigh = 1 << 20, AheadLow = 1 << 19;
}  // namespace

std::int64_t IdatBytesPresent(TStream* stream, std::uint32_t firstLength) {
    const std::int64_t start = stream->Position(), end = stream->Size();
    std::int64_t present = firstLength;
    for (std::int64_t at = start + std::int64_t(firstLength) + 4; at + 8 <= end;) {
        std::uint8_t head[8];
        stream->SetPosition(at);
        if (stream->Read(head, 8) != 8 || std::memcmp(head + 4, "IDAT", 4) != 0) break;
        const std::int64_t length = ReadBigEndian32(head);
        present += std::min(length, end - at - 8);
        at += 8 + length + 4;
    }
    stream->SetPosition(start);
    return present;
}

// TIdatPieces -----------------------------------------------------------------------------------
TIdatPieces::TIdatPieces(TStream* stream, std::uint32_t firstLength)
    : FStream(stream), FMemory(dynamic_cast<TMemoryStream*>(stream)), FChunkLeft(firstLength) {
    static const std::uint8_t idat[4] = {'I', 'D', 'A', 'T'};
    FCrc = UpdateCrc(0xFFFFFFFFu, idat, 4);
}

const std::uint8_t* TIdatPieces::ReadPiece(std::int64_t count) {
    const std::uint8_t* piece;
    if (FMemory) {
        // Read in place: the memory stream does not change while a picture loads from it.
        const std::int64_t at = FMemory->Position();
        if (at + count > FMemory->Size()) RaisePngError<EPngUnexpectedEnd>();
        const TMemoryStream& memory = *FMemory;  // read only: its bytes are not copied for us
        piece = reinterpret_cast<const std::uint8_t*>(memory.Memory()) + at;
        FMemory->SetPosition(at + count);
    } else {
        if (std::int64_t(FBuffer.size()) < count) FBuffer.resize(size_t(count));
        if (FStream->Read(FBuffer.data(), count) != count) RaisePngError<EPngUnexpectedEnd>();
        piece = FBuffer.data();
    }
    FCrc = UpdateCrc(FCrc, piece, size_t(count));
    FChunkLeft -= count;
    return piece;
}

void TIdatPieces::FinishChunk() {
    std::uint8_t crc[4];
    if (FStream->Read(crc, 4) != 4) RaisePngError<EPngUnexpectedEnd>();
    if (ReadBigEndian32(crc) != ~FCrc) RaisePngError<EPngInvalidCRC>();
    FInChunk = false;
}

TIdatPiece TIdatPieces::Next() {
    while (FChunkLeft == 0) {
        if (FInChunk) FinishChunk();
        std::uint8_t head[8];
        if (FStream->Read(head, 8) != 8) return {TIdatPiece::FileEnded};
        if (std::memcmp(head + 4, "IDAT", 4) != 0) {
            FStream->Seek(-8, soCurrent);  // not ours: the picture reads it next
            return {TIdatPiece::IdatEnded};
        }
        const std::uint32_t length = ReadBigEndian32(head);
        if (length > MaxChunkLength || std::int64_t(length) + 4 > FStream->Size() - FStream->Position())
            RaisePngError<EPngUnexpectedEnd>();
        FCrc = UpdateCrc(0xFFFFFFFFu, head + 4, 4);
        FChunkLeft = length;
        FInChunk = true;
    }
    const std::int64_t count = std::min(FChunkLeft, MaxPiece);
    return {TIdatPiece::Data, ReadPiece(count), std::uint32_t(count)};
}

void TIdatPieces::Close() {
    while (FInChunk && FChunkLeft > 0)
        ReadPiece(std::min(FChunkLeft, MaxPiece));
    if (FInChunk) FinishChunk();
}

// TBatchInflater --------------------------------------------------------------------------------
TBatchInflater::TBatchInflater(TStream* stream, std::uint32_t firstLength, std::vector<std::int64_t> plan,
                               bool ahead)
    : FPieces(stream, firstLength), FPlan(std::move(plan)),
      FSlots(ahead && FPieces.InMemory() ? AheadSlots : 1) {
    // The checksum is summed here, on the caller's thread, so the inflating does nothing else.
    if (inflateInit(&FZ) != Z_OK) RaisePngError<EPNGOutMemory>();
    inflateValidate(&FZ, 0);
    const std::int64_t largest = FPlan.empty() ? 0 : *std::max_element(FPlan.begin(), FPlan.end());
    try {
        for (TSlot& slot : FSlots)
            slot.Data = std::make_unique_for_overwrite<std::uint8_t[]>(size_t(largest));
        if (Ahead()) FWorker = std::thread([this] { InflateAhead(); });
    } catch (...) {
        inflateEnd(&FZ);
        RaisePngError<EPNGOutMemory>();
    }
}

TBatchInflater::~TBatchInflater() {
    Stop();
    inflateEnd(&FZ);
}

// Inflating -------------------------------------------------------------------------------------
TIdatPiece TBatchInflater::NextPiece() {
    return Ahead() ? QueuedPiece() : FPieces.Next();
}

std::int64_t TBatchInflater::Inflate(std::uint8_t* out, std::int64_t n, bool mayEnd) {
    FZ.next_out = out;
    FZ.avail_out = uInt(n);
    while (FZ.avail_out > 0 && !FEnded) {
        if (FZ.avail_in == 0) {
            KeepTail();  // the checksum may begin in this piece
            const TIdatPiece piece = NextPiece();
            if (piece.Kind != TIdatPiece::Data) {
                if (mayEnd) break;
                if (piece.Kind == TIdatPiece::IdatEnded) RaisePngError<EPNGMissingMultipleIDAT>();
                RaisePngError<EPngUnexpectedEnd>();
            }
            FZ.next_in = const_cast<Bytef*>(piece.Bytes);
            FZ.avail_in = piece.Size;
            FPieceStart = piece.Bytes;
        }
        const int result = inflate(&FZ, Z_NO_FLUSH);
        if (result == Z_STREAM_END)
            FEnded = true;
        else if (result == Z_BUF_ERROR && FZ.avail_in == 0)
            continue;
        else if (result != Z_OK)
            throw EPNGZLIBError(ZLibErrorText(result));
    }
    return n - FZ.avail_out;
}

void TBatchInflater::KeepTail() {
    if (!FPieceStart) return;
    const std::ptrdiff_t used = FZ.next_in - FPieceStart;
    for (std::ptrdiff_t k = std::max<std::ptrdiff_t>(0, used - 4); k < used; ++k) {
        if (FTailSize == 4) std::memmove(FTail, FTail + 1, 3), --FTailSize;
        FTail[FTailSize++] = FPieceStart[k];
    }
    FPieceStart = FZ.next_in;
}

void TBatchInflater::ExpectEnd() {
    if (FEnded) return;
    std::uint8_t extra;
    if (Inflate(&extra, 1, true) != 0) throw EPNGZLIBError(ZLibErrorText(Z_DATA_ERROR));
    if (!FEnded) RaisePngError<EPNGMissingMultipleIDAT>();
}

// Handing batches over --------------------------------------------------------------------------
std::uint8_t* TBatchInflater::Next() {
    const size_t i = FHanded++;
    TSlot& slot = FSlots[i % FSlots.size()];
    if (!Ahead()) {
        if (Inflate(slot.Data.get(), FPlan[i], false) != FPlan[i]) RaisePngError<EPNGMissingMultipleIDAT>();
    } else {
        std::unique_lock<std::mutex> hold(FLock);
        if (i > 0) {
            FSlots[(i - 1) % FSlots.size()].Ready = false;
            if (FWorkerWaits) FWakeWorker.notify_one();
        }
        WaitForWorker(hold, [&] { return slot.Ready; });
        if (!slot.Ready) std::rethrow_exception(FError);
    }
    FAdler = Adler32(FAdler, slot.Data.get(), size_t(FPlan[i]));
    return slot.Data.get();
}

void TBatchInflater::Finish() {
    if (!Ahead()) {
        ExpectEnd();
    } else {
        {
            std::unique_lock<std::mutex> hold(FLock);
            if (FHanded > 0) FSlots[(FHanded - 1) % FSlots.size()].Ready = false;
            if (FWorkerWaits) FWakeWorker.notify_one();
            WaitForWorker(hold, [&] { return FDone; });
        }
        FWorker.join();
        if (FError) std::rethrow_exception(FError);
    }
    // The four bytes that ended the stream are its Adler-32, high byte first.
    KeepTail();
    if (FTailSize < 4 || ReadBigEndian32(FTail) != FAdler) throw EPNGZLIBError(ZLibErrorText(Z_DATA_ERROR));
    FPieces.Close();
}

// The other thread ------------------------------------------------------------------------------
void TBatchInflater::WaitForWorker(std::unique_lock<std::mutex>& hold, const std::function<bool()>& done) {
    while (true) {
        ReadAhead(hold);
        if (done() || FError) return;
        FCallerWaits = true;
        FWakeCaller.wait(hold);
        FCallerWaits = false;
    }
}

void TBatchInflater::ReadAhead(std::unique_lock<std::mutex>& hold) {
    while (!FReadEnded && FQueuedBytes < AheadHigh) {
        TQueued queued;
        hold.unlock();
        try {
            queued.Piece = FPieces.Next();
        } catch (...) {
            queued.Error = std::current_exception();
        }
        hold.lock();
        FReadEnded = queued.Error || queued.Piece.Kind != TIdatPiece::Data;
        FQueue.push_back(queued);
        FQueuedBytes += queued.Piece.Size;
        if (FWorkerWaits) FWakeWorker.notify_one();
    }
}

TIdatPiece TBatchInflater::QueuedPiece() {
    std::unique_lock<std::mutex> hold(FLock);
    while (FQueue.empty() && !FCancelled) {
        FWorkerWaits = true;
        FWakeWorker.wait(hold);
        FWorkerWaits = false;
    }
    if (FCancelled) throw std::runtime_error("cancelled");
    const TQueued queued = FQueue.front();
    // The end of the chunks, or an error, stays: asked again, it answers the same.
    if (queued.Error || queued.Piece.Kind != TIdatPiece::Data) {
        if (queued.Error) std::rethrow_exception(queued.Error);
        return queued.Piece;
    }
    FQueue.pop_front();
    FQueuedBytes -= queued.Piece.Size;
    if (FQueuedBytes < AheadLow && FCallerWaits) FWakeCaller.notify_one();
    return queued.Piece;
}

void TBatchInflater::InflateAhead() {
    try {
        for (size_t i = 0; i < FPlan.size(); ++i) {
            TSlot& slot = FSlots[i % FSlots.size()];
            {
                std::unique_lock<std::mutex> hold(FLock);
                while (slot.Ready && !FCancelled) {
                    FWorkerWaits = true;
                    FWakeWorker.wait(hold);
                    FWorkerWaits = false;
                }
                if (FCancelled) return;
            }
            if (Inflate(slot.Data.get(), FPlan[i], false) != FPlan[i])
                RaisePngError<EPNGMissingMultipleIDAT>();
            std::lock_guard<std::mutex> hold(FLock);
            slot.Ready = true;
            if (FCallerWaits) FWakeCaller.notify_one();
        }
        ExpectEnd();
        std::lock_guard<std::mutex> hold(FLock);
        FDone = true;
        if (FCallerWaits) FWakeCaller.notify_one();
    } catch (...) {
        std::lock_guard<std::mutex> hold(FLock);
        FError = std::current_exception();
        if (FCallerWaits) FWakeCaller.notify_one();
    }
}

void TBatchInflater::Stop() {
    if (!FWorker.joinable()) return;
    {
        std::lock_guard<std::mutex> hold(FLock);
        FCancelled = true;
        FWakeWorker.notify_one();
    }
    FWorker.join();
}
