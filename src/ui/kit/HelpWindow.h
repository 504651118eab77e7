#pragma once
// The help window: the manual shipped inside the program, shown in a text browser beside a
// contents tree and a keyword index with a search field. Its size is kept between runs in the
// profile.
#include <QUrl>
#include <QWidget>

class ProfileFile;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // A window whose size is kept in the program's profile.
    explicit CHelpWindow(QWidget* parent = nullptr);
    // A window whose size is kept in the given profile.
    CHelpWindow(ProfileFile& profile, QWidget* parent);

    // The page of a help context number (the contents for an unknown number).
    void ShowContext(int context);
    // The keyword index, its search field ready for typing.
    void ShowIndex();
    QTextBrowser* Browser() const { return browser_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void FillContents();
    void FillIndex();
    // Shows only the keywords containing the search text.
    void FilterIndex(const QString& text);
    void OpenFirstMatch();
    void OpenTarget(const QString& target);
    void Present();

    QTabWidget* tabs_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* search_ = nullptr;
    QListWidget* keywords_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    ProfileFile& profile_;
};

// The URL of a page of the Japanese edition, e.g. "index.html" or "batch-filter.html#exif".
QUrl HelpPageUrl(const QString& page);
