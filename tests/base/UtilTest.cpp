#include "base/ByteCount.h"
#include "base/DialogFilter.h"
#include "base/FileExtension.h"
#include "base/GammaTable.h"
#include "base/HeadlessPlatform.h"
#include "base/LibraryVersions.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "base/TempFile.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <thread>

#include <jpeglib.h>
#include <jxl/version.h>
#include <libheif/heif_version.h>

TEST(FileExtension, FindsLastDotEvenInDirectory) {
    EXPECT_EQ(FindExtension("/a/b.c/name.jpg"), 11u);
    EXPECT_EQ(FindExtension("/a/b.c/name"), 4u);
    EXPECT_FALSE(FindExtension("/a/b/name").has_value());
    EXPECT_EQ(ExtensionOf("x/photo.JPEG"), ".JPEG");
    EXPECT_EQ(ExtensionOf("noext"), "");
}

TEST(FileExtension, TypeCodesIgnoreCase) {
    EXPECT_EQ(FileTypeFromExtension(".JPEG"), 135);
    EXPECT_EQ(FileTypeFromExtension(".jpe"), 0);
    EXPECT_EQ(FileTypeFromExtension(".Rle"), 133);
    EXPECT_EQ(FileTypeFromExtension(".q0"), 134);
    EXPECT_EQ(FileTypeFromExtension(".MKI"), 137);
    EXPECT_EQ(FileTypeFromExtension(".tiff"), 139);
    EXPECT_EQ(FileTypeFromExtension(".png"), 136);
    EXPECT_EQ(FileTypeFromExtension(""), 0);
}

TEST(FileExtension, MatchesListItems) {
    const std::string spaced = " .jpg ; .png";
    auto found = MatchExtensionList(spaced, "png");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(spaced.substr(*found, 3), "png");
    EXPECT_TRUE(MatchExtensionList(";;.png", ".PNG").has_value());
    EXPECT_FALSE(MatchExtensionList("", ".png").has_value());
    EXPECT_FALSE(MatchExtensionList(".jpeg", ".jpg").has_value());
    EXPECT_FALSE(MatchExtensionList(".", ".").has_value());
    EXPECT_EQ(MatchExtensionList(".jpg;.jfif;.jpeg", ".JFIF"), 6u);
}

TEST(ByteCount, GroupedAndScaledForms) {
    struct Case {
        uint32_t n;
        const char* grouped;
        const char* scaled;
    } cases[] = {{0, "0", "0"},
                 {999, "999", "999"},
                 {1000, "1,000", "1000"},
                 {1536, "1,536", "1.5K"},
                 {1048575, "1,048,575", "1023.9K"},
                 {1234567, "1,234,567", "1.1M"},
                 {4294967295u, "4,294,967,295", "4095.9M"}};
    for (const Case& c : cases) {
        std::string grouped, scaled;
        FormatByteCount(c.n, &grouped, &scaled);
        EXPECT_EQ(grouped, c.grouped) << c.n;
        EXPECT_EQ(scaled, c.scaled) << c.n;
    }
    FormatByteCount(5, nullptr, nullptr); // either output may be absent
}

TEST(GammaTable, IdentityAndInverse) {
    int table[256];
    BuildGammaTable(table, 1.0);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(table[x], x);

    const double p = 2.2;
    BuildGammaTable(table, p);
    auto curve = [&](int b) {
        return static_cast<int>(std::pow(b, p) * 255.0 / std::pow(255.0, p));
    };
    for (int x = 0; x < 255; ++x) {
        // The first input whose curve value is the largest one not above x.
        int best = 0;
        for (int b = 0; b < 256; ++b)
            if (curve(b) <= x && curve(b) > curve(best)) best = b;
        EXPECT_EQ(table[x], best) << x;
    }
    EXPECT_EQ(table[255], 255);
}

TEST(TempFile, OneSeparatorAndExclusiveNames) {
    TempDir dir;
    std::string first, second;
    ASSERT_TRUE(CreateTempFile(dir.Path(), "tlmn", ".jpg", first));
    ASSERT_TRUE(CreateTempFile(dir.Path() + "/", "tlmn", ".jpg", second));
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(path.find("//"), std::string::npos) << path;
        EXPECT_EQ(path.size(), dir.Path().size() + 1 + 4 + 4 + 4) << path;
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_NE(first, second);
}

