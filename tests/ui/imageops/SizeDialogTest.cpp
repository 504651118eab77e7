// The image size dialog's aspect rule, and the resize command on a document.
#include "ui/imageops/SizeDialog.h"
#include "base/HeadlessPlatform.h"
#include "core/ImageDoc.h"
#include "shell/CommandId.h"
#include "ui/AppFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

void Type(QLineEdit* field, const QString& keys) {
    field->selectAll();
    QTest::keyClicks(field, keys);
}

} // namespace

class SizeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void typingOneSideFollowsTheAspectOnlyWhileTicked() {
        CSizeDialog dialog(200, 100);
        auto* width = dialog.findChild<QLineEdit*>("width");
        auto* height = dialog.findChild<QLineEdit*>("height");
        auto* keepAspect = dialog.findChild<QCheckBox*>("keepAspect");
        QCOMPARE(height->text(), QString("100"));
        QVERIFY(keepAspect->isChecked());
        Type(width, "51");
        QCOMPARE(height->text(), QString("25"));
        QTest::mouseClick(keepAspect, Qt::LeftButton);
        Type(width, "80");
        QCOMPARE(height->text(), QString("25"));
        QTest::mouseClick(keepAspect, Qt::LeftButton); // the last edit's rule applies again
        QCOMPARE(height->text(), QString("40"));
        QCOMPARE(dialog.ChosenWidth(), 80u);
    }

    // What is no side from 1 to 65535 is refused with a beep: a letter or digit as it is
    // typed, an emptied field when it is left (it goes back to its last good side), OK while
    // the other side kept in proportion is 0.
    void sidesTakeOnlyWholeNumbersInTheirRange() {
        CSizeDialog dialog(200, 100);
        dialog.show();
        auto* width = dialog.findChild<QLineEdit*>("width");
        auto* height = dialog.findChild<QLineEdit*>("height");
        const int before = Headless().Beeps();
        Type(width, "x");
        Type(width, "655351");
        QCOMPARE(Headless().Beeps() - before, 2);
        QCOMPARE(height->text(), QString("32767"));
        Type(width, "1");
        QCOMPARE(height->text(), QString("0"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Headless().Beeps() - before, 3);
        QTest::keyClick(width, Qt::Key_Backspace);
        QTest::keyClick(width, Qt::Key_Return); // leaves the field empty: back to 1
        QCOMPARE(width->text(), QString("1"));
        Type(width, "8");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ChosenWidth(), 8u);
        QCOMPARE(dialog.ChosenHeight(), 4u);
    }

    void theCommandResizesAndMarksTheDocument() {
        AppOnPicture started;
        CImageDoc& document = started.Document();
        const int syncId = document.SyncId();
        RunCommandDialog<CSizeDialog>(started.Frame(), ID_RESIZE, [](CSizeDialog& dialog) {
            Type(dialog.findChild<QLineEdit*>("width"), "254"); // twice 127 x 64
            dialog.accept();
        });
        QCOMPARE(document.ImageWidth(), 254);
        QCOMPARE(document.ImageHeight(), 128);
        QVERIFY(document.IsModified());
        QVERIFY(document.SyncId() != syncId);
        QCOMPARE(started.Frame()->InfoText(), QString("254x128 Modified Image"));
    }
};

QTEST_MAIN(SizeDialogTest)
#include "SizeDialogTest.moc"
