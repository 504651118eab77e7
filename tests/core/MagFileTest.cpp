// MAG files of other encoders against the pictures they must decode to, and the file reader.
#include "base/HeadlessPlatform.h"
#include "core/MagTestFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

namespace {

const std::string kMagDir = std::string(TEST_DATA_DIR) + "/mag/";

struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

RgbPicture ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    RgbPicture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGB;
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    return picture;
}

// The decoded rows mapped through the colour table.
RgbPicture ColoursOf(const MagPicture& picture) {
    RgbPicture out{picture.width, picture.height, {}};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const RgbQuad& c = picture.colorTable.at(picture.Row(y)[x]);
            out.rgb.insert(out.rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        }
    }
    return out;
}

MagPicture DecodeFile(const std::string& path) {
    std::string bytes = TempDir::Read(path);
    MagPicture picture;
    EXPECT_TRUE(DecodeBytes(bytes, picture)) << path;
    return picture;
}

std::string Padded(const std::string& text) {
    return text + std::string(24 - text.size(), ' ');
}

} // namespace

TEST(MagFile, SamplesDecodeToTheirReferencePictures) {
    struct Sample {
        std::string name, description, author, comment;
    };
    const std::vector<Sample> samples = {
        {"testorig-16", "640x400 MAKI02(4bit)", Padded("PYTN tolmena"), "test image 16 colours"},
        {"testorig-256", "640x400 MAKI02(8bit)", Padded("PYTN tolmena"), "test image 256 colours"},
        {"canon-768x512-16", "768x512 MAKI02(4bit)", Padded("PYTN pymag"), ""},
        {"bird-256x256-256", "256x256 MAKI02(8bit)", Padded("PYTN"), ""},
    };
    for (const Sample& sample : samples) {
        MagPicture picture = DecodeFile(kMagDir + sample.name + ".mag");
        RgbPicture expected = ReadPng(kMagDir + sample.name + ".png");
        RgbPicture decoded = ColoursOf(picture);
        ASSERT_GT(expected.width, 0) << sample.name;
        EXPECT_EQ(decoded.width, expected.width) << sample.name;
        EXPECT_EQ(decoded.height, expected.height) << sample.name;
        EXPECT_TRUE(decoded.rgb == expected.rgb) << sample.name;
        EXPECT_EQ(MagDescription(picture), sample.description);
        EXPECT_EQ(picture.author, sample.author) << sample.name;
        EXPECT_EQ(picture.comment, sample.comment) << sample.name;
    }
}

TEST(MagFile, ReaderHandsOverImageDescriptionAndComments) {
    Headless().ClearMessages();
    std::string description;
    std::vector<MagComment> comments;
    MagFileFacts facts;
    auto image =
        ReadMagFile(kMagDir + "testorig-16.mag", ImageReadOptions{}, description, comments, &facts);
    ASSERT_TRUE(image);
    EXPECT_TRUE(Headless().Messages().empty());
    EXPECT_EQ(description, "640x400 MAKI02(4bit)");
    ASSERT_EQ(comments.size(), 2u);
    EXPECT_EQ(comments[0].key, "Author");
    EXPECT_EQ(comments[0].text, Padded("PYTN tolmena"));
    EXPECT_EQ(comments[1].key, "Comment");
    EXPECT_EQ(comments[1].text, "test image 16 colours");
    EXPECT_EQ(facts.bitsPerSample, 4);
    EXPECT_EQ(facts.palette.size(), 16u);

    // The realized image shows the reference picture, top row first.
    image = ReadMagFile(kMagDir + "bird-256x256-256.mag", ImageReadOptions{}, description, comments,
                        &facts);
    ASSERT_TRUE(image);
    RgbPicture expected = ReadPng(kMagDir + "bird-256x256-256.png");
    ASSERT_EQ(image->Width(), expected.width);
    ASSERT_EQ(image->Height(), expected.height);
    size_t mismatches = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const uint8_t* p = &expected.rgb[3 * (static_cast<size_t>(y) * expected.width + x)];
            mismatches += image->PixelColor(x, y) != (uint32_t{p[0]} << 16 | p[1] << 8 | p[2]);
        }
    }
    EXPECT_EQ(mismatches, 0u);
    EXPECT_EQ(comments.size(), 1u); // the author only
    EXPECT_EQ(facts.bitsPerSample, 8);
    EXPECT_EQ(facts.palette.size(), 256u);
}

TEST(MagFile, ReaderReportsFailures) {
    TempDir dir;
    std::string description;
    std::vector<MagComment> comments;
    Headless().ClearMessages();
    EXPECT_FALSE(ReadMagFile(dir.File("missing.mag"), ImageReadOptions{}, description, comments));
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "LoadMagFile:ファイルが開けません\n" + dir.File("missing.mag"));

    Headless().ClearMessages();
    std::string cut = TempDir::Read(kMagDir + "bird-256x256-256.mag").substr(0, 5000);
    EXPECT_FALSE(ReadMagFile(dir.Write("cut.mag", cut), ImageReadOptions{}, description, comments));
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "LoadMagFile:ビットマップを生成できません\n" + dir.File("cut.mag"));
    EXPECT_TRUE(description.empty());
    EXPECT_TRUE(comments.empty());
}
