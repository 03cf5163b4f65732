#include "platform/h264/H264Decoder.h"
#include "preview/PreviewTestStreams.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

// What a test keeps of a picture: its size, strides and a checksum of the visible pixels.
struct SeenPicture {
    int Width, Height;
    int Strides[3];
    uint64_t Sum;
    uint8_t Y, U, V; // at the centre of quadrant Probe
};

struct Collector {
    std::vector<SeenPicture> Pictures;
    int Probe = 0; // quadrant q: column q % 2, row q / 2

    H264Decoder::PictureSink Sink() {
        return [this](const H264Picture& p) {
            SeenPicture seen{p.Width, p.Height, {p.Strides[0], p.Strides[1], p.Strides[2]}, 0, 0, 0, 0};
            // Every visible byte is read with the stride: ASan catches any short plane.
            for (int plane = 0; plane < 3; ++plane) {
                const int w = plane ? H264Picture::ChromaWidth(p.Width) : p.Width;
                const int h = plane ? H264Picture::ChromaHeight(p.Height) : p.Height;
                for (int row = 0; row < h; ++row)
                    for (int x = 0; x < w; ++x)
                        seen.Sum = seen.Sum * 31 + p.Planes[plane][row * p.Strides[plane] + x];
            }
            const int x = (Probe % 2) * p.Width / 2 + p.Width / 4;
            const int y = (Probe / 2) * p.Height / 2 + p.Height / 4;
            seen.Y = p.Planes[0][y * p.Strides[0] + x];
            seen.U = p.Planes[1][(y / 2) * p.Strides[1] + x / 2];
            seen.V = p.Planes[2][(y / 2) * p.Strides[2] + x / 2];
            Pictures.push_back(seen);
        };
    }
};

std::unique_ptr<H264Decoder> MakeDecoder(bool completePictures = false) {
    H264DecoderSettings settings;
    settings.CompletePictures = completePictures;
    auto decoder = CreateH264Decoder(settings);
    EXPECT_NE(decoder, nullptr);
    return decoder;
}

int FeedAll(H264Decoder& decoder, const std::vector<std::vector<uint8_t>>& pieces,
            const H264Decoder::PictureSink& sink) {
    int pictures = 0;
    for (const auto& piece : pieces)
        pictures += decoder.Decode(piece.data(), piece.size(), sink);
    return pictures + decoder.Flush(sink);
}

} // namespace

// Each test stream, cut at random, gives all its pictures at its own size; strides may be padded.
TEST(H264Decoder, RandomPiecesGiveEveryPictureAtTheStreamsSize) {
    const struct {
        const char* Stream;
        int Pictures, Width, Height;
    } rows[] = {{QuadStream, 50, 352, 240}, {WideStream, 25, 480, 270}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Stream);
        auto decoder = MakeDecoder();
        Collector seen;
        EXPECT_EQ(FeedAll(*decoder, CutRandomly(ReadTestStream(row.Stream), 1400, 7), seen.Sink()),
                  row.Pictures);
        ASSERT_EQ(seen.Pictures.size(), size_t(row.Pictures));
        for (const auto& p : seen.Pictures) {
            EXPECT_EQ(p.Width, row.Width);
            EXPECT_EQ(p.Height, row.Height);
            EXPECT_GE(p.Strides[0], row.Width);
            EXPECT_GE(p.Strides[1], row.Width / 2);
            EXPECT_GE(p.Strides[2], row.Width / 2);
        }
    }
}

TEST(H264Decoder, CuttingDoesNotChangeThePictures) {
    const auto stream = ReadTestStream(QuadStream);
    Collector whole, bytes, random;
    auto a = MakeDecoder();
    FeedAll(*a, {stream}, whole.Sink());
    auto b = MakeDecoder();
    FeedAll(*b, CutEvenly(stream, 1), bytes.Sink());
    auto c = MakeDecoder();
    FeedAll(*c, CutRandomly(stream, 5000, 11), random.Sink());
    ASSERT_EQ(whole.Pictures.size(), 50u);
    ASSERT_EQ(bytes.Pictures.size(), 50u);
    ASSERT_EQ(random.Pictures.size(), 50u);
    for (size_t i = 0; i < 50; ++i) {
        EXPECT_EQ(whole.Pictures[i].Sum, bytes.Pictures[i].Sum) << i;
        EXPECT_EQ(whole.Pictures[i].Sum, random.Pictures[i].Sum) << i;
    }
    // Pictures differ over time (the test pattern moves), so the sums are not trivially equal.
    EXPECT_NE(whole.Pictures[0].Sum, whole.Pictures[30].Sum);
}

