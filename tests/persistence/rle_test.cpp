// The run-length codec: byte-exact forms, chunking, bounds and damaged input.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "persistence/PackedStream.h"
#include "persistence/PersistenceError.h"
#include "persistence/Rle.h"
#include "tests/persistence/TestUtil.h"

namespace vormid {
namespace {
using test::Bytes;
using test::Hex;

Bytes PackToStream(const Bytes& data) {
    TMemoryStream src(data), dst;
    PackStream(src, dst);
    return dst.Bytes();
}

Bytes UnpackFromStream(const Bytes& stream) {
    TMemoryStream src(stream);
    TMemoryStream out = UnpackStream(src);
    EXPECT_EQ(src.Position(), stream.size());
    EXPECT_EQ(out.Position(), 0u);
    return out.Bytes();
}

Bytes EncodeChunk(const Bytes& data) {
    Bytes out(RleEncodeBound(data.size()));
    out.resize(RleEncode(data.data(), data.size(), out.data()));
    return out;
}

Bytes AllByteValues() {
    Bytes b(256);
    std::iota(b.begin(), b.end(), 0);
    return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(RleCodec, WorkedExampleEscapeForm) {
    const Bytes data = Hex({0x61, 0x62, 0x62, 0x62, 0x62, 0x62, 0x63});
    const Bytes expected = Hex({0x0D, 0, 0, 0, 0x07, 0, 0, 0, 0x07, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x04, 0x63});
    EXPECT_EQ(PackToStream(data), expected);
    EXPECT_EQ(UnpackFromStream(expected), data);
}

TEST(RleCodec, WorkedExampleTableForm) {
    const Bytes data = Concat(Concat(AllByteValues(), Bytes(6, 0x07)), Bytes(2, 0x7A));
    Bytes expected = Hex({0x06, 0x01});
    expected = Concat(expected, AllByteValues());
    expected = Concat(expected, Hex({0x07, 0x05, 0x7A, 0x7A, 0x03, 0x01}));
    ASSERT_EQ(expected.size(), 264u);
    const Bytes chunk = EncodeChunk(data);
    EXPECT_EQ(chunk, expected);
    Bytes back(data.size());
    EXPECT_EQ(RleDecode(chunk.data(), chunk.size(), back.data(), back.size()), data.size());
    EXPECT_EQ(back, data);
}

TEST(RleCodec, EmptyInputIsEightBytes) {
    const Bytes stream = PackToStream({});
    EXPECT_EQ(stream, Hex({4, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(UnpackFromStream(stream).empty());
}

struct ChunkCase {
    const char* name;
    Bytes input;
    Bytes encoded;  // the whole encoded chunk, header word included
};

// Escape form: 0x00 is absent in all of these, so E = 0.
TEST(RleCodec, EscapeFormRunThresholdsAndCounts) {
    const ChunkCase cases[] = {
        {"three equal stay literals", Hex({1, 2, 2, 2, 3}), Hex({0, 0, 1, 2, 2, 2, 3})},
        {"four equal become a run", Hex({1, 2, 2, 2, 2, 3}), Hex({0, 0, 1, 0, 2, 3, 3})},
        {"256 bytes use the one-byte count 255", Bytes(256, 9), Hex({0, 0, 0, 9, 255})},
        {"257 bytes use the zero marker and u16", Bytes(257, 9), Hex({0, 0, 0, 9, 0, 0x00, 0x01})},
        {"whole chunk run", Bytes(kRleChunkSize, 9), Hex({0, 0, 0, 9, 0, 0xFC, 0xFF})},
        {"run at the end", Hex({5, 6, 6, 6, 6}), Hex({0, 0, 5, 0, 6, 3})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeChunk(c.input), c.encoded);
        Bytes back(c.input.size());
        EXPECT_EQ(RleDecode(c.encoded.data(), c.encoded.size(), back.data(), back.size()), c.input.size());
        EXPECT_EQ(back, c.input);
    }
}

TEST(RleCodec, EscapeByteIsLowestAbsentValue) {
    EXPECT_EQ(EncodeChunk(Hex({5, 6}))[0], 0x00);
    EXPECT_EQ(EncodeChunk(Hex({0, 1, 5}))[0], 0x02);
    EXPECT_EQ(EncodeChunk(Hex({1, 0, 3}))[0], 0x02);
    Bytes noFF = AllByteValues();
    noFF.pop_back();
    const Bytes enc = EncodeChunk(noFF);
    EXPECT_EQ(enc[0], 0xFF);
    EXPECT_EQ(enc[1], 0x00);
}

TEST(RleCodec, TableFormRunThresholdsAndCounts) {
    const Bytes all = AllByteValues();
    struct Case {
        const char* name;
        Bytes tail;
        Bytes encodedTail;  // body after the 256 literals, then the table
        int header;
    } cases[] = {
        {"four equal stay literals", Hex({3, 3, 3, 3}), Hex({3, 3, 3, 3}), 262},
        {"five equal become fill and count", Hex({3, 3, 3, 3, 3}), Hex({3, 4, 0x03, 0x01}), 260},
        {"256 bytes use the count 255", Bytes(256, 3), Hex({3, 255, 0x03, 0x01}), 260},
        {"257 bytes use zero marker and u16", Bytes(257, 3), Hex({3, 0, 0x00, 0x01, 0x03, 0x01}), 262},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes data = Concat(all, c.tail);
        const Bytes enc = EncodeChunk(data);
        EXPECT_EQ(enc[0] | (enc[1] << 8), c.header);
        EXPECT_EQ(Bytes(enc.begin() + 258, enc.end()), c.encodedTail);
        Bytes back(data.size());
        EXPECT_EQ(RleDecode(enc.data(), enc.size(), back.data(), back.size()), data.size());
        EXPECT_EQ(back, data);
    }
}

TEST(RleCodec, TableListsRunsLastFirst) {
    // Runs at the start and the end of a chunk that holds every byte value.
    const Bytes data = Concat(Concat(Bytes(6, 0xAA), AllByteValues()), Bytes(7, 0x55));
    const Bytes enc = EncodeChunk(data);
    // body: AA 05, 256 literals, 55 06 -> H = 2 + 2 + 256 + 2 = 262
    EXPECT_EQ(enc[0] | (enc[1] << 8), 262);
    EXPECT_EQ(Bytes(enc.end() - 4, enc.end()), Hex({0x05, 0x01, 0x03, 0x00}));
    Bytes back(data.size());
    RleDecode(enc.data(), enc.size(), back.data(), back.size());
    EXPECT_EQ(back, data);
}

TEST(RleCodec, ChunkingAt65533Bytes) {
    Bytes data = test::RandomBytes(65534, 7);
    // A run across the boundary: 10 bytes before it, 1 after it.
    std::fill(data.begin() + 65523, data.end(), 0x42);
    const Bytes stream = PackToStream(data);
    TMemoryStream src(stream);
    ASSERT_GE(stream.size(), 10u);
    EXPECT_EQ(stream[4] | stream[5] << 8 | stream[6] << 16 | stream[7] << 24, 65534);
    const std::size_t n1 = stream[8] | stream[9] << 8;
    const std::size_t second = 10 + n1;
    ASSERT_LE(second + 2, stream.size());
    const std::size_t n2 = stream[second] | stream[second + 1] << 8;
    EXPECT_EQ(second + 2 + n2, stream.size()) << "exactly two chunk records";
    // The second chunk holds the single byte 0x42 as a literal.
    EXPECT_EQ(n2, 3u);
    EXPECT_EQ(stream[second + 4], 0x42);
    EXPECT_EQ(UnpackFromStream(stream), data);
}

TEST(RleCodec, RandomDataGrowsByFourPerChunkPlusFraming) {
    for (std::size_t size : {std::size_t{1000}, kRleChunkSize, 3 * kRleChunkSize + 17}) {
        SCOPED_TRACE(size);
        Bytes data = test::RandomBytes(size, static_cast<std::uint32_t>(size));
        // Break every accidental run of four (or five) equal bytes.
        for (std::size_t i = 3; i < data.size(); ++i)
            if (data[i] == data[i - 1] && data[i] == data[i - 2] && data[i] == data[i - 3]) data[i] ^= 1;
        const std::size_t chunks = (size + kRleChunkSize - 1) / kRleChunkSize;
        const Bytes stream = PackToStream(data);
        EXPECT_EQ(stream.size(), size + 4 * chunks + 8);
        EXPECT_LE(stream.size() - 4, RlePackBound(size));
        EXPECT_EQ(UnpackFromStream(stream), data);
    }
}

TEST(RleCodec, RoundTripsOfManySizesAndPatterns) {
    std::mt19937 rng(42);
    std::vector<std::size_t> sizes = {0,   1,     2,     3,     4,     5,      255,    256,   257,
                                      258, 65532, 65533, 65534, 65535, 131066, 131067, 200000};
    for (int k = 0; k < 40; ++k) sizes.push_back(rng() % 300000);
    for (std::size_t size : sizes) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            SCOPED_TRACE(testing::Message() << "size " << size << " pattern " << pattern);
            Bytes data(size);
            for (std::size_t i = 0; i < size;) {
                // 0: random; 1: runs of random lengths; 2: runs within all-values
                // chunks (table form); 3: few distinct values, short runs
                const auto v = static_cast<std::uint8_t>(pattern == 3 ? rng() % 3 : rng());
                std::size_t len = pattern == 0   ? 1
                                  : pattern == 1 ? 1 + rng() % 600
                                  : pattern == 2 ? 1 + rng() % 8
                                                 : 1 + rng() % 6;
                len = std::min(len, size - i);
                std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(i), len, v);
                i += len;
            }
            const Bytes stream = PackToStream(data);
            EXPECT_LE(stream.size(), 4 + RlePackBound(size));
            EXPECT_EQ(UnpackFromStream(stream), data);
        }
    }
}

TEST(RleCodec, PackStreamPacksWholeSourceAtDestinationPosition) {
    TMemoryStream src(Hex({1, 2, 3}));
    src.SetPosition(2);
    TMemoryStream dst(Hex({9, 9}));
    dst.SetPosition(2);
    PackStream(src, dst);
    EXPECT_EQ(dst.Bytes(), Hex({9, 9, 0x0B, 0, 0, 0, 3, 0, 0, 0, 5, 0, 0, 0, 1, 2, 3}));
    // UnpackStream reads at the current position and leaves it past the block.
    dst.SetPosition(2);
    EXPECT_EQ(UnpackStream(dst).Bytes(), Hex({1, 2, 3}));
    EXPECT_EQ(dst.Position(), dst.Size());
}

// Damaged packed streams: every one is refused with TCorruptDataError and the
// source position is left where it was.
TEST(RleCodec, DamagedStreamsAreRefused) {
    const Bytes good = Hex({0x0D, 0, 0, 0, 0x07, 0, 0, 0, 0x07, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62, 0x04, 0x63});
    auto with = [&](std::size_t at, std::uint8_t v) {
        Bytes b = good;
        b[at] = v;
        return b;
    };
    // A table-form stream: B, L = 262, record length 262, the chunk.
    Bytes table = Concat(Hex({0, 0, 0, 0, 6, 1, 0, 0, 6, 1}), EncodeChunk(Concat(AllByteValues(), Bytes(6, 7))));
    const std::size_t tb = table.size() - 4;
    table[0] = static_cast<std::uint8_t>(tb);
    table[1] = static_cast<std::uint8_t>(tb >> 8);
    ASSERT_EQ(UnpackFromStream(table).size(), 262u);
    auto tableWith = [&](std::size_t at, std::uint8_t v) {
        Bytes b = table;
        b[at] = v;
        return b;
    };
    const std::size_t chunk = 10;  // offset of the table chunk's header word
    const struct {
        const char* name;
        Bytes stream;
    } cases[] = {
        {"shorter than the framing", Hex({4, 0, 0})},
        {"block length below 4", Hex({3, 0, 0, 0, 0, 0, 0, 0})},
        {"block length past the end", with(0, 0x0E)},
        {"block cut short", Bytes(good.begin(), good.end() - 1)},
        {"L larger than the data", with(4, 0x08)},
        {"L smaller than the data", with(4, 0x06)},
        {"huge L",
         [&] {
             Bytes b = good;
             b[7] = 0xFF;
             return b;
         }()},
        {"record length past the block", with(8, 0x08)},
        {"record length leaves a stray byte",
         [&] {
             Bytes b = with(8, 0x06);
             return b;
         }()},
        {"run item cut at the chunk end", Hex({0x0A, 0, 0, 0, 5, 0, 0, 0, 4, 0, 0, 0, 0, 0x62})},
        {"u16 count cut at the chunk end", Hex({0x0C, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 0, 0x62, 0, 1})},
        {"run past the announced length", with(15, 0x05)},
        {"table start past the chunk", tableWith(chunk + 1, 0x02)},
        {"table of odd length", tableWith(chunk, 0x05)},
        {"table entry in the table", tableWith(table.size() - 2, 0x08)},
        {"table entry at the header",
         [&] {
             Bytes b = table;
             b[b.size() - 2] = 1;
             b[b.size() - 1] = 0;
             return b;
         }()},
        {"chunk shorter than its header", Hex({0x07, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMemoryStream src(c.stream);
        EXPECT_THROW(UnpackStream(src), TCorruptDataError);
        EXPECT_EQ(src.Position(), 0u);
    }
}

TEST(RleCodec, TableEntriesOutOfOrderAreRefused) {
    // Two runs, table entries swapped to forward order.
    const Bytes data = Concat(Concat(Bytes(6, 0xAA), AllByteValues()), Bytes(7, 0x55));
    Bytes enc = EncodeChunk(data);
    std::swap_ranges(enc.end() - 4, enc.end() - 2, enc.end() - 2);
    Bytes out(data.size());
    EXPECT_THROW(RleDecode(enc.data(), enc.size(), out.data(), out.size()), TCorruptDataError);
}

TEST(RleCodec, DecodedChunkIsHeldToChunkSize) {
    // Two escape runs of 65536 bytes each in one record: valid items, but a
    // chunk never decodes to more than 65533 bytes.
    const Bytes records = Hex({12, 0, 0, 0, 0, 7, 0, 0xFF, 0xFF, 0, 7, 0, 0xFF, 0xFF});
    std::vector<std::uint8_t> out(200000);
    EXPECT_THROW(RleUnpack(records.data(), records.size(), out.data(), out.size()), TCorruptDataError);
}

TEST(RleCodec, MutatedStreamsNeverCrash) {
    std::mt19937 rng(1);
    Bytes data = test::RandomBytes(3000, 3);
    std::fill(data.begin() + 100, data.begin() + 900, 0);
    Bytes all = AllByteValues();
    data.insert(data.end(), all.begin(), all.end());
    data.insert(data.end(), 300, 0x20);
    const Bytes stream = PackToStream(data);
    for (int k = 0; k < 3000; ++k) {
        Bytes b = stream;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        if (rng() % 4 == 0) b.resize(rng() % b.size());
        TMemoryStream src(b);
        try {
            const TMemoryStream out = UnpackStream(src);
            EXPECT_LE(out.Size(), kMaxUnpackedSize);
        } catch (const TCorruptDataError&) {
        }
    }
}

}  // namespace
}  // namespace vormid
