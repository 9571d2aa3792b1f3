#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Stream.h"
#include "platform/core/Strings.h"
#include "TempFolder.h"

TEST(Stream, MemoryReadWriteSeek) {
    TMemoryStream m;
    const char data[] = "0123456789";
    m.WriteBuffer(data, 10);
    EXPECT_EQ(m.Size(), 10);
    EXPECT_EQ(m.Position(), 10);
    m.Seek(-4, soEnd);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 4);  // a short read returns what there is
    EXPECT_STREQ(buf, "6789");
    m.SetPosition(2);
    EXPECT_THROW(m.ReadBuffer(buf, 9), EReadError);  // ReadBuffer raises instead
    m.SetPosition(12);                                // past the end: writing fills the gap
    m.WriteBuffer("x", 1);
    EXPECT_EQ(m.Size(), 13);
    EXPECT_EQ(m.Memory()[10], 0);
    EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
    m.SetSize(3);
    EXPECT_EQ(m.Position(), 3);
    m.SetPosition(1);                                 // over the end: kept bytes, then grown
    m.WriteBuffer("abcd", 4);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size())), "0abcd");
    m.SetSize(2);                                     // shrunk, then appended: nothing old shows through
    m.WriteBuffer("yz", 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), size_t(m.Size())), "0ayz");
}

TEST(Stream, FileOpenCreateAndShortReads) {
    TTempFolder tmp;
    const std::string name = tmp / "片段 1.bin";
    {
        TFileStream f(name, fmCreate);
        f.WriteBuffer("abcdef", 6);
    }
    EXPECT_EQ(FileSizeByName(name), 6);
    {
        TFileStream f(name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(f.Size(), 6);
        char buf[4] = {};
        f.Seek(4, soBeginning);
        EXPECT_THROW(f.ReadBuffer(buf, 3), EReadError);
        EXPECT_THROW(f.WriteBuffer("z", 1), EWriteError);  // opened for reading only
    }
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, soEnd);
        f.WriteBuffer("gh", 2);
        TMemoryStream m;
        m.CopyFrom(f, 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), m.Size()), "abcdefgh");
    }
    try {
        TFileStream f(tmp / "none.bin", fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("none.bin"), std::string::npos);
        EXPECT_NE(e.Message().find("No such file"), std::string::npos);
    }
    EXPECT_THROW(TFileStream(tmp / "no/dir/x.bin", fmCreate), EFCreateError);
}

TEST(Stream, StringListFilesSkipTheByteOrderMark) {
    TTempFolder tmp;
    TStringStream s("\xEF\xBB\xBFone\r\ntwo");
    TMemoryStream m;
    m.CopyFrom(s, 0);
    m.SaveToFile(tmp / "list.txt");
    TStringList list;
    list.LoadFromFile(tmp / "list.txt");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], "one");
    list.SaveToFile(tmp / "out.txt");
    TStringStream back;
    TFileStream f(tmp / "out.txt", fmOpenRead);
    back.CopyFrom(f, 0);
    EXPECT_EQ(back.DataString(), "one\ntwo\n");
    EXPECT_THROW(list.LoadFromFile(tmp / "none.txt"), EFOpenError);
}
