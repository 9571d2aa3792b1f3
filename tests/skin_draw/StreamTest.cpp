#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/StreamStrings.h"

namespace {

void PutInt32(TStream& s, int v) { WriteStreamInt32(s, v); }

}  // namespace

TEST(StreamStrings, RoundTripAndRefusedCounts) {
    TMemoryStream s;
    WriteStreamString(s, "ZarvoMPG格式转换器");
    WriteStreamString(s, "");
    s.SetPosition(0);
    std::string a, b = "x";
    ReadStreamString(s, a);
    ReadStreamString(s, b);
    EXPECT_EQ(a, "ZarvoMPG格式转换器");
    EXPECT_EQ(b, "");

    for (int count : {-1, 5, 1 << 30}) {
        TMemoryStream bad;
        PutInt32(bad, count);
        bad.WriteBuffer("abc", 3);
        bad.SetPosition(0);
        EXPECT_THROW(ReadStreamString(bad, a), EReadError) << count;
    }
}

TEST(AlphaBitmapStream, RoundTripBottomUpRowsAndOversizedHeaders) {
    TbsBitmap b;
    b.SetSize(3, 2);
    b.SetName("glow");
    for (int i = 0; i < 6; ++i)
        b.Bits()[i] = 0x01020304u * static_cast<TbsColor>(i + 1);
    TMemoryStream s;
    b.SaveToStream(s);
    s.SetPosition(0);
    TbsBitmap c;
    c.LoadFromStream(s);
    EXPECT_EQ(c.Name(), "glow");
    ASSERT_EQ(c.Width(), 3);
    EXPECT_EQ(std::vector<TbsColor>(c.Bits(), c.Bits() + 6), std::vector<TbsColor>(b.Bits(), b.Bits() + 6));

    TMemoryStream up;
    WriteStreamString(up, "");
    PutInt32(up, 1);
    PutInt32(up, -2);
    const TbsColor rows[] = {0xAA, 0xBB};  // stored from the bottom
    up.WriteBuffer(rows, sizeof rows);
    up.SetPosition(0);
    TbsBitmap d;
    d.LoadFromStream(up);
    EXPECT_EQ(*d.PixelPtr(0, 0), 0xBBu);
    EXPECT_EQ(*d.PixelPtr(0, 1), 0xAAu);

    TMemoryStream huge;
    WriteStreamString(huge, "");
    PutInt32(huge, 100000);
    PutInt32(huge, 100000);
    huge.SetPosition(0);
    TbsBitmap e;
    EXPECT_THROW(e.LoadFromStream(huge), EReadError);
    EXPECT_TRUE(e.Empty());
}

TEST(AlphaBitmapStream, RunLengthPcx) {
    TMemoryStream s;
    std::uint8_t header[128] = {};
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = 8;
    header[8] = 2;   // Xmax: 3 pixels wide
    header[10] = 1;  // Ymax: 2 rows
    header[65] = 1;
    header[66] = 4;  // bytes per line
    s.WriteBuffer(header, 128);
    const std::uint8_t pixels[] = {0xC3, 1, 0, 2, 2, 0xC2, 1};  // row 0: 1 1 1 0, row 1: 2 2 1 1
    s.WriteBuffer(pixels, sizeof pixels);
    std::uint8_t palette[769] = {12};
    palette[1 + 3 * 1] = 255;      // index 1 red
    palette[1 + 3 * 2 + 2] = 255;  // index 2 blue
    s.WriteBuffer(palette, sizeof palette);
    s.SetPosition(0);
    TbsBitmap b;
    b.LoadFromPcxStream(s);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(*b.PixelPtr(0, 0), 0xFFFF0000u);
    EXPECT_EQ(*b.PixelPtr(0, 1), 0xFF0000FFu);
    EXPECT_EQ(*b.PixelPtr(2, 1), 0xFFFF0000u);

    TMemoryStream shortFile;
    header[1] = 5;
    shortFile.WriteBuffer(header, 128);
    shortFile.SetPosition(0);
    EXPECT_THROW(b.LoadFromPcxStream(shortFile), EReadError) << "no room for the palette";
    TMemoryStream huge;
    header[8] = header[9] = header[10] = header[11] = 0x1F;   // 7968 x 7968 pixels
    header[66] = 0x20;
    header[67] = 0x1F;
    huge.WriteBuffer(header, 128);
    huge.WriteBuffer(palette, sizeof palette);
    huge.SetPosition(0);
    EXPECT_THROW(b.LoadFromPcxStream(huge), EReadError) << "a palette alone cannot fill 63 MB of rows";
    TMemoryStream noPlanes;
    header[65] = 0;   // rows of no bytes, yet 7968 x 7968 pixels
    noPlanes.WriteBuffer(header, 128);
    noPlanes.WriteBuffer(palette, sizeof palette);
    noPlanes.SetPosition(0);
    EXPECT_THROW(b.LoadFromPcxStream(noPlanes), EReadError) << "rows without bytes";
    header[65] = 1;
    header[8] = 2;
    header[9] = header[11] = 0;
    header[10] = 1;
    header[66] = 4;
    header[67] = 0;
    TMemoryStream notPcx;
    header[0] = 0;
    notPcx.WriteBuffer(header, 128);
    notPcx.SetPosition(0);
    b.LoadFromPcxStream(notPcx);
    EXPECT_EQ(b.Width(), 3) << "a foreign header loads nothing";
}
