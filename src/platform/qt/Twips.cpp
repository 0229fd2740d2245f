#include "platform/qt/Twips.h"

#include "platform/PopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qx {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackDpi = 96.0;
} // namespace

double Twips::perPixel(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : kFallbackDpi;
    return kTwipsPerInch / (dpi > 0 ? dpi : kFallbackDpi);
}

int Twips::toPixels(int twips, const QWidget* widget) {
    return TwipsToPixels(twips, perPixel(widget));
}

int Twips::fromPixels(int pixels, const QWidget* widget) {
    return qRound(pixels * perPixel(widget));
}

} // namespace qx
