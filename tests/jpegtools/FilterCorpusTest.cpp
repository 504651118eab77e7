// The lossless filters over every JPEG of the exif-samples and libjpeg-turbo corpora: under
// each combination of filters the written file decodes to the source's pixels, keeps every
// frame, scan and data byte, and its tables, APPn and COM segments are what the filters make.
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/JpegCodecSupport.h"
#include "jpegtools/LosslessFilter.h"
#include "jpegtools/SegmentTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/Corpus.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

enum Flag { kThumb, kJfxx, kAppX, kDqt, kDht, kCom, kExif, kGenCmt, kGenEng, kUserCmt, kFlags };

BulkFltOptions OptionsFromBits(unsigned bits) {
    auto on = [bits](Flag flag) { return static_cast<int32_t>(bits >> flag & 1); };
    BulkFltOptions options; // every APPn flag on
    options.removeThumb = on(kThumb);
    options.removeJfxx = on(kJfxx);
    options.removeAppX = on(kAppX);
    options.uniteDqt = on(kDqt);
    options.uniteDht = on(kDht);
    options.removeCom = on(kCom);
    options.convertExif = on(kExif);
    options.exifGenCmt = on(kGenCmt);
    options.exifGenEng = on(kGenEng);
    options.exifUserCmt = on(kUserCmt);
    return options;
}

constexpr unsigned Bit(Flag flag) {
    return 1u << flag;
}

// Each filter alone, none, the defaults, and everything.
const std::vector<unsigned>& RepresentativeCombinations() {
    static const std::vector<unsigned> combinations = {
        0,
        Bit(kThumb),
        Bit(kJfxx),
        Bit(kAppX),
        Bit(kDqt),
        Bit(kDht),
        Bit(kCom),
        Bit(kExif),
        Bit(kExif) | Bit(kGenCmt) | Bit(kUserCmt),
        Bit(kExif) | Bit(kGenCmt) | Bit(kGenEng) | Bit(kCom) | Bit(kAppX),
        Bit(kThumb) | Bit(kJfxx) | Bit(kAppX) | Bit(kDqt) | Bit(kDht),
        (1u << kFlags) - 1,
    };
    return combinations;
}

struct Segment {
    int code; // -1 for a data stretch
    std::string bytes;
};

std::vector<Segment> SegmentsOf(const std::string& path, const std::string& bytes) {
    std::vector<Segment> segments;
    for (const auto& record : SplitJpegFile(path)) {
        const bool data = record->Has(SEG_DATA);
        segments.push_back({data ? -1 : record->Code(),
                            data ? bytes.substr(record->offset, record->length)
                                 : std::string(reinterpret_cast<const char*>(record->Bytes()),
                                               record->ByteCount())});
    }
    return segments;
}

bool IsApp(int code) {
    return code >= 0xE1 && code <= 0xEF;
}
bool IsEdited(int code) {
    return code == 0xE0 || IsApp(code) || code == 0xFE || code == 0xDB || code == 0xC4;
}
// An APP0 whose four identifier letters are `identifier`.
bool Identified(const Segment& segment, const char* identifier) {
    return segment.bytes.size() >= 8 && segment.bytes.compare(4, 4, identifier) == 0;
}

int Count(const std::vector<Segment>& segments, const std::function<bool(const Segment&)>& test) {
    return static_cast<int>(std::count_if(segments.begin(), segments.end(), test));
}

// Per scan group (the segments before each SOS, and after the last), the number of table
// segments of `code` and their payloads joined.
std::vector<std::pair<int, std::string>> TableGroups(const std::vector<Segment>& segments,
                                                     int code) {
    std::vector<std::pair<int, std::string>> groups(1);
    for (const Segment& segment : segments) {
        if (segment.code == 0xDA) groups.emplace_back();
        if (segment.code != code) continue;
        ++groups.back().first;
        groups.back().second += segment.bytes.substr(4);
    }
    return groups;
}

std::string SummaryText(const CExifReader& exif, bool english) {
    std::string text;
    for (const std::string& line : ExifSummaryLines(exif, english ? kSummaryEnglish : 0))
        if (!line.empty()) text += line + "\r\n";
    return text;
}

class SourceFile {
public:
    SourceFile(const std::string& path, const TempDir& dir)
        : path_(path), bytes_(ReadWholeFile(path)), segments_(SegmentsOf(path, bytes_)),
          decoded_(DecodeJpeg(bytes_)), output_(dir.File("filtered.jpg")) {
        for (const Segment& segment : segments_) {
            if (segment.code != 0xE1) continue;
            if (segment.bytes.size() >= 10 && segment.bytes.compare(4, 6, "Exif\0\0", 6) == 0) {
                exifBlock_ = segment.bytes.substr(10);
                const auto* block = reinterpret_cast<const uint8_t*>(exifBlock_.data());
                convertible_ = exif_.ParseExifBlock(block, exifBlock_.size()) > 0;
            }
            break;
        }
    }

