#include <gtest/gtest.h>
#include <random>
#include "skin/data/ZlibStreams.h"
#include "tests/skin_data/SkinTestSupport.h"

namespace {

TMemoryStream Bytes(const std::string& S) {
    TMemoryStream m;
    m.WriteBuffer(S.data(), static_cast<int64_t>(S.size()));
    m.SetPosition(0);
    return m;
}

std::string Deflated(const std::string& Data, TCompressionLevel Level = TCompressionLevel::clMax) {
    TMemoryStream out;
    TCompressionStream z(Level, out);
    z.WriteBuffer(Data.data(), static_cast<int64_t>(Data.size()));
    z.Finish();
    return Contents(out);
}

std::string Inflated(const std::string& Zlib) {
    TMemoryStream source = Bytes(Zlib);
    TMemoryStream out;
    DecompressStream(out, source);
    return Contents(out);
}

std::string Noise(size_t Size, unsigned Seed) {
    std::mt19937 rng(Seed);
    std::string s(Size, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng() % 7 == 0 ? rng() : 'a' + rng() % 3);
    return s;
}

}  // namespace

TEST(ZlibStreams, RoundTripsAtEveryLevelAndSize) {
    for (const auto level : {TCompressionLevel::clNone, TCompressionLevel::clFastest, TCompressionLevel::clDefault,
                             TCompressionLevel::clMax})
        for (const size_t size : {size_t(0), size_t(1), size_t(8191), size_t(8192), size_t(100000)}) {
            const std::string data = Noise(size, static_cast<unsigned>(size));
            EXPECT_EQ(Inflated(Deflated(data, level)), data) << size;
        }
}

TEST(ZlibStreams, StoredSkinsUseTheBestCompression) {
    TMemoryStream source = Bytes(Noise(5000, 1));
    TMemoryStream out;
    CompressStream(source, out);
    const std::string z = Contents(out);
    ASSERT_GE(z.size(), 2u);
    EXPECT_EQ(static_cast<uint8_t>(z[0]), 0x78);
    EXPECT_EQ(static_cast<uint8_t>(z[1]), 0xDA);
    EXPECT_EQ(Inflated(z), Noise(5000, 1));
}

TEST(ZlibStreams, InflatingStopsAtTheStreamEndAndIgnoresTrailingBytes) {
    const std::string data = Noise(20000, 2);
    EXPECT_EQ(Inflated(Deflated(data) + "trailing garbage"), data);
    EXPECT_EQ(Inflated(Deflated(data) + Deflated("second stream")), data);
}

TEST(ZlibStreams, BrokenDataIsADecompressionErrorNeverALoop) {
    const std::string good = Deflated(Noise(30000, 3));
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x55;
    flipped[good.size() / 2 + 1] ^= 0x55;
    const std::string cases[] = {
        good.substr(0, good.size() - 1),   // last checksum byte missing
        good.substr(0, good.size() / 2),   // cut in the middle
        good.substr(0, 2),                 // header only
        "",                                // nothing
        "not zlib data at all",
        flipped,
    };
    for (const auto& c : cases) {
        try {
            Inflated(c);
            ADD_FAILURE() << "no error for " << c.size() << " bytes";
        } catch (const EDecompressionError& e) {
            EXPECT_STREQ(e.what(), "compression error");
        }
    }
}

TEST(ZlibStreams, AHugeInflatedSizeIsRefused) {
    TMemoryStream source = Bytes(Deflated(std::string(1 << 20, '\0')));
    TMemoryStream out;
    EXPECT_THROW(DecompressStream(out, source, 1000), EDecompressionError);
}

TEST(ZlibStreams, StreamOperationsOutsideTheirDirectionAreRefused) {
    TMemoryStream out;
    TCompressionStream z(TCompressionLevel::clDefault, out);
    char c = 'x';
    EXPECT_THROW(z.Read(&c, 1), ECompressionError);
    EXPECT_THROW(z.Seek(1, soBeginning), ECompressionError);
    z.WriteBuffer("hello hello hello hello", 23);
    EXPECT_EQ(z.Position(), 23);
    z.Finish();
    EXPECT_GT(z.CompressionRate(), -100.0);

    TMemoryStream source = Bytes(Contents(out));
    TDecompressionStream d(source);
    EXPECT_THROW(d.Write(&c, 1), EDecompressionError);
    EXPECT_THROW(d.Seek(-1, soCurrent), EDecompressionError);
    EXPECT_THROW(d.Seek(0, soEnd), EDecompressionError);
}

TEST(ZlibStreams, DecompressionSeeksForwardAndBackToTheStart) {
    const std::string data = Noise(50000, 4);
    TMemoryStream source = Bytes(Deflated(data));
    TDecompressionStream d(source);
    char buf[10];
    EXPECT_EQ(d.Seek(30000, soBeginning), 30000);
    d.ReadBuffer(buf, 10);
    EXPECT_EQ(std::string(buf, 10), data.substr(30000, 10));
    EXPECT_EQ(d.Seek(100, soCurrent), 30110);
    EXPECT_EQ(d.Seek(0, soBeginning), 0);
    d.ReadBuffer(buf, 10);
    EXPECT_EQ(std::string(buf, 10), data.substr(0, 10));
    EXPECT_THROW(d.Seek(5, soBeginning), EDecompressionError) << "backwards";
    // Past the end: the stream ends and reads give nothing.
    EXPECT_EQ(d.Seek(1000000, soCurrent), 50000);
    EXPECT_EQ(d.Read(buf, 10), 0);
}

TEST(ZlibStreams, ProgressIsReportedPerRawBuffer) {
    TMemoryStream out;
    int calls = 0;
    {
        TCompressionStream z(TCompressionLevel::clNone, out);
        z.OnProgress = [&](TObject* Sender) {
            EXPECT_EQ(Sender, &z);
            ++calls;
        };
        const std::string data = Noise(40000, 5);
        z.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    }
    EXPECT_GE(calls, 4);
    EXPECT_EQ(Inflated(Contents(out)), Noise(40000, 5)) << "the destructor finished the stream";
}
