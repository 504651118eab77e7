// Paste, Clear and the automatic update of the clipboard document, on the offscreen clipboard.
#include "base/MemoryLimit.h"
#include "base/ReportError.h"
#include "shell/CommandId.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/QualitySpin.h"
#include "ui/shell/ToQImage.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

const QString kData = QString(TEST_DATA_DIR) + "/bmp/g/";

// The application with its profile in a fresh configuration directory, started on an empty
// clipboard unless told otherwise.
struct StartedApp {
    QTemporaryDir config;
    SettingsStore settings;
    CImageApp app{settings};
    explicit StartedApp(bool autoUpdate = false, QStringList files = {}) {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QDir(config.path()).mkpath("tolmena");
        QFile profile(config.path() + "/tolmena/tolmena.ini");
        if (!profile.open(QIODevice::WriteOnly)) qFatal("no profile");
        profile.write(autoUpdate ? "[default]\nAutoUpdateClipboard=1\n" : "[default]\n");
        profile.close();
        if (!app.InitInstance("/opt/bin/tolmena", files)) qFatal("the application did not start");
    }
    ~StartedApp() { app.ExitInstance(); }
    CMainFrame* Frame() { return app.MainFrame(); }
    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (const auto& document : app.Documents().Documents())
            titles.push_back(document->Title());
        return titles;
    }
};

QImage Picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 60, (x + y) * 20));
    return image;
}

QByteArray PngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Clipboard data that offers only the given bytes under one format, as another program does.
QMimeData* Offered(const QString& format, const QByteArray& bytes) {
    auto* data = new QMimeData;
    data->setData(format, bytes);
    return data;
}

// Reports go to a list while the object lives.
struct CollectedMessages : CollectedReports {
    CollectedMessages() { SetDefaultReportSink(this); }
    ~CollectedMessages() override { SetDefaultReportSink(nullptr); }
};

std::vector<uint32_t> PixelsOf(const CDibImage& image) {
    std::vector<uint32_t> rgb;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            rgb.push_back(image.PixelColor(x, y));
    return rgb;
}

} // namespace

class ClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QGuiApplication::clipboard()->clear(); }

    void pasteFillsOneClipboardDocument() {
        StartedApp started;
        CMainFrame* frame = started.Frame();
        QVERIFY(!frame->Action(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(!frame->Action(ID_EDIT_CLEAR_ALL)->isEnabled());

        QGuiApplication::clipboard()->setImage(Picture(3, 2));
        QVERIFY(frame->Action(ID_EDIT_PASTE)->isEnabled());
        frame->Action(ID_EDIT_PASTE)->trigger();
        QGuiApplication::clipboard()->setImage(Picture(5, 4));
        frame->Action(ID_EDIT_PASTE)->trigger();
        QCOMPARE(started.Titles(), std::vector<std::string>{"クリップボード"});
        CImageDoc* document = frame->ActiveDocument();
        QVERIFY(document && document->IsNewImage());
        QCOMPARE(document->DocType(), 132);
        QCOMPARE(document->InfoText(), std::string("5x4 Clipboard Image"));
        QCOMPARE(frame->InfoText(), QString("5x4 Clipboard Image"));
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 1);

        frame->Action(ID_EDIT_CLEAR_ALL)->trigger();
        QVERIFY(QGuiApplication::clipboard()->image().isNull());
        QVERIFY(!frame->Action(ID_EDIT_PASTE)->isEnabled());
        QVERIFY(!frame->Action(ID_EDIT_CLEAR_ALL)->isEnabled());
    }

    void automaticUpdateFreezesAndOpensANewDocument() {
        QGuiApplication::clipboard()->setImage(Picture(2, 2));
        StartedApp started(true); // the picture already there opens at start-up
        QCOMPARE(started.Titles(), std::vector<std::string>{"クリップボード"});
        QGuiApplication::clipboard()->setImage(Picture(4, 3));
        QCOMPARE(started.Titles(),
                 (std::vector<std::string>{"クリップボード(1)", "クリップボード"}));
        QVERIFY(!started.app.Documents().Documents()[0]->IsNewImage());
        QCOMPARE(started.app.Documents().Documents()[1]->ImageWidth(), 4);

        // Emptied, the clipboard freezes the document without opening another.
        QGuiApplication::clipboard()->clear();
        QCOMPARE(started.Titles(),
                 (std::vector<std::string>{"クリップボード(1)", "クリップボード(2)"}));
    }

    void copiedTrueColourPicturePastesExactly() {
        StartedApp started(false, {kData + "rgb24.bmp"});
        CMainFrame* frame = started.Frame();
        const CImageDoc* source = frame->ActiveDocument();
        QVERIFY(frame->ActiveView()->Copy());
        frame->Action(ID_EDIT_PASTE)->trigger();
        const CImageDoc* pasted = frame->ActiveDocument();
        QVERIFY(pasted && pasted != source);
        QCOMPARE(PixelsOf(pasted->Image()), PixelsOf(source->Image()));
    }

    void copyOffersFormatsThatPasteFast() {
        StartedApp started(false, {kData + "rgb24.bmp"});
        CMainFrame* frame = started.Frame();
        const QImage source = ToQImage(frame->ActiveDocument()->Image());
        QVERIFY(frame->ActiveView()->Copy());
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(data->formats(), QStringList({"image/png", "image/bmp"}));
        QVERIFY(data->hasImage());
        for (const QString& format : data->formats()) {
            const QImage pasted = QImage::fromData(data->data(format));
            QCOMPARE(pasted.convertToFormat(QImage::Format_RGB32), source);
        }
    }

    void pasteKeysReachTheCommandFromTheQualityField() {
        StartedApp started;
        CMainFrame* frame = started.Frame();
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CQualitySpin* field = frame->ControlBar()->QualityField();
        auto* text = field->findChild<QLineEdit*>();
        const QString quality = text->text();

        QGuiApplication::clipboard()->setImage(Picture(3, 2));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(started.Titles(), std::vector<std::string>{"クリップボード"});
        QGuiApplication::clipboard()->setImage(Picture(5, 4));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(frame->ActiveDocument()->ImageWidth(), 5);
        QCOMPARE(text->text(), quality);

        // The user editing a selection of the field pastes text into it.
        auto* both = new QMimeData;
        both->setImageData(Picture(7, 6));
        both->setText("42");
        QGuiApplication::clipboard()->setMimeData(both);
        field->setFocus();
        text->selectAll();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text->text(), QString("42"));
        QCOMPARE(frame->ActiveDocument()->ImageWidth(), 5);
    }

    void pasteReadsLargePicturesAndTellsWhyOneFails() {
        StartedApp started;
        CMainFrame* frame = started.Frame();
        CollectedMessages messages;
        // Qt's readers refuse pictures above their own limit; pasting raises it to the program's.
        QImageReader::setAllocationLimit(1);
        QGuiApplication::clipboard()->setMimeData(Offered("image/png", PngOf(Picture(600, 500))));
        frame->Action(ID_EDIT_PASTE)->trigger();
        QCOMPARE(frame->ActiveDocument()->ImageWidth(), 600);
        QVERIFY(messages.Texts().empty());

        const uint64_t limit = MemoryLimit();
        SetMemoryLimit(1 << 20);
        frame->Action(ID_EDIT_PASTE)->trigger();
        SetMemoryLimit(limit);
        QGuiApplication::clipboard()->setMimeData(Offered("image/png", QByteArray(5000, 'x')));
        QVERIFY(frame->Action(ID_EDIT_PASTE)->isEnabled());
        frame->Action(ID_EDIT_PASTE)->trigger();
        const std::vector<std::string> texts = messages.Texts();
        QCOMPARE(texts.size(), size_t{2});
        QCOMPARE(texts[0], std::string("Paste:needs 2 MB, above the memory limit of 1 MB\n"
                                       "クリップボード (image/png)"));
        QVERIFY2(texts[1].starts_with("Paste:") &&
                     texts[1].ends_with("\nクリップボード (image/png)") && texts[1].size() > 40,
                 texts[1].c_str());
        QCOMPARE(started.Titles(), std::vector<std::string>{"クリップボード"});
    }

    void paletteImagePastesWithItsPalette() {
        StartedApp started(false, {kData + "pal8.bmp"});
        CMainFrame* frame = started.Frame();
        const CDibImage& source = frame->ActiveDocument()->Image();
        QVERIFY(!source.IndexPixels().empty());
        // The view copies palette pictures as true colour.
        QVERIFY(frame->ActiveView()->Copy());
        frame->Action(ID_EDIT_PASTE)->trigger();
        QCOMPARE(PixelsOf(frame->ActiveDocument()->Image()), PixelsOf(source));

        QImage indexed = ToQImage(source).copy();
        const auto own = source.Palette().size();
        indexed.setColorTable(indexed.colorTable().mid(0, static_cast<qsizetype>(own)));
        QGuiApplication::clipboard()->setImage(indexed);
        frame->Action(ID_EDIT_PASTE)->trigger();
        const CImageDoc* pasted = frame->ActiveDocument();
        QCOMPARE(started.app.Documents().Documents().size(), size_t{2});
        QVERIFY(std::ranges::equal(pasted->Image().IndexPixels(), source.IndexPixels()));
        QCOMPARE(pasted->Facts().palette.size(), own);
        QCOMPARE(pasted->Facts().bitsPerSample, 8);
        QCOMPARE(pasted->InfoText(), FormatImageSize(source.Width(), source.Height()) +
                                         "Clipboard Image(" + std::to_string(own) + " colors)");
    }
};

QTEST_MAIN(ClipboardTest)
#include "ClipboardTest.moc"
