#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include <algorithm>

namespace ui {
namespace {

// Wine's own Tahoma, used when the system has none.
constexpr const char* kWineTahoma[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                       "/usr/share/wine/fonts/tahomabd.ttf"};

QString ChooseFamily() {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return "Tahoma";
    for (const char* path : kWineTahoma) QFontDatabase::addApplicationFont(path);
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return "Tahoma";
    return "DejaVu Sans";
}

}  // namespace

QString UiFontFamily() {
    // Decided once: the font database does not change while the program runs.
    static const QString family = ChooseFamily();
    return family;
}

QFont UiFont(int cellHeight, int weight, int averageWidth) {
    QFont font(UiFontFamily());
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    int pixels = cellHeight > 1 ? cellHeight : 1;
    for (; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= cellHeight) break;
    }
    font.setPixelSize(pixels);
    if (averageWidth > 0) {
        static const QString kLetters =
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const double natural =
            QFontMetricsF(font).horizontalAdvance(kLetters) / static_cast<double>(kLetters.size());
        if (natural > 0) {
            const int stretch = static_cast<int>(100.0 * averageWidth / natural + 0.5);
            font.setStretch(std::clamp(stretch, 50, 200));
        }
    }
    return font;
}

}  // namespace ui
