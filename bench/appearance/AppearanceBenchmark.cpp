// The background is repainted under every stroke update while the user draws, so a
// full-screen repaint must stay a small part of a 16 ms frame, and the small repaints
// around a growing stroke far less. Icons are drawn at every result, from the cache.
#include "appearance/DarkMode.h"
#include "appearance/DarkableImage.h"
#include "appearance/IconResolver.h"
#include "appearance/RoundedCornerView.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

using namespace scriblo;

namespace {

// Full screen (1920 x 1080) and the centred window on the same screen, with its radius.
void backgroundRepaint(benchmark::State& state)
{
    bool fullScreen = state.range(0) != 0;
    int repaintSide = int(state.range(1));
    RoundedCornerView view;
    view.resize(fullScreen ? QSize(1920, 1080) : QSize(704, 470));
    view.setRoundRadius(fullScreen ? 0.0f : 470.0f / 48.0f);
    view.setAlpha(fullScreen ? 0.92 : 0.87);
    QImage backingStore(view.size(), QImage::Format_ARGB32_Premultiplied);
    QRegion region = repaintSide > 0 ? QRegion(100, 100, repaintSide, repaintSide) : QRegion(view.rect());
    for (auto _ : state) {
        view.render(&backingStore, region.boundingRect().topLeft(), region, QWidget::DrawChildren);
        benchmark::DoNotOptimize(backingStore.constBits());
    }
}
BENCHMARK(backgroundRepaint)->ArgNames({ "fullScreen", "repaintSide" })->Args({ 1, 0 })->Args({ 0, 0 })->Args({ 0, 64 })->Unit(benchmark::kMicrosecond);

void darkTrayIcon(benchmark::State& state)
{
    QImage image(22, 22, QImage::Format_ARGB32);
    image.fill(Qt::black);
    DarkableImage icon { QPixmap::fromImage(image) };
    icon.setDarkable(true);
    DarkMode::setDark(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(icon.pixmap(QSize(22, 22)).cacheKey());
    DarkMode::setDark(false);
}
BENCHMARK(darkTrayIcon);

void cachedTargetIcon(benchmark::State& state)
{
    IconResolver resolver;
    resolver.iconFor("org.example.Missing");
    for (auto _ : state)
        benchmark::DoNotOptimize(resolver.iconFor("org.example.Missing").cacheKey());
}
BENCHMARK(cachedTargetIcon);

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
