// What the document layer announces: the window events of the template (created, brought
// forward, closing), the views' update hints, and the revision count of a document.
#include "DocFixture.h"
#include "core/DocTemplate.h"
#include "core/JpegConvert.h"
#include "imageops/YCbCrSeparation.h"
#include "support/JpegFixture.h"

#include <algorithm>

namespace {

// Records each update's hint and the revision the view saw.
struct HintView : IDocumentView {
    void OnUpdate(CDocument& document, int hint) override {
        hints.push_back(hint);
        revisions.push_back(static_cast<CImageDoc&>(document).Revision());
    }
    void OnDocumentClosing(CDocument&) override {}
    std::vector<int> hints;
    std::vector<uint64_t> revisions;
};

// The titles of the documents as they are announced: complete when created, still whole when
// closing.
class TitleHost : public RecordingHost {
public:
    void DocumentCreated(CImageDoc& document) override {
        RecordingHost::DocumentCreated(document);
        createdTitles.push_back(document.Title());
    }
    void DocumentClosing(CImageDoc& document) override {
        RecordingHost::DocumentClosing(document);
        closingTitles.push_back(document.Title());
    }
    std::vector<std::string> createdTitles, closingTitles;
};

class DocumentEvents : public DocTest {
protected:
    std::string Jpeg(const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(WriteTestJpeg(path, TestJpegOptions{}));
        return path;
    }
    TitleHost events;
};

} // namespace

TEST_F(DocumentEvents, OpenReopenAndCloseAreAnnounced) {
    HostedDocuments documents{events};
    CImageDoc* blank = documents.OpenDocumentFile("");
    CImageDoc* photo = documents.OpenDocumentFile(Jpeg("photo.jpg"));
    ASSERT_TRUE(blank && photo);
    EXPECT_EQ(events.created, (std::vector<CImageDoc*>{blank, photo}));

    // A file opened again brings its document forward; nothing new is announced.
    EXPECT_EQ(documents.OpenDocumentFile(dir.File("photo.jpg")), nullptr);
    EXPECT_EQ(events.activated, std::vector<CDocument*>{photo});
    EXPECT_EQ(events.created.size(), 2u);

    // A failed open and an unannounced document close silently.
    EXPECT_EQ(documents.OpenDocumentFile(dir.File("missing.jpg")), nullptr);
    documents.CloseDocument(documents.CreateNewDocument());
    EXPECT_EQ(events.created.size(), 2u);
    EXPECT_TRUE(events.closing.empty());

    documents.CloseDocument(*photo);
    documents.CloseAllDocuments();
    EXPECT_EQ(events.closing, (std::vector<CImageDoc*>{photo, blank}));
    EXPECT_EQ(events.closingTitles, (std::vector<std::string>{"photo.jpg", "Image1"}));
}

TEST_F(DocumentEvents, ConversionAndPlanesAreAnnouncedWhenComplete) {
    HostedDocuments documents{events};
    CImageDoc& source = *documents.OpenDocumentFile(Jpeg("src.jpg"));
    std::string label;
    CImageDoc* converted = ConvertToJpeg(source, documents, label);
    ASSERT_TRUE(converted);
    ASSERT_EQ(events.created.size(), 2u);
    EXPECT_EQ(events.created[1], converted);
    EXPECT_TRUE(converted->IsConverted());

    const std::vector<CImageDoc*> planes = SeparateYCbCr(source, documents);
    ASSERT_EQ(planes.size(), 3u);
    EXPECT_TRUE(std::equal(planes.begin(), planes.end(), events.created.begin() + 2));
    EXPECT_EQ(events.created.size(), 5u);
    // Each was announced with its own title (and picture) in place.
    EXPECT_EQ(events.createdTitles[1], converted->Title());
    EXPECT_EQ(events.createdTitles[4], "src.jpg[Cr]");

    // A conversion that cannot write its file announces nothing.
    AppSettings().tempDir = dir.File("missing");
    EXPECT_FALSE(ConvertToJpeg(source, documents, label));
    EXPECT_EQ(events.created.size(), 5u);
    EXPECT_TRUE(events.closing.empty());
}

TEST_F(DocumentEvents, ViewsGetTheHintAtTheRedrawPoints) {
    HostedDocuments documents{events};
    CImageDoc& document = *documents.OpenDocumentFile(Jpeg("photo.jpg"));
    HintView view;
    document.AddView(&view);

    document.SetInfoText("quiet", false);
    document.ReplaceImage(MakeImage(2, 2, Gradient(2, 2)));
    EXPECT_TRUE(view.hints.empty());

    document.SetInfoText("shown", true);
    document.UpdateAllViews(kUpdateNoRepaint);
    ASSERT_TRUE(document.Reload());
    EXPECT_EQ(view.hints, (std::vector<int>{kUpdateRepaint, kUpdateNoRepaint, kUpdateRepaint}));
    EXPECT_EQ(view.revisions.back(), document.Revision());
    document.RemoveView(&view);
}

TEST_F(DocumentEvents, EveryChangeCountsARevision) {
    CImageDoc document{context};
    uint64_t seen = document.Revision();
    auto changed = [&] {
        const bool bumped = document.Revision() > seen;
        seen = document.Revision();
        return bumped;
    };
    document.ReplaceImage(MakeImage(1, 1, {0}));
    EXPECT_TRUE(changed());
    document.SetInfoText("x", false);
    EXPECT_TRUE(changed());
    document.AddDefaultComment();
    EXPECT_TRUE(changed());
    document.SetIncludeComment(false);
    EXPECT_TRUE(changed());
    document.SetPngSaveState(1, true);
    EXPECT_TRUE(changed());
    document.SetGamma(2.2);
    EXPECT_TRUE(changed());
    document.SetModifiedMark(true);
    EXPECT_TRUE(changed());
    ASSERT_TRUE(document.LoadFile(Jpeg("photo.jpg")));
    EXPECT_TRUE(changed());
    EXPECT_EQ(document.Image().Width(), 64);
    EXPECT_FALSE(changed()); // reading changes nothing
}
