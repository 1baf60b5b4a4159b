// Timing of the two hot paths of sending: packing pages into bit planes and
// laying out plus encoding a long scrolling text. Build in Release.
#include "signstudio/render/contentframes.h"
#include "signstudio/render/convertforsend.h"
#include "signstudio/render/packpixels.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace {

double packMpixelPerSecond()
{
    QImage page(1024, 512, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < page.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            line[x] = 0xFF000000u | (seed >> 8);
        }
    }
    const int rounds = 200;
    qint64 sink = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i)
        sink += PackPixels(page, 3).at(i % 1000);
    const double seconds = t.nsecsElapsed() / 1e9;
    std::printf("  (checksum %lld)\n", static_cast<long long>(sink));
    return rounds * 1024.0 * 512.0 / seconds / 1e6;
}

void scrollingText(double *seconds, int *pages, int *frames)
{
    // The editor breaks a single-line text into runs of one visual line
    // each; 16 characters of the 32*32 matrix fill a 512-wide line.
    const QString chars = QString::fromUtf8("欢迎光临本店今日特价商品请到一楼服务台咨询谢谢");
    QStringList runs;
    int line = 1;
    for (int n = 0; n < 520; ++n, ++line) {
        QString text;
        for (int i = 0; i < 16; ++i)
            text += chars.at((n * 16 + i) % chars.size());
        runs.append(QStringLiteral("clRed^宋体^23^0^0^0^0^0^%1^").arg(line) + text);
    }
    TFodder m;
    m.FodderUID = QStringLiteral("120000001");
    m.Kind = 0;
    m.TypeCode = 56;
    m.DisplayMode = 1;
    m.StayTime = 0;
    m.Content = runs.join(QLatin1Char('>'));
    m.MaterialNo = 1;
    m.IsLastMaterial = true;

    QElapsedTimer t;
    t.start();
    const ConvertResult r = ConvertForSend(m, 512, 32, 56);
    QList<rSendFdrContent> queue;
    BuildContentFrames(m, false, 56, 32, 512, queue);
    *seconds = t.nsecsElapsed() / 1e9;
    *pages = r.Ok ? m.PageCount : -1;
    *frames = int(queue.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    std::printf("PackPixels, 1024 x 512 full colour:\n");
    const double mps = packMpixelPerSecond();
    std::printf("  %.0f Mpixel/s (floor 100)\n", mps);

    double seconds = 0;
    int pages = 0, frames = 0;
    scrollingText(&seconds, &pages, &frames); // first run loads the fonts
    scrollingText(&seconds, &pages, &frames);
    std::printf("Scrolling single-line text, 512 x 32, single colour:\n");
    std::printf("  %d pages, %d frames in %.3f s (floor 1 s for 500 pages)\n", pages, frames, seconds);
    return pages >= 500 && mps >= 100 && seconds < 1.0 ? 0 : 1;
}