TEST(TempFile, FailsWhenDirectoryIsMissing) {
    std::string path = "unchanged";
    EXPECT_FALSE(CreateTempFile("/nonexistent/tolmena", "tlmn", "", path));
    EXPECT_EQ(path, "unchanged");
}

TEST(ReportError, FormatsNameMessageAndPath) {
    Headless().ClearMessages();
    ReportErrorId("LoadJpegFile", "/x/y.jpg", StringId::CannotOpen);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text, "LoadJpegFile:ファイルが開けません\n/x/y.jpg");
    EXPECT_EQ(Headless().Messages()[0].kind, MessageKind::Error);
    Headless().ClearMessages();
}

TEST(ReportError, GoesToTheSinkOfTheReportingThread) {
    Headless().ClearMessages();
    CollectedReports outer, inner, worker;
    {
        ScopedReportSink routeOuter(outer);
        ReportErrorId("A", "/a", StringId::CannotOpen);
        {
            ScopedReportSink routeInner(inner);
            ReportErrorId("B", "/b", StringId::NoMemory);
        }
        std::thread([&] {
            ScopedReportSink routeWorker(worker);
            ReportError("C", "/c", "Convert failed.");
        }).join();
        std::thread([] { ReportError("D", "/d", "no sink of its own"); }).join();
        ReportError("E", "/e", "after the nested sink");
    }
    EXPECT_EQ(outer.Texts(), (std::vector<std::string>{"A:ファイルが開けません\n/a",
                                                       "E:after the nested sink\n/e"}));
    EXPECT_EQ(inner.Texts(), std::vector<std::string>{"B:メモリが確保できません\n/b"});
    EXPECT_EQ(worker.Texts(), std::vector<std::string>{"C:Convert failed.\n/c"});
    ASSERT_EQ(Headless().Messages().size(), 1u); // the thread without a sink: the default
    EXPECT_EQ(Headless().Messages()[0].text, "D:no sink of its own\n/d");
    Headless().ClearMessages();
}

TEST(DialogFilter, TableTextBecomesNamesAndPatterns) {
    const auto filters = ParseDialogFilters(LoadString(StringId::MarkerFileFilter));
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(DialogFilterText(filters[0]), "JPEG file(*.jpg *.jpeg *.jfif)"); // its patterns
    EXPECT_EQ(DialogFilterText(filters[2]), "All files(*.*)");
    const auto open = ParseDialogFilters(LoadString(StringId::OpenFilter));
    ASSERT_EQ(open.size(), 12u);
    for (const char* pattern : {"*.heic", "*.heif", "*.hif", "*.avif", "*.webp", "*.jxl"})
        EXPECT_NE(std::find(open[0].patterns.begin(), open[0].patterns.end(), pattern),
                  open[0].patterns.end())
            << pattern; // the image files filter takes them all
    EXPECT_TRUE(ParseDialogFilters("").empty());
}

#define TOLMENA_TEST_STRING(x) #x
#define TOLMENA_TEST_VERSION(x) TOLMENA_TEST_STRING(x)

TEST(LibraryVersions, NameTheLibrariesInUse) {
    const std::vector<LibraryVersion> versions = CodecLibraryVersions();
    ASSERT_EQ(versions.size(), 6u);
    EXPECT_EQ(versions[0].name, "libjpeg-turbo");
    EXPECT_EQ(versions[0].version, TOLMENA_TEST_VERSION(LIBJPEG_TURBO_VERSION));
    EXPECT_EQ(versions[1].version.rfind("1.", 0), 0u) << versions[1].version;
    EXPECT_EQ(versions[2].version.rfind("1.", 0), 0u) << versions[2].version;
    EXPECT_EQ(versions[3].name + " " + versions[3].version, "libheif " LIBHEIF_VERSION);
    EXPECT_EQ(versions[4].name, "libwebp");
    EXPECT_EQ(versions[4].version.rfind("1.", 0), 0u) << versions[4].version;
    EXPECT_EQ(versions[5].name + " " + versions[5].version,
              "libjxl " + std::to_string(JPEGXL_MAJOR_VERSION) + "." +
                  std::to_string(JPEGXL_MINOR_VERSION) + "." +
                  std::to_string(JPEGXL_PATCH_VERSION));
}
