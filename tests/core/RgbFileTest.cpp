// Raw RGB data files with FAL headers: names, exact bytes written, pixels read, bad headers.
#include "core/RgbFile.h"
#include "DocFixture.h"
#include "base/FileExtension.h"
#include "core/FormatTable.h"
#include "core/OutputFiles.h"

namespace {

using RgbFile = DocTest;

const std::string kHeader3x2 = "F_ALL(V1.00)\r\n3 2 0 0\r\n1.00 255 255 255 0\r\n";

bool Save(CImageDoc& document, const std::string& path) {
    COutputFiles output;
    ImageFacts written = document.Facts();
    if (!SaveRgbFile(document.SaveRequest(ImageWriteOptions{}), written, output, path) ||
        !output.Commit("SaveRgbFile"))
        return false;
    document.TakeWrittenFacts(std::move(written));
    return true;
}

bool Load(CImageDoc& document, const std::string& path) {
    std::optional<DecodedPicture> decoded = ReadImageFile(kTypeRgb, path, TestReadOptions());
    if (decoded) document.AdoptDecoded(std::move(*decoded));
    return decoded.has_value();
}

} // namespace

TEST(RgbFileNames, HeaderAndDataPaths) {
    EXPECT_EQ(FalHeaderPath("/d/scan.rgb"), "/d/scan.fal");
    EXPECT_EQ(FalHeaderPath("/d/scan.Q0"), "/d/scan.fal");
    EXPECT_EQ(FalHeaderPath("/d/out"), "/d/out.fal");
    EXPECT_EQ(RgbDataPath("/d/scan.FAL"), "/d/scan.rgb");
    EXPECT_EQ(RgbDataPath("/d/scan.q0"), "/d/scan.q0");
    EXPECT_EQ(RgbDataPath("/d/out"), "/d/out.rgb");
    // A dot in a directory name is not the file's extension.
    EXPECT_EQ(FalHeaderPath("/d/x.dir/out"), "/d/x.dir/out.fal");
    EXPECT_EQ(RgbDataPath("/d/x.dir/out"), "/d/x.dir/out.rgb");
}

TEST(RgbFileNames, HeaderParsing) {
    int width = 0, height = 0;
    EXPECT_TRUE(ParseFalHeader(kHeader3x2, width, height));
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_TRUE(ParseFalHeader("x\n640  480\n", width, height));
    EXPECT_EQ(height, 480);
    EXPECT_TRUE(ParseFalHeader("x\n 640 480\n", width, height)); // after the first space
    EXPECT_EQ(height, 640);
    EXPECT_TRUE(ParseFalHeader("x\n65535 65535", width, height));
    for (const char* bad : {"", "F_ALL(V1.00)", "x\n640\n", "x\n0 10\n", "x\n-3 2\n", "x\n3 -2\n",
                            "x\n65536 1\n", "x\n99999999999999999999 1\n", "x\nabc def\n"})
        EXPECT_FALSE(ParseFalHeader(bad, width, height)) << bad;
}

TEST_F(RgbFile, WritesExactHeaderAndPixelBytes) {
    CImageDoc document{context};
    document.ReplaceImage(
        MakeImage(3, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112}));
    ASSERT_TRUE(Save(document, dir.File("out.fal")));
    EXPECT_EQ(TempDir::Read(dir.File("out.fal")), kHeader3x2);
    const std::string data = TempDir::Read(dir.File("out.rgb"));
    ASSERT_EQ(data.size(), 18u);
    EXPECT_EQ(data, std::string("\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17\20\21\22", 18));
    EXPECT_EQ(document.Facts().description, "3x2  RGB/Q0+FAL");

    ASSERT_TRUE(Save(document, dir.File("plain")));
    EXPECT_EQ(TempDir::Read(dir.File("plain.rgb")), data);
    EXPECT_EQ(TempDir::Read(dir.File("plain.fal")), kHeader3x2);
}

TEST_F(RgbFile, ReadsThroughEitherNameAndRoundTrips) {
    const int width = 5, height = 4; // 15-byte rows, 16-byte DIB strides
    CImageDoc source{context};
    source.ReplaceImage(MakeImage(width, height, Gradient(width, height)));
    ASSERT_TRUE(Save(source, dir.File("scan.rgb")));
    std::rename(dir.File("scan.rgb").c_str(), dir.File("scan.q0").c_str());

    for (const char* name : {"scan.q0", "scan.fal"}) {
        if (std::string(name) == "scan.fal")
            std::rename(dir.File("scan.q0").c_str(), dir.File("scan.rgb").c_str());
        CImageDoc document{context};
        ASSERT_TRUE(Load(document, dir.File(name))) << name;
        EXPECT_EQ(PixelsOf(document.Image()), Gradient(width, height));
        EXPECT_EQ(document.Facts().fileSize, 60u);
        EXPECT_EQ(document.Facts().description, "5x4  RGB/Q0+FAL");
    }
}

TEST_F(RgbFile, ShortDataFileKeepsMissingRowsBlackUpToHalf) {
    dir.Write("half.fal", "F_ALL(V1.00)\r\n2 4 0 0\r\n");
    dir.Write("half.rgb", std::string(12, '\x7f')); // two of four rows
    CImageDoc document{context};
    ASSERT_TRUE(Load(document, dir.File("half.rgb")));
    EXPECT_EQ(PixelsOf(document.Image()),
              (std::vector<uint32_t>{0x7f7f7f, 0x7f7f7f, 0x7f7f7f, 0x7f7f7f, 0, 0, 0, 0}));

    dir.Write("huge.fal", "F_ALL(V1.00)\r\n65535 65535 0 0\r\n");
    dir.Write("huge.rgb", std::string(12, '\0'));
    EXPECT_FALSE(Load(document, dir.File("huge.rgb")));
    EXPECT_EQ(Messages().back(), "LoadRgbFile:データファイルが短すぎます\n" + dir.File("huge.rgb"));
}

TEST_F(RgbFile, ReportsMissingFilesAndBadHeaders) {
    CImageDoc document{context};
    EXPECT_FALSE(Load(document, dir.File("none.rgb")));
    EXPECT_EQ(Messages().back(), "LoadRgbFile:ファイルが開けません\n" + dir.File("none.fal"));

    dir.Write("nodata.fal", kHeader3x2);
    EXPECT_FALSE(Load(document, dir.File("nodata.fal")));
    EXPECT_EQ(Messages().back(), "LoadRgbFile:ファイルが開けません\n" + dir.File("nodata.rgb"));

    dir.Write("bad.fal", "F_ALL(V1.00)\r\n0 0 0 0\r\n");
    dir.Write("bad.rgb", "");
    EXPECT_FALSE(Load(document, dir.File("bad.rgb")));
    EXPECT_EQ(Messages().back(),
              "LoadRgbFile:ヘッダの画像サイズが不正です\n" + dir.File("bad.fal"));
    EXPECT_TRUE(document.Image().IsEmpty());
}

TEST_F(RgbFile, EmptyImageIsNotWritten) {
    CImageDoc document{context};
    dir.Write("keep.rgb", "original");
    EXPECT_FALSE(Save(document, dir.File("keep.rgb")));
    EXPECT_EQ(Messages().back(), "SaveRgbFile:DIBを生成できません\n" + dir.File("keep.rgb"));
    EXPECT_EQ(TempDir::Read(dir.File("keep.rgb")), "original");
}