    bool Decodes() const { return decoded_.ok; }

    // Filters the file with the options and checks the result.
    void Check(unsigned bits) {
        const BulkFltOptions options = OptionsFromBits(bits);
        SegmentList list = SplitJpegFile(path_);
        CSegmentReader reader;
        FilterFileContext context{list, reader, path_, output_, settings_};
        ASSERT_EQ(ApplyFilters(context, options), 1) << path_;
        const std::string output = ReadWholeFile(output_);
        EXPECT_EQ(context.writtenSize, output.size());
        if (decoded_.ok && checkedOutputs_.insert(output).second) {
            EXPECT_TRUE(DecodeJpeg(output) == decoded_) << path_ << " flags " << bits;
        }
        CheckSegments(SegmentsOf(output_, output), options, bits);
    }

private:
    void CheckSegments(const std::vector<Segment>& out, const BulkFltOptions& options,
                       unsigned bits) const {
        const std::string where = path_ + " flags " + std::to_string(bits);
        std::vector<std::string> kept, keptOut;
        for (const Segment& segment : segments_)
            if (!IsEdited(segment.code)) kept.push_back(segment.bytes);
        for (const Segment& segment : out)
            if (!IsEdited(segment.code)) keptOut.push_back(segment.bytes);
        EXPECT_TRUE(kept == keptOut) << where;

        CheckTables(out, 0xDB, options.uniteDqt, where);
        CheckTables(out, 0xC4, options.uniteDht, where);
        CheckApp0(out, options, where);
        auto com = [](const Segment& s) { return s.code == 0xFE; };
        const int made = Count(out, com) - (options.removeCom ? 0 : Count(segments_, com));
        const bool converted = options.convertExif && convertible_;
        EXPECT_TRUE(made == 0 || (converted && made == 1)) << where;
        if (converted) CheckConversion(out, options, made == 1, where);
        for (int code = 0xE1; code <= 0xEF; ++code) {
            auto app = [code](const Segment& s) { return s.code == code; };
            const int expected = options.removeAppX ? 0
                                 : code == 0xE1     ? Count(segments_, app) - (converted ? 1 : 0)
                                                    : Count(segments_, app);
            EXPECT_EQ(Count(out, app), expected) << where << " APP" << code - 0xE0;
        }
    }

    // Tables stay in their scan group with their payloads in order; united they are one
    // segment unless that would exceed a segment's length.
    void CheckTables(const std::vector<Segment>& out, int code, bool unite,
                     const std::string& where) const {
        const auto before = TableGroups(segments_, code);
        const auto after = TableGroups(out, code);
        ASSERT_EQ(before.size(), after.size()) << where;
        for (size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(before[i].second, after[i].second) << where << " group " << i;
            const bool fits = before[i].second.size() <= CMarkerSegment::kMaxPayload;
            const int expected = unite && fits ? std::min(before[i].first, 1) : before[i].first;
            EXPECT_EQ(after[i].first, expected) << where << " group " << i;
        }
    }

    void CheckApp0(const std::vector<Segment>& out, const BulkFltOptions& options,
                   const std::string& where) const {
        auto jfxx = [](const Segment& s) { return s.code == 0xE0 && Identified(s, "JFXX"); };
        EXPECT_EQ(Count(out, jfxx), options.removeJfxx ? 0 : Count(segments_, jfxx)) << where;
        auto thumbnail = [](const Segment& s) {
            return s.code == 0xE0 && Identified(s, "JFIF") && s.bytes.size() > 18;
        };
        if (options.removeThumb) {
            EXPECT_EQ(Count(out, thumbnail), 0) << where;
        }
    }

