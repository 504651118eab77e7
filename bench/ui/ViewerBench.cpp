// The viewer's own times: start-up to the first paint of a picture named on the command line,
// the repaint of a scrolled view at 1600 % and at 10 %, and the memory the shown picture costs
// beside the pixels its document holds.
//   bench_ViewerBench show FILE [REPAINTS]   (XDG_CONFIG_HOME should point at an empty folder)
//   bench_ViewerBench open FILE             (the document's decode alone, without a window)
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/MainFrame.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A field of /proc/self/status in kB (VmRSS, VmHWM).
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
    return -1;
}

// Notes when the watched widget has handled its first paint event.
class FirstPaint : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) seen = true;
        return false;
    }
};

double RepaintMilliseconds(CImageView& view, int zoom, int repaints) {
    view.SetZoom(zoom);
    const ViewState state = view.State();
    view.ScrollTo({state.scroll.x + 37, state.scroll.y + 23});
    QApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repaints; ++i)
        view.viewport()->repaint();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / repaints;
}

int Show(int argc, char** argv, const Clock::time_point start) {
    QApplication application(argc, argv);
    const long baselineKb = StatusKilobytes("VmRSS");
    CImageApp app(AppSettings());
    FirstPaint firstPaint;
    if (!app.InitInstance(QApplication::applicationFilePath(), {QString::fromLocal8Bit(argv[2])}))
        return 1;
    CImageView* view = app.MainFrame()->ActiveView();
    if (!view) return 1;
    view->viewport()->installEventFilter(&firstPaint);
    while (!firstPaint.seen)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double firstPaintMs = MillisecondsSince(start);
    const CDibImage& image = view->Document()->Image();
    const double pixelMb =
        static_cast<double>(image.BytesPerLine()) * image.Height() / (1024.0 * 1024.0);
    const double shownMb = (StatusKilobytes("VmHWM") - baselineKb) / 1024.0;
    const int repaints = argc > 3 ? std::atoi(argv[3]) : 20;
    const double at1600 = RepaintMilliseconds(*view, 1600, repaints);
    const double at10 = RepaintMilliseconds(*view, 10, repaints);
    std::printf("first_paint_ms %.1f\nrepaint_1600_ms %.3f\nrepaint_10_ms %.3f\n"
                "pixels_mb %.1f\nshown_peak_mb %.1f\n",
                firstPaintMs, at1600, at10, pixelMb, shownMb);
    app.MainFrame()->close();
    app.ExitInstance();
    return 0;
}

int Open(const char* path) {
    const Clock::time_point start = Clock::now();
    CDocTemplate documents(AppSettings());
    if (!documents.OpenDocumentFile(path)) return 1;
    std::printf("open_ms %.1f\n", MillisecondsSince(start));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point start = Clock::now();
    if (argc >= 3 && std::string(argv[1]) == "show") return Show(argc, argv, start);
    if (argc == 3 && std::string(argv[1]) == "open") return Open(argv[2]);
    std::fprintf(stderr, "usage: %s show FILE [REPAINTS] | open FILE\n", argv[0]);
    return 2;
}
