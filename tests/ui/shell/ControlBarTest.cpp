// The control bar: what the settings take from it, and the comment box and button.
#include "ui/shell/ControlBar.h"
#include "ui/shell/QualitySpin.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

class ControlBarTest : public QObject {
    Q_OBJECT
private slots:
    void settingsTakeTheValuesAsTheRulesSay() {
        SettingsStore settings;
        settings.param2 = 4; // "1:2", which the list offers only with extended sampling
        QAction comment, edit;
        CControlBar bar(settings, &comment, &edit);
        QCOMPARE(bar.SamplingList()->count(), 4);
        QCOMPARE(bar.SamplingList()->currentIndex(), -1);
        QCOMPARE(bar.EncodingList()->itemText(1), QString("プログレッシブ"));

        bar.QualityField()->SetText("150");
        bar.Commit(settings);
        QCOMPARE(settings.param1, 100);
        QCOMPARE(bar.QualityField()->text(), QString("100"));
        QCOMPARE(settings.param2, -1);
        QCOMPARE(settings.param3, 0);

        settings.allowExtSampling = 1;
        settings.param2 = 4;
        CControlBar extended(settings, &comment, &edit);
        QCOMPARE(extended.SamplingList()->count(), 5);
        QCOMPARE(extended.SamplingList()->currentIndex(), 4);
    }

    void arrowsStayWithinTheRange() {
        CQualitySpin spin;
        spin.SetText("99");
        spin.stepBy(5);
        QCOMPARE(spin.text(), QString("100"));
        spin.SetText("150"); // typed: kept until the settings take it
        spin.stepBy(-1);
        QCOMPARE(spin.text(), QString("100"));
        spin.SetText("0");
        spin.stepBy(-1);
        QCOMPARE(spin.text(), QString("0"));
        QString letters = "7a";
        int position = 0;
        QCOMPARE(spin.validate(letters, position), QValidator::Invalid);
    }

    void commentBoxSendsItsCommandAndKeepsNoKeyOfItsOwn() {
        SettingsStore settings;
        QAction comment, edit;
        int toggles = 0;
        connect(&comment, &QAction::triggered, [&] { ++toggles; });
        CControlBar bar(settings, &comment, &edit);
        QVERIFY(!bar.EditButton()->isEnabled());
        bar.ShowComment(true);
        QVERIFY(bar.CommentBox()->isChecked() && bar.EditButton()->isEnabled());
        bar.CommentBox()->click();
        QCOMPARE(toggles, 1);
        QVERIFY(bar.CommentBox()->shortcut().isEmpty() && bar.EditButton()->shortcut().isEmpty());
        bar.EnableQuality(false);
        QVERIFY(!bar.QualityField()->isEnabled());
    }
};

QTEST_MAIN(ControlBarTest)
#include "ControlBarTest.moc"