TEST(H264Decoder, QuadrantsHoldTheirColours) {
    // Quadrant 1 red, 2 green, 3 blue (BT.601: red V high U low, blue U high, green both low).
    const auto stream = ReadTestStream(QuadStream);
    for (int quadrant = 1; quadrant <= 3; ++quadrant) {
        auto decoder = MakeDecoder();
        Collector seen;
        seen.Probe = quadrant;
        FeedAll(*decoder, CutRandomly(stream, 1400, 5), seen.Sink());
        ASSERT_EQ(seen.Pictures.size(), 50u);
        const auto& p = seen.Pictures[20];
        if (quadrant == 1) {
            EXPECT_GT(p.V, 200) << "red";
            EXPECT_LT(p.U, 110) << "red";
        } else if (quadrant == 2) {
            EXPECT_LT(p.U, 110) << "green";
            EXPECT_LT(p.V, 110) << "green";
        } else {
            EXPECT_GT(p.U, 200) << "blue";
            EXPECT_LT(p.V, 140) << "blue";
        }
    }
}

TEST(H264Decoder, AccessUnitsComeOutOneLateUnlessMarkedComplete) {
    const auto units = CutAccessUnits(ReadTestStream(QuadStream));
    ASSERT_EQ(units.size(), 50u);
    {
        // A cut-anywhere stream: a unit is known complete only when the next one starts.
        auto decoder = MakeDecoder(false);
        std::vector<int> perUnit;
        for (const auto& unit : units)
            perUnit.push_back(decoder->Decode(unit.data(), unit.size(), {}));
        EXPECT_EQ(perUnit[0], 0);
        EXPECT_EQ(std::accumulate(perUnit.begin(), perUnit.end(), 0), 49);
        EXPECT_EQ(decoder->Flush({}), 1);
    }
    {
        auto decoder = MakeDecoder(true);
        for (size_t i = 0; i < units.size(); ++i)
            EXPECT_EQ(decoder->Decode(units[i].data(), units[i].size(), {}), 1) << i;
        EXPECT_EQ(decoder->Flush({}), 0);
    }
}

TEST(H264Decoder, EmptyPiecesAreIgnoredAndDecodingGoesOn) {
    auto decoder = MakeDecoder();
    int count = 0;
    for (const auto& piece : CutEvenly(ReadTestStream(QuadStream), 1400)) {
        EXPECT_EQ(decoder->Decode(nullptr, 0, {}), 0);
        EXPECT_EQ(decoder->Decode(piece.data(), 0, {}), 0);
        count += decoder->Decode(piece.data(), piece.size(), {});
    }
    EXPECT_EQ(count + decoder->Flush({}), 50);
}

TEST(H264Decoder, AFlushedDecoderTakesANewStream) {
    const auto stream = ReadTestStream(QuadStream);
    auto decoder = MakeDecoder();
    EXPECT_EQ(FeedAll(*decoder, CutEvenly(stream, 1400), {}), 50);
    EXPECT_EQ(FeedAll(*decoder, CutEvenly(stream, 999), {}), 50);
    EXPECT_EQ(decoder->Flush({}), 0);
}

TEST(H264Decoder, GarbageGivesNoPicture) {
    std::mt19937 random(42);
    std::vector<uint8_t> garbage(256 * 1024);
    for (auto& byte : garbage)
        byte = static_cast<uint8_t>(random());
    // Start codes sprinkled in make the parser hand the decoder many bogus units.
    for (size_t i = 0; i + 4 < garbage.size(); i += 997) {
        garbage[i] = 0;
        garbage[i + 1] = 0;
        garbage[i + 2] = 1;
    }
    auto decoder = MakeDecoder();
    Collector seen;
    EXPECT_EQ(FeedAll(*decoder, CutRandomly(garbage, 4000, 3), seen.Sink()), 0);
    EXPECT_TRUE(seen.Pictures.empty());
    std::vector<uint8_t> zeros(100000, 0), ones(100000, 0xFF);
    EXPECT_EQ(FeedAll(*decoder, {zeros, ones}, seen.Sink()), 0);
    // After all that the same decoder still decodes a good stream.
    EXPECT_EQ(FeedAll(*decoder, CutEvenly(ReadTestStream(QuadStream), 1400), seen.Sink()), 50);
}

TEST(H264Decoder, CorruptAndTruncatedStreamsDoNotCrash) {
    const auto stream = ReadTestStream(QuadStream);
    std::mt19937 random(9);
    for (int round = 0; round < 5; ++round) {
        auto damaged = stream;
        for (int i = 0; i < 40; ++i)
            damaged[random() % damaged.size()] ^= static_cast<uint8_t>(random() | 1);
        auto decoder = MakeDecoder();
        Collector seen;
        const int count = FeedAll(*decoder, CutRandomly(damaged, 2000, round), seen.Sink());
        EXPECT_LE(count, 60);
        for (const auto& p : seen.Pictures) {
            EXPECT_GT(p.Width, 0);
            EXPECT_GT(p.Height, 0);
        }
    }
    // Starting a third of the way in: nothing until the next key picture with its parameter sets.
    auto decoder = MakeDecoder();
    const std::vector<uint8_t> tail(stream.begin() + stream.size() / 3, stream.end());
    const int count = FeedAll(*decoder, CutEvenly(tail, 1400), {});
    EXPECT_GT(count, 0);
    EXPECT_LT(count, 50);
}
