#include "ui/shell/AboutDialog.h"

#include "base/LibraryVersions.h"
#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "ui/kit/TableText.h"
#include "ui/shell/DocumentIcons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtGlobal>

namespace {

constexpr int kIconSize = 32;
constexpr int kMinimumWidth = 360;
constexpr int kLibrarySpacing = 6; // above every library but the first

// The codec libraries and Qt, in the order of their credit lines.
std::vector<LibraryVersion> AboutLibraries() {
    std::vector<LibraryVersion> libraries = CodecLibraryVersions();
    libraries.push_back({"Qt", qVersion()});
    return libraries;
}

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QGroupBox* MakeLibraryFrame(QWidget* parent) {
    auto* frame = new QGroupBox(TableText(StringId::AboutLibraries), parent);
    auto* grid = new QGridLayout(frame);
    int row = 0;
    for (const LibraryVersion& library : AboutLibraries()) {
        auto* version =
            BoldLabel(QString::fromStdString(library.name + " " + library.version), frame);
        version->setObjectName(QString::fromStdString("version:" + library.name));
        if (row > 0) version->setContentsMargins(0, kLibrarySpacing, 0, 0);
        auto* credit = new QLabel(TableText(StringIdAt(StringId::AboutCredits, row)), frame);
        credit->setWordWrap(true);
        grid->addWidget(version, 2 * row, 0);
        grid->addWidget(credit, 2 * row + 1, 0);
        ++row;
    }
    return frame;
}

QVBoxLayout* MakeTitle(QWidget* parent) {
    auto* version =
        new QLabel(TableText(StringId::AboutVersion).replace("%s", TOLMENA_VERSION), parent);
    version->setObjectName("programVersion");
    auto* title = new QVBoxLayout;
    title->addWidget(BoldLabel("Tolmena", parent));
    title->addWidget(version);
    return title;
}

} // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(FindCommand(ID_APP_ABOUT)->tip));
    setMinimumWidth(kMinimumWidth);
    auto* icon = new QLabel(this);
    icon->setPixmap(ApplicationIcon().pixmap(kIconSize, kIconSize));
    auto* heading = new QHBoxLayout;
    heading->addWidget(icon, 0, Qt::AlignTop);
    heading->addLayout(MakeTitle(this), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(MakeLibraryFrame(this));
    layout->addWidget(new QLabel(TableText(StringId::AboutFreeware), this));
    layout->addWidget(buttons);
}
