// The batch filter run as the GUI runs it: the progress window shown over a main window that is
// disabled meanwhile, events handled between files.
// Usage: bench_gui_batch SRC DST [KEY=VALUE]...   (keys of section "bulkfilter")
#include "batch/BulkFltSettings.h"
#include "batch/FilterTask.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "ui/batch/GuiBatchRun.h"

#include <QApplication>
#include <QMainWindow>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SRC DST [KEY=VALUE]...\n", argv[0]);
        return 2;
    }
    SettingsStore& settings = AppSettings();
    LocateProfile(settings, "tolmena");
    LoadSettings(settings);
    LoadCustomTables(settings);
    LoadDefaultComment(settings, settings.defaultCommentPath);
    const std::string section = BulkFltSection();
    for (int i = 3; i < argc; ++i) {
        const std::string assignment = argv[i];
        const size_t equals = assignment.find('=');
        if (equals != std::string::npos)
            settings.profile.WriteString(section, assignment.substr(0, equals),
                                         assignment.substr(equals + 1));
    }
    BulkFltSettings filter = LoadBulkFltSettings(settings.profile);
    filter.srcDirectory = argv[1];
    filter.dstDirectory = argv[2];
    QMainWindow mainWindow;
    mainWindow.resize(800, 600);
    mainWindow.show();
    CFilterTask task(settings, filter);
    const BatchResult result = RunGuiBatch(task, &mainWindow);
    std::printf("%s\n", result.summary.c_str());
    return result.outcome == BatchOutcome::Completed ? 0 : 1;
}
