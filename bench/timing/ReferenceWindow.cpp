// The yardstick for the progress window's start: the least a Qt Widgets program
// does to show one progress bar in a window of the same size. Its start time and
// memory are what the real program's are compared with.
//
//   bench_reference_window [--text]
//
// Like the progress window's bars it shows no percentage text, so it draws no
// text at all and never sets up the fonts. With --text it shows the bar's
// default percentage, the least a window that shows any text pays.

#include <QApplication>
#include <QProgressBar>
#include <QWidget>

#include <cstring>

namespace {
// The progress window's client area and its first bar, so that both programs
// paint the same number of pixels.
constexpr QSize kWindowSize{433, 134};
constexpr QRect kBarRect{56, 40, 353, 17};
constexpr int kBarSteps = 40;
} // namespace

int main(int argc, char** argv) {
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference"));
    window.setFixedSize(kWindowSize);
    QProgressBar bar(&window);
    bar.setGeometry(kBarRect);
    bar.setRange(0, kBarSteps);
    bar.setTextVisible(text);
    window.show();
    return app.exec();
}
