// Message boxes asked for by a worker thread are shown by the GUI thread.
#include "ui/kit/QtPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    void workerReportIsShownByTheGuiThread() {
        QtPlatform platform;
        QThread* boxThread = nullptr;
        QString boxText;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            boxThread = box->thread();
            boxText = box->text();
            box->button(QMessageBox::No)->click();
        });
        answerer.start(10);

        std::atomic<bool> done{false};
        Answer answer = Answer::Ok;
        std::thread worker([&] {
            answer = platform.ShowMessage("worker", MessageKind::Question, Buttons::YesNo);
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done.load(), 10000);
        worker.join();
        QCOMPARE(answer, Answer::No);
        QCOMPARE(boxThread, QApplication::instance()->thread());
        QCOMPARE(boxText, QString("worker"));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
