// The marker inspector: field selection in the hex text, segment edits written back, PNG files
// read-only, and the inspector run on the active document.
#include "base/StringTable.h"
#include "core/ImageDoc.h"
#include "jpegtools/MarkerNode.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/MarkerInspectorDialog.h"
#include "ui/jpegtools/QuantTableView.h"
#include "ui/jpegtools/SegmentHexEdit.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QString kMarkers = QString(TEST_DATA_DIR) + "/markers/";
constexpr int kFrameItem = 4; // SOF0 of testorig.jpg
const QString kCamera = QString(TEST_DATA_DIR) + "/exif/canon_40d.jpg";
constexpr int kCameraItems = 14; // SOI APP0 APP1 APP2 DQT DQT SOF0 DHT*4 SOS data EOI

// Answers every question box with one button, keeping the texts asked and whether the box
// offered No as its default.
struct Answerer {
    QStringList texts;
    bool noWasDefault = false;
    QTimer timer;
    explicit Answerer(QMessageBox::StandardButton button) {
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts << box->text();
            noWasDefault = box->defaultButton() == box->button(QMessageBox::No);
            box->button(button)->click();
        });
        timer.start(5);
    }
};

QString Question(StringId id) {
    return QString::fromStdString(LoadString(id));
}

// A copy of a test file in the directory, to be edited.
QString CopyInto(const QTemporaryDir& dir, const QString& source, const QString& name) {
    const QString copy = dir.path() + "/" + name;
    QFile::copy(source, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Inspector {
    CMarkerInspectorDialog dialog;
    QTreeWidget* tree;
    CSegmentHexEdit* hex;
    Inspector(const QString& path, const QString& tempDir)
        : dialog(path.toStdString(), tempDir.toStdString()),
          tree(dialog.findChild<QTreeWidget*>("markerTree")),
          hex(dialog.findChild<CSegmentHexEdit*>("hexEdit")) {
        dialog.show();
    }
    void Click(const char* button) { dialog.findChild<QAbstractButton*>(button)->click(); }
    bool Enabled(const char* button) {
        return dialog.findChild<QAbstractButton*>(button)->isEnabled();
    }
    QString ItemText(int item) const { return tree->topLevelItem(item)->text(0); }
    // Selects an item and retypes its hex text.
    void Retype(int item, const QString& text) {
        tree->setCurrentItem(tree->topLevelItem(item));
        hex->setPlainText(text);
    }
    int CurrentItem() const {
        QTreeWidgetItem* item = tree->currentItem();
        while (item && item->parent())
            item = item->parent();
        return item ? tree->indexOfTopLevelItem(item) : -1;
    }
    QString ModelHex(int item) const {
        return QString::fromStdString(dialog.Model().HexText(item)).replace("\r\n", "\n");
    }
    // What the window shows that the segment list does not hold; empty when the tree lists the
    // model's items and the hex text holds the bytes of the selected node's segment.
    QString Mismatch() const {
        const CMarkerTreeModel& model = dialog.Model();
        if (tree->topLevelItemCount() != static_cast<int>(model.ItemCount())) return "count";
        for (int item = 0; item < tree->topLevelItemCount(); ++item)
            if (ItemText(item).toStdString() != DisplayText(model.Item(item)))
                return "text of " + QString::number(item);
        const int current = CurrentItem();
        if (hex->toPlainText() != (current < 0 ? QString() : ModelHex(current)))
            return "hex shown for " + QString::number(current);
        return {};
    }
    // Changes the last byte of the hex text and applies it; returns the text typed.
    QString RetypeLastByteAndApply() {
        QString text = hex->toPlainText();
        const auto last = text.lastIndexOf(QRegularExpression("[0-9a-f]{2}"));
        text.replace(last, 2, text.mid(last, 2) == "5a" ? "a5" : "5a");
        hex->setPlainText(text);
        Click("okButton");
        return text;
    }
};

} // namespace

class MarkerInspectorTest : public QObject {
    Q_OBJECT
private slots:
    void fieldSelectionCoversItsBytesOnEitherLine() {
        QTemporaryDir dir;
        Inspector inspector(kMarkers + "testorig.jpg", dir.path());
        QTreeWidgetItem* frame = inspector.tree->topLevelItem(kFrameItem);
        QCOMPARE(frame->child(1)->text(0), QString("Rows=149"));
        inspector.tree->setCurrentItem(frame->child(1));
        QCOMPARE(inspector.hex->textCursor().selectedText(), QString("00 95"));
        inspector.tree->setCurrentItem(frame->child(6)); // the last component, on line 2
        QCOMPARE(inspector.hex->textCursor().selectedText(), QString("03 11 01"));
        QVERIFY(!inspector.Enabled("okButton") && !inspector.Enabled("saveButton"));
    }

    void retypedFrameAsksToCorrectItsLength() {
        QTemporaryDir dir;
        Inspector inspector(kMarkers + "testorig.jpg", dir.path());
        const QString shorter = "ff c0 00 11 08 00 95 00 e3 03 01 22 00 02 11 01\n03 11";
        inspector.Retype(kFrameItem, shorter);
        QVERIFY(inspector.Enabled("okButton") && inspector.Enabled("cancelButton"));
        {
            Answerer no(QMessageBox::No);
            inspector.Click("okButton");
            QCOMPARE(no.texts, QStringList{Question(StringId::LengthMismatchQuestion)});
        }
        QVERIFY(inspector.ItemText(kFrameItem).endsWith("(19)")); // the length as typed
        QVERIFY(inspector.tree->currentItem() == inspector.tree->topLevelItem(kFrameItem));
        QVERIFY(!inspector.Enabled("okButton") && inspector.Enabled("saveButton"));

        inspector.Retype(kFrameItem, shorter);
        Answerer yes(QMessageBox::Yes);
        inspector.Click("okButton");
        QVERIFY(inspector.ItemText(kFrameItem).endsWith("(18)"));
        QVERIFY(inspector.hex->toPlainText().startsWith("ff c0 00 10 "));
    }

    void editWithoutDigitsDropsTheSegmentFromTheFile() {
        QTemporaryDir dir;
        const QString path = CopyInto(dir, kMarkers + "testorig.jpg", "t.jpg");
        const QByteArray before = Bytes(path);
        Inspector inspector(path, dir.path());
        const QString removed = inspector.ItemText(kFrameItem);
        inspector.Retype(kFrameItem, "zz; no xy-z");
        inspector.Click("okButton");
        Answerer yes(QMessageBox::Yes);
        inspector.Click("saveButton");
        QCOMPARE(yes.texts, QStringList{Question(StringId::SaveMarkersQuestion)});
        QVERIFY(yes.noWasDefault);
        QCOMPARE(inspector.dialog.result(), int(CMarkerInspectorDialog::kSaved));
        const QByteArray after = Bytes(path);
        QCOMPARE(after.size(), before.size() - 19);
        QVERIFY(!after.contains(QByteArray::fromHex("ffc00011")));
        QVERIFY(removed.endsWith("(19)"));
    }

    void editsActOnTheSelectedSegment_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("child"); // -1: the segment's own node
        QTest::addColumn<int>("selectedAfter");
        const std::tuple<const char*, int, int> positions[] = {
            {"first", 0, -1}, {"middle", 2, -1}, {"last", kCameraItems - 1, -1}, {"group", 4, 1}};
        for (const auto& [position, item, child] : positions) {
            const int deletedAfter = item == kCameraItems - 1 ? item - 1 : item;
            QTest::addRow("Del %s", position) << "delButton" << item << child << deletedAfter;
            QTest::addRow("Ins %s", position) << "insButton" << item << child << item + 1;
            QTest::addRow("Ok %s", position) << "okButton" << item << child << item;
        }
    }

    // After Del, Ins and Ok the hex text shows the selected segment, and the next edit
    // replaces that segment alone.
    void editsActOnTheSelectedSegment() {
        QFETCH(QString, button);
        QFETCH(int, item);
        QFETCH(int, child);
        QFETCH(int, selectedAfter);
        QTemporaryDir dir;
        Inspector inspector(CopyInto(dir, kCamera, "c.jpg"), dir.path());
        QCOMPARE(inspector.tree->topLevelItemCount(), kCameraItems);
        Answerer no(QMessageBox::No); // a retyped length byte stays as typed
        QTreeWidgetItem* selected = inspector.tree->topLevelItem(item);
        inspector.tree->setCurrentItem(child < 0 ? selected : selected->child(child));
        if (button == "okButton")
            inspector.RetypeLastByteAndApply();
        else
            inspector.Click(button.toLatin1());
        QCOMPARE(inspector.CurrentItem(), selectedAfter);
        QCOMPARE(inspector.Mismatch(), QString());

        if (inspector.hex->toPlainText().startsWith("(")) return; // scan data
        QStringList before;
        for (int k = 0; k < inspector.tree->topLevelItemCount(); ++k)
            before << inspector.ModelHex(k);
        before[selectedAfter] = inspector.RetypeLastByteAndApply();
        QCOMPARE(inspector.Mismatch(), QString());
        for (int k = 0; k < before.size(); ++k)
            QCOMPARE(inspector.ModelHex(k), before[k]);
    }

    void pngIsReadOnlyAndAFalsePngShowsNothing() {
        QTemporaryDir dir;
        Inspector png(kMarkers + "tbbn3p08.png", dir.path());
        QVERIFY(png.tree->topLevelItemCount() > 3);
        png.tree->setCurrentItem(png.tree->topLevelItem(1));
        QTest::keyClicks(png.hex, "00");
        for (const char* button : {"insButton", "delButton", "okButton", "cancelButton"})
            QVERIFY(!png.Enabled(button));
        QVERIFY(!png.Enabled("saveButton"));

        const QString fake = CopyInto(dir, kMarkers + "testorig.jpg", "fake.png");
        Inspector notPng(fake, dir.path());
        QCOMPARE(notPng.tree->topLevelItemCount(), 0);
        QVERIFY(notPng.Enabled("insButton")); // JPEG mode
    }

    void sixteenBitTableIsDrawnDividedBy256() {
        QTemporaryDir dir;
        QByteArray table = QByteArray::fromHex("ffd8ffdb008310");
        for (int k = 0; k < 64; ++k)
            table += k == 0 ? QByteArray::fromHex("0a80") : QByteArray::fromHex("0200");
        table += QByteArray::fromHex("ffd9");
        const QString path = dir.path() + "/sixteen.jpg";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
        file.close();
        Inspector inspector(path, dir.path());
        auto* grid = inspector.dialog.findChild<CQuantTableView*>("table0");
        QCOMPARE(grid->CellIndex(0, 0), 11); // (0x0a80 + 128) / 256
        QCOMPARE(grid->CellIndex(7, 7), 2);
        QCOMPARE(inspector.dialog.findChild<QLabel*>("qf0")->text(), QString("Qf=99.5"));
        QCOMPARE(inspector.dialog.findChild<QLabel*>("qf1")->text(), QString("N/A"));
    }

    void insertedCommentIsWrittenAndTheDocumentReloads() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QTemporaryDir dir;
        const QString path = CopyInto(dir, kMarkers + "testorig.jpg", "t.jpg");
        SettingsStore settings;
        settings.tempDir = dir.path().toStdString() + "/";
        CImageApp app{settings};
        QVERIFY(app.InitInstance("/opt/bin/tolmena", {path}));
        CImageDoc* document = app.MainFrame()->ActiveDocument();
        QVERIFY(document && !document->IncludesComment());
        Answerer yes(QMessageBox::Yes);
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<CMarkerInspectorDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* tree = dialog->findChild<QTreeWidget*>("markerTree");
            tree->setCurrentItem(tree->topLevelItem(0)); // SOI
            dialog->findChild<QToolButton*>("insButton")->click();
            QCOMPARE(tree->currentItem()->text(0), QString("COM   (Comment)(4)"));
            dialog->findChild<QPushButton*>("saveButton")->click();
        });
        app.MainFrame()->Action(ID_MARKER_VIEW)->trigger();
        QCOMPARE(Bytes(path).left(6), QByteArray::fromHex("ffd8fffe0002"));
        QVERIFY(document->IncludesComment()); // read again with the new comment
        app.ExitInstance();
    }
};

QTEST_MAIN(MarkerInspectorTest)
#include "MarkerInspectorTest.moc"
