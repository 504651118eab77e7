// The image size dialog's aspect rule, and the resize command on a document.
#include "imageops/ui/SizeDialog.h"
#include "AppFixture.h"
#include "app/commands/CommandId.h"
#include "core/ImageDoc.h"

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
