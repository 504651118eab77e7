// The comment editor on its own copy of a list, and the comment command on a document.
#include "ui/jpegtools/CommentEditor.h"
#include "base/HeadlessPlatform.h"
#include "core/ImageDoc.h"
#include "shell/CommandId.h"
#include "ui/AppFixture.h"
#include "ui/shell/ControlBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using CommentList = std::vector<std::unique_ptr<const CommentItem>>;

CommentList TwoComments() {
    CommentList list;
    list.push_back(std::make_unique<const CommentItem>(CommentItem{3, "Comment", "first"}));
    list.push_back(std::make_unique<const CommentItem>(CommentItem{3, "Author", "second"}));
    return list;
}

struct Controls {
    QComboBox* keyword;
    QPlainTextEdit* text;
    QPushButton* insert;
    QPushButton* remove;
    explicit Controls(CCommentEditor& editor)
        : keyword(editor.findChild<QComboBox*>("keyword")),
          text(editor.findChild<QPlainTextEdit*>("text")),
          insert(editor.findChild<QPushButton*>("insert")),
          remove(editor.findChild<QPushButton*>("delete")) {}
    void TypeKeyword(const QString& keys) {
        keyword->lineEdit()->selectAll();
        QTest::keyClicks(keyword->lineEdit(), keys);
    }
    void ReplaceText(const QString& typed) {
        text->selectAll();
        text->insertPlainText(typed);
    }
    void Choose(int index) {
        keyword->setCurrentIndex(index);
        emit keyword->activated(index);
    }
};

// "&File..." with the file chosen in its dialog.
void ReadFile(CCommentEditor& editor, const QString& path) {
    QTimer::singleShot(0, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept takes the file
    });
    editor.findChild<QPushButton*>("file")->click();
}

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("no %s", name);
    return file.fileName();
}

} // namespace

class CommentEditorTest : public QObject {
    Q_OBJECT
private slots:
    void keywordsSelectInsertAndDelete() {
        const CommentList list = TwoComments();
        CCommentEditor editor(list, list[1].get());
        Controls controls(editor);
        QCOMPARE(controls.text->toPlainText(), QString("second"));
        controls.TypeKeyword("comment"); // no exact match: a new keyword
        QVERIFY(controls.insert->isEnabled() && !controls.remove->isEnabled());
        QVERIFY(!controls.text->isEnabled() && controls.text->toPlainText().isEmpty());
        controls.TypeKeyword("Comment");
        QVERIFY(!controls.insert->isEnabled() && controls.remove->isEnabled());
        QCOMPARE(controls.text->toPlainText(), QString("first"));

        controls.Choose(1);
        QTest::mouseClick(controls.remove, Qt::LeftButton); // the last: nothing follows
        QCOMPARE(controls.keyword->count(), 1);
        QVERIFY(!controls.text->isEnabled() && !controls.remove->isEnabled());
        QCOMPARE(editor.EditedComments().size(), size_t{1});
    }

    // Edits survive a switch to another record and back, and reach the list as Shift_JIS
    // lines joined by CR LF, a long line whole.
    void editsAreKeptAndStoredAsShiftJisLines() {
        const CommentList list = TwoComments();
        CCommentEditor editor(list, nullptr);
        Controls controls(editor);
        const QString longLine(300, 'x');
        controls.ReplaceText(QString::fromUtf8("あ\n") + longLine + "\nc");
        controls.Choose(1);
        QCOMPARE(controls.text->toPlainText(), QString("second"));
        controls.Choose(0);
        QCOMPARE(controls.text->toPlainText(), QString::fromUtf8("あ\n") + longLine + "\nc");
        editor.accept();
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(editor.EditedComments()[0].text, "\x82\xA0\r\n" + std::string(300, 'x') + "\r\nc");
        QCOMPARE(editor.EditedComments()[1].text, std::string("second"));
    }

    void aCharacterOutsideShiftJisIsRefused() {
        Headless().ClearMessages();
        const CommentList list = TwoComments();
        CCommentEditor editor(list, nullptr);
        editor.open();
        Controls controls(editor);
        controls.ReplaceText(QString::fromUtf8("caf\u00E9"));
        controls.Choose(1); // refused: the record and its text stay
        QCOMPARE(controls.keyword->currentIndex(), 0);
        editor.accept();
        QVERIFY(editor.isVisible());
        QCOMPARE(Headless().Messages().size(), size_t{2});
        QVERIFY(Headless().Messages()[0].text.find("U+00E9") != std::string::npos);
        QCOMPARE(controls.text->textCursor().selectedText(), QString::fromUtf8("\u00E9"));
        QCOMPARE(editor.EditedComments()[0].text, std::string("first"));
    }

    // A text file is decoded by the charset its bytes show; one that decodes in none is
    // refused, naming the file, and the edit keeps its text.
    void textFilesAreDecodedByTheirCharset() {
        QTemporaryDir dir;
        const CommentList list = TwoComments();
        CCommentEditor editor(list, nullptr);
        Controls controls(editor);
        ReadFile(editor, WriteFile(dir, "utf8.txt", "\xE3\x81\x82\xE3\x81\x84\nb\n"));
        QCOMPARE(controls.text->toPlainText(), QString::fromUtf8("あい\nb\n"));
        ReadFile(editor, WriteFile(dir, "euc.txt", "\xA4\xA6"));
        QCOMPARE(controls.text->toPlainText(), QString::fromUtf8("う\n"));
        Headless().ClearMessages();
        const QString latin1 = WriteFile(dir, "latin1.txt", "caf\xE9\n");
        ReadFile(editor, latin1);
        QCOMPARE(Headless().Messages().size(), size_t{1});
        QVERIFY(Headless().Messages()[0].text.ends_with("\n" + latin1.toStdString()));
        QCOMPARE(controls.text->toPlainText(), QString::fromUtf8("う\n"));
        editor.accept();
        QCOMPARE(editor.EditedComments()[0].text, std::string("\x82\xA4\r\n"));
    }

    // Cancel leaves the document as it was; OK gives it the list, the modified mark, the
    // comment flag, and the current item by its key, ignoring case.
    void theCommandReplacesTheCommentsOnlyOnOk() {
        AppOnPicture started;
        CImageDoc& document = started.Document();
        document.AddComment({3, "Author", "me"}, false);
        started.Frame()->Action(ID_COMMENT_TOGGLE)->trigger();
        const auto deleteFirstAndInsert = [&](bool ok) {
            RunCommandDialog<CCommentEditor>(started.Frame(), ID_COMMENT_EDIT,
                                             [ok](CCommentEditor& editor) {
                                                 Controls controls(editor);
                                                 QTest::mouseClick(controls.remove, Qt::LeftButton);
                                                 controls.TypeKeyword("comment");
                                                 QTest::mouseClick(controls.insert, Qt::LeftButton);
                                                 ok ? editor.accept() : editor.reject();
                                             });
        };
        deleteFirstAndInsert(false);
        QCOMPARE(document.CurrentComment()->key, std::string("Comment"));
        QVERIFY(!document.IsModified());

        deleteFirstAndInsert(true);
        QCOMPARE(document.Comments().size(), size_t{2});
        QCOMPARE(document.Comments()[0]->key, std::string("Author"));
        QCOMPARE(document.CurrentComment(), document.Comments()[1].get());
        QVERIFY(document.IsModified() && document.IncludesComment());
        QVERIFY(started.Frame()->ControlBar()->CommentBox()->isChecked());
    }
};

QTEST_MAIN(CommentEditorTest)
#include "CommentEditorTest.moc"
