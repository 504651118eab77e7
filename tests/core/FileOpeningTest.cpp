// Opening a file whatever its name says: the type by the first bytes, what is no regular file,
// unknown types, a JPEG whose data ends early, and the memory one picture takes.
#include "DocFixture.h"
#include "PngTestFiles.h"
#include "base/FileExtension.h"
#include "base/FileSignature.h"
#include "base/MemoryLimit.h"
#include "core/FileReadType.h"
#include "support/Fifo.h"
#include "support/JpegFixture.h"

#include <filesystem>

using FileOpening = DocTest;

TEST(FileSignature, NamesTheFormatsThatHaveOne) {
    const std::pair<std::string, int> cases[] = {{"\xFF\xD8\xFF\xE0", kTypeJpeg},
                                                 {"\x89PNG\r\n\x1A\n", kTypePng},
                                                 {"BM6", kTypeBmp},
                                                 {std::string("II*\0", 4), kTypeTiff},
                                                 {std::string("MM\0*", 4), kTypeTiff},
                                                 {"MAKI02  ", kTypeMag},
                                                 {"MAKI01A ", kTypeMag},
                                                 {"GIF89a", kTypeUnknown},
                                                 {"\xFF\xD8", kTypeUnknown},
                                                 {"", kTypeUnknown}};
    for (const auto& [bytes, type] : cases)
        EXPECT_EQ(TypeFromSignature(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                  type)
            << bytes;
}

TEST_F(FileOpening, TheContentDecidesWhereTheNameDoesNot) {
    ASSERT_TRUE(WriteTestJpeg(dir.File("photo.jpg"), TestJpegOptions()));
    const std::string bytes = TempDir::Read(dir.File("photo.jpg"));
    CImageDoc reference{context};
    ASSERT_TRUE(reference.LoadFile(dir.File("photo.jpg")));
    for (const char* name : {"photo", "photo.gif", "photo.png", "photo.tif"}) {
        CImageDoc document{context};
        ASSERT_TRUE(document.LoadFile(dir.Write(name, bytes))) << name;
        EXPECT_EQ(document.DocType(), kTypeJpeg) << name;
        EXPECT_EQ(document.InfoText(), reference.InfoText()) << name;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileOpening, AFileNoReaderTakesIsReported) {
    CImageDoc document{context};
    const std::string gif = dir.Write("anim.gif", "GIF89a\x01\x00\x01\x00");
    EXPECT_FALSE(document.LoadFile(gif));
    EXPECT_FALSE(document.LoadFile(dir.File("missing")));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"LoadFile:この形式のファイルには対応していません\n" + gif,
                                        "LoadFile:ファイルが開けません\n" + dir.File("missing")}));
}

TEST_F(FileOpening, WhatIsNoRegularFileIsRefusedAtOnce) {
    const std::string fifo = MakeFifo(dir.File("pipe.jpg")), bare = MakeFifo(dir.File("pipe"));
    ASSERT_FALSE(fifo.empty() || bare.empty());
    const std::string folder = dir.File("folder.png");
    std::filesystem::create_directory(folder);
    CImageDoc document{context};
    EXPECT_TRUE(FinishesWithoutWaiting(fifo, [&] { EXPECT_FALSE(document.LoadFile(fifo)); }));
    EXPECT_TRUE(FinishesWithoutWaiting(bare, [&] { EXPECT_FALSE(document.LoadFile(bare)); }));
    EXPECT_FALSE(document.LoadFile(folder));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"LoadJpegFile:ファイルが開けません (is a FIFO)\n" + fifo,
                                        "LoadFile:ファイルが開けません (is a FIFO)\n" + bare,
                                        "LoadPngFile:Cannot open (is a folder)\n" + folder}));
}

TEST_F(FileOpening, AJpegWhoseDataEndsEarlySaysSoInItsInfoText) {
    TestJpegOptions options;
    options.width = options.height = 256;
    ASSERT_TRUE(WriteTestJpeg(dir.File("whole.jpg"), options));
    const std::string bytes = TempDir::Read(dir.File("whole.jpg"));
    CImageDoc whole{context}, cut(context);
    ASSERT_TRUE(whole.LoadFile(dir.File("whole.jpg")));
    ASSERT_TRUE(cut.LoadFile(dir.Write("cut.jpg", bytes.substr(0, bytes.size() / 2))));
    EXPECT_EQ(cut.InfoText().rfind(whole.InfoText() + "  JPEGLIB:Premature end of JPEG file (", 0),
              0u)
        << cut.InfoText();
    EXPECT_EQ(cut.Facts().description, whole.Facts().description);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FileOpening, EveryBufferOfAPictureCountsAgainstTheMemoryLimit) {
    TestPng png;
    png.width = png.height = 400;
    png.samples.assign(400 * 400 * 3, 0x80);
    const std::string path = dir.File("grey.png");
    ASSERT_TRUE(WriteTestPng(path, png));
    const uint64_t previous = MemoryLimit();
    // The DIB (480,000 bytes) and the display form (640,000) each fit; together they do not.
    SetMemoryLimit(uint64_t{1} << 20);
    CImageDoc document{context};
    EXPECT_FALSE(document.LoadFile(path));
    SetMemoryLimit(previous);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "LoadPngFile:needs 2 MB, above the memory limit of 1 MB\n" + path}));
}
