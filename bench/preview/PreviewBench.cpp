// Decode rate of the committed preview streams, and the channel's latency from the push of a
// packet to the delivery of its picture to a view.
#include "platform/h264/H264Decoder.h"
#include "preview/channel/H264Channel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Pieces = std::vector<std::vector<uint8_t>>;

std::vector<uint8_t> ReadStream(const char* name) {
    std::ifstream file(std::string(VELKAN_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Pieces CutEvenly(const std::vector<uint8_t>& stream, size_t piece) {
    Pieces pieces;
    for (size_t at = 0; at < stream.size(); at += piece)
        pieces.emplace_back(stream.begin() + at, stream.begin() + std::min(stream.size(), at + piece));
    return pieces;
}

// Access units: a unit starts at a parameter set, SEI or delimiter after a slice, or at a slice
// whose first macroblock is 0 after a slice.
Pieces CutAccessUnits(const std::vector<uint8_t>& stream) {
    std::vector<size_t> starts;
    bool afterSlice = true;
    for (size_t i = 0; i + 4 < stream.size(); ++i) {
        if (stream[i] || stream[i + 1] || stream[i + 2] != 1) continue;
        const int type = stream[i + 3] & 0x1F;
        const bool slice = type == 1 || type == 5;
        const bool first = slice && (stream[i + 4] & 0x80);
        if (afterSlice && (first || type == 6 || type == 7 || type == 8 || type == 9)) starts.push_back(i);
        afterSlice = slice;
    }
    Pieces units;
    for (size_t i = 0; i < starts.size(); ++i)
        units.emplace_back(stream.begin() + (i ? starts[i] : 0),
                           stream.begin() + (i + 1 < starts.size() ? starts[i + 1] : stream.size()));
    return units;
}

void DecodeStream(benchmark::State& state, const char* name) {
    const Pieces pieces = CutEvenly(ReadStream(name), 1400);
    int64_t pictures = 0;
    for (auto _ : state) {
        auto decoder = CreateH264Decoder();
        for (const auto& piece : pieces) pictures += decoder->Decode(piece.data(), piece.size(), {});
        pictures += decoder->Flush({});
    }
    state.counters["pictures/s"] = benchmark::Counter(static_cast<double>(pictures), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(DecodeStream, Quad352x240, "preview_quad_352x240.h264")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeStream, Wide480x270, "preview_480x270.h264")->Unit(benchmark::kMillisecond);

// Any other stream (a larger preview made with the ffmpeg line in tests/data), named by
// VELKAN_PREVIEW_BENCH_STREAM as a full path.
void DecodeOtherStream(benchmark::State& state) {
    const char* path = std::getenv("VELKAN_PREVIEW_BENCH_STREAM");
    std::ifstream file(path ? path : "", std::ios::binary);
    const std::vector<uint8_t> stream{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (stream.empty()) {
        state.SkipWithError("VELKAN_PREVIEW_BENCH_STREAM names no readable stream");
        return;
    }
    const Pieces pieces = CutEvenly(stream, 1400);
    int64_t pictures = 0;
    for (auto _ : state) {
        auto decoder = CreateH264Decoder();
        for (const auto& piece : pieces) pictures += decoder->Decode(piece.data(), piece.size(), {});
        pictures += decoder->Flush({});
    }
    state.counters["pictures/s"] = benchmark::Counter(static_cast<double>(pictures), benchmark::Counter::kIsRate);
}
BENCHMARK(DecodeOtherStream)->Unit(benchmark::kMillisecond);

class SignallingView final : public YuvFrameView {
public:
    void OnYuvFrame(const H264Picture&) override {
        {
            std::lock_guard lock(Mutex);
            ++Count;
            At = std::chrono::steady_clock::now();
        }
        Wake.notify_one();
    }
    std::chrono::steady_clock::time_point WaitFor(uint64_t count) {
        std::unique_lock lock(Mutex);
        Wake.wait_for(lock, std::chrono::seconds(2), [&] { return Count >= count; });
        return At;
    }
    uint64_t Shown() {
        std::lock_guard lock(Mutex);
        return Count;
    }

private:
    std::mutex Mutex;
    std::condition_variable Wake;
    uint64_t Count = 0;
    std::chrono::steady_clock::time_point At;
};

// Each iteration pushes the pieces of one access unit and times from the push that completes
// the picture to its delivery. With whole units marked complete that push is the unit's own;
// with pieces cut anywhere the parser needs the first piece of the next unit.
void ChannelLatency(benchmark::State& state, bool completeUnits) {
    const Pieces units = CutAccessUnits(ReadStream("preview_quad_352x240.h264"));
    std::vector<Pieces> unitPieces;
    for (const auto& unit : units) unitPieces.push_back(completeUnits ? Pieces{unit} : CutEvenly(unit, 1400));
    SignallingView view;
    H264Channel channel([completeUnits](const H264DecoderSettings& settings) {
        H264DecoderSettings s = settings;
        s.CompletePictures = completeUnits;
        return CreateH264Decoder(s);
    });
    channel.Start();
    channel.AddView(&view, ChannelViewKind::Cell);
    size_t next = 0;
    auto pushUnit = [&](size_t index) -> std::chrono::steady_clock::time_point {
        const auto& pieces = unitPieces[index % unitPieces.size()];
        std::chrono::steady_clock::time_point first{};
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i == 0) first = std::chrono::steady_clock::now();
            channel.PushPacket(pieces[i].data(), pieces[i].size());
        }
        return completeUnits ? std::chrono::steady_clock::now() : first;
    };
    if (!completeUnits) pushUnit(next++); // the parser holds one unit from here on
    for (auto _ : state) {
        const uint64_t expected = view.Shown() + 1;
        const auto pushed = pushUnit(next++);
        const auto shown = view.WaitFor(expected);
        state.SetIterationTime(std::chrono::duration<double>(shown - pushed).count());
    }
    channel.Stop();
    state.counters["dropped"] = static_cast<double>(channel.GetCounters().PicturesDropped);
}
BENCHMARK_CAPTURE(ChannelLatency, WholeUnits, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ChannelLatency, Pieces1400, false)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Packets per second through the channel: the whole stream in 64-byte pieces, pushed as fast
// as the ring takes them, until the last picture the parser can close has been decoded.
void ChannelPacketRate(benchmark::State& state) {
    const Pieces pieces = CutEvenly(ReadStream("preview_quad_352x240.h264"), 64);
    int64_t packets = 0;
    for (auto _ : state) {
        H264Channel channel;
        channel.Start();
        for (const auto& piece : pieces) {
            while (!channel.PushPacket(piece.data(), piece.size())) std::this_thread::yield();
            ++packets;
        }
        while (channel.GetCounters().PicturesDecoded < 49) std::this_thread::yield();
        channel.Stop();
    }
    state.counters["packets/s"] = benchmark::Counter(static_cast<double>(packets), benchmark::Counter::kIsRate);
}
BENCHMARK(ChannelPacketRate)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