    // The APP0 made where the Exif APP1 stood, with the density of the resolution tags, the
    // file's only JFIF header; then the made comment: the summary lines, and the user comment
    // after a blank line when asked for.
    void CheckConversion(const std::vector<Segment>& out, const BulkFltOptions& options,
                         bool commentMade, const std::string& where) const {
        int app0Before = 0;
        for (const Segment& segment : segments_) {
            if (segment.code == 0xE1) break;
            const bool jfxx = Identified(segment, "JFXX");
            const bool jfif = Identified(segment, "JFIF");
            if (segment.code == 0xE0 && !jfif && !(jfxx && options.removeJfxx)) ++app0Before;
        }
        int jfifHeaders = 0;
        for (const Segment& segment : out)
            jfifHeaders += segment.code == 0xE0 && Identified(segment, "JFIF") ? 1 : 0;
        EXPECT_EQ(jfifHeaders, 1) << where;
        auto app0 = out.begin();
        for (int seen = -1; app0 != out.end(); ++app0)
            if (app0->code == 0xE0 && ++seen == app0Before) break;
        if (app0 == out.end() || app0->bytes.size() != 18) {
            ADD_FAILURE() << where << ": no JFIF APP0 made";
            return;
        }
        EXPECT_EQ(app0->bytes.substr(0, 12), std::string("\xFF\xE0\0\x10JFIF\0\1\1\1", 12));
        auto density = [&](uint16_t tag) {
            const CIfdEntry* entry = exif_.FindTag(tag);
            return entry ? static_cast<int>(exif_.GetRational(*entry)) : 72;
        };
        const auto* field = reinterpret_cast<const uint8_t*>(app0->bytes.data());
        EXPECT_EQ(field[12] << 8 | field[13], density(282)) << where;
        EXPECT_EQ(field[14] << 8 | field[15], density(283)) << where;
        const std::string summary =
            options.exifGenCmt ? SummaryText(exif_, options.exifGenEng) : "";
        EXPECT_TRUE(commentMade || summary.empty()) << where;
        const auto next = std::next(app0);
        if (!commentMade || next == out.end()) return;
        ASSERT_EQ(next->code, 0xFE) << where;
        const std::string text = next->bytes.substr(4);
        EXPECT_EQ(text.substr(0, summary.size()), summary) << where;
        if (!options.exifUserCmt) {
            EXPECT_EQ(text, summary) << where;
        } else if (!summary.empty() && text.size() > summary.size()) {
            EXPECT_EQ(text.substr(summary.size(), 2), "\r\n") << where;
        }
    }

    std::string path_;
    std::string bytes_;
    std::vector<Segment> segments_;
    DecodedImage decoded_;
    std::string output_;
    std::string exifBlock_;
    CExifReader exif_;
    bool convertible_ = false;
    SettingsStore settings_;
    std::set<std::string> checkedOutputs_;
};

std::vector<std::string> CorpusJpegs() {
    return CorpusFiles({".jpg", ".jpeg", ".jfif"}, {"exif-samples", "libjpeg-turbo-testimages"});
}

} // namespace

TEST(FilterCorpus, RepresentativeCombinationsOnEveryFile) {
    const auto files = CorpusJpegs();
    if (files.empty()) SKIP_OR_FAIL_WITHOUT_CORPUS();
    TempDir dir;
    int decoded = 0;
    for (const std::string& path : files) {
        SourceFile source(path, dir);
        decoded += source.Decodes() ? 1 : 0;
        for (unsigned bits : RepresentativeCombinations())
            source.Check(bits);
    }
    EXPECT_GT(decoded, static_cast<int>(files.size()) * 9 / 10);
}

TEST(FilterCorpus, EveryCombinationOnAFewFiles) {
    const char* names[] = {"Canon_40D.jpg", "32-lens_data.jpeg", "testimgari.jpg",
                           "Kodak_CX7530.jpg"};
    TempDir dir;
    int checked = 0;
    for (const std::string& path : CorpusJpegs()) {
        const std::string name = std::filesystem::path(path).filename().string();
        if (std::find(std::begin(names), std::end(names), name) == std::end(names)) continue;
        SourceFile source(path, dir);
        for (unsigned bits = 0; bits < (1u << kFlags); ++bits)
            source.Check(bits);
        ++checked;
    }
    if (checked == 0) SKIP_OR_FAIL_WITHOUT_CORPUS();
}

// In place, the file ends up as a filtered copy would be, and no temporary file stays.
TEST(FilterCorpus, InPlaceEqualsCopy) {
    const auto files = CorpusJpegs();
    if (files.empty()) SKIP_OR_FAIL_WITHOUT_CORPUS();
    TempDir dir, temporary;
    SettingsStore settings;
    settings.tempDir = temporary.Path();
    const BulkFltOptions options = OptionsFromBits((1u << kFlags) - 1);
    for (const std::string& path : files) {
        const std::string copy = dir.Write("copy.jpg", ReadWholeFile(path));
        for (const std::string& destination : {dir.File("out.jpg"), copy}) {
            SegmentList list = SplitJpegFile(copy);
            CSegmentReader reader;
            FilterFileContext context{list, reader, copy, destination, settings};
            ASSERT_EQ(ApplyFilters(context, options), 1) << path;
        }
        EXPECT_TRUE(ReadWholeFile(copy) == ReadWholeFile(dir.File("out.jpg"))) << path;
        EXPECT_TRUE(std::filesystem::is_empty(temporary.Path())) << path;
    }
}
