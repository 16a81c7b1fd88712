// Paints every picture of the desktop program into PNG files and writes the resource file
// that lists them. Not part of the normal build: run it after changing a picture, then check
// the PNGs in.
//
//   cmake --build build/gui --target drennow_paint_pictures
//   QT_QPA_PLATFORM=offscreen build/gui/ui/drennow_paint_pictures ui/res
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kBlue(44, 109, 175);
const QColor kPanel(223, 234, 245);
const QColor kDarkBlue(28, 74, 124);
const QColor kLightBlue(98, 160, 222);
const QColor kMidBlue(66, 133, 199);
const QColor kRed(210, 32, 32);
const QColor kGreen(40, 150, 62);

struct Picture {
    int id;
    QString name;   // file name without ".png"
    QString alias;  // resource path the program loads it by
    int width;
    int height;
    std::function<void(QPainter&)> paint;
};

QString CaptionFamily() {
    for (const char* path :
         {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        QFontDatabase::addApplicationFont(path);
    return QFontDatabase::families().contains("Tahoma") ? QString("Tahoma")
                                                        : QString("DejaVu Sans");
}

QFont CaptionFont(int pixels, bool bold) {
    QFont font(CaptionFamily());
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

enum class Look { Normal, Over, Pressed };

// A push button face, 87 x 29, on the white content area.
void PushButton(QPainter& p, const QString& caption, Look look) {
    p.fillRect(0, 0, 87, 29, Qt::white);
    QLinearGradient fill(0, 0, 0, 29);
    QColor top = look == Look::Normal ? kMidBlue : look == Look::Over ? kLightBlue : kDarkBlue;
    QColor bottom = look == Look::Normal ? kBlue : look == Look::Over ? kMidBlue : kBlue;
    if (look == Look::Pressed) std::swap(top, bottom);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kDarkBlue, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 86, 28), 4, 4);
    if (look == Look::Over) {
        p.setPen(QPen(QColor(255, 255, 255, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 1.5, 84, 26), 3, 3);
    }
    const int shift = look == Look::Pressed ? 1 : 0;
    p.setFont(CaptionFont(12, true));
    p.setPen(Qt::white);
    p.drawText(QRect(shift, shift, 87, 29), Qt::AlignCenter | Qt::TextShowMnemonic, caption);
}

// A header button face, 43 x 38, on the blue header band, with its caption below a glyph.
void HeaderButton(QPainter& p, const QString& caption, Look look,
                  const std::function<void(QPainter&)>& glyph) {
    p.fillRect(0, 0, 43, 38, kBlue);
    p.setRenderHint(QPainter::Antialiasing);
    if (look != Look::Normal) {
        p.setPen(QPen(look == Look::Over ? QColor(150, 190, 230) : kDarkBlue, 1));
        p.setBrush(look == Look::Over ? kMidBlue : kDarkBlue);
        p.drawRoundedRect(QRectF(0.5, 0.5, 42, 37), 4, 4);
    }
    const int shift = look == Look::Pressed ? 1 : 0;
    p.save();
    p.translate(shift, shift);
    glyph(p);
    // The small arrow that says a menu opens.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(31, 11), QPointF(37, 11), QPointF(34, 14.5)}));
    p.setFont(CaptionFont(10, false));
    p.setPen(Qt::white);
    p.drawText(QRect(0, 24, 43, 13), Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic,
               caption);
    p.restore();
}

void PadlockGlyph(QPainter& p) {
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(15.5, 3, 10, 11), 0, 180 * 16);
    p.drawLine(QPointF(15.5, 8.5), QPointF(15.5, 11));
    p.drawLine(QPointF(25.5, 8.5), QPointF(25.5, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(13, 11, 15, 11), 1.5, 1.5);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(20.5, 15.5), 1.6, 1.6);
    p.drawRect(QRectF(20, 16, 1, 3.5));
}

void HelpGlyph(QPainter& p) {
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(20.5, 12.5), 9, 9);
    p.setFont(CaptionFont(13, true));
    p.drawText(QRectF(11.5, 3.5, 18, 18), Qt::AlignCenter, "?");
}

// A 13 x 13 check box at (x, y).
void Box(QPainter& p, int x, int y, bool ticked, bool greyed) {
    const QColor frame = greyed ? QColor(150, 150, 150) : kDarkBlue;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(frame);
    p.setBrush(greyed ? QColor(236, 236, 236) : QColor(Qt::white));
    p.drawRect(x, y, 12, 12);
    if (!ticked) return;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(greyed ? QColor(140, 140, 140) : kBlue, 2, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF({QPointF(x + 3, y + 6.5), QPointF(x + 5.5, y + 9), QPointF(x + 10, y + 3.5)}));
    p.setRenderHint(QPainter::Antialiasing, false);
}

void LeftTriangle(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(QPolygonF({QPointF(0, 7.5), QPointF(8, 0), QPointF(8, 15)}));
}

// A round badge with a white symbol, 25 x 25, transparent around the circle.
void Badge(QPainter& p, const QColor& colour, bool tick) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(125), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(0.5, 0.5, 24, 24));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (tick) {
        p.drawPolyline(QPolygonF({QPointF(6.5, 12.5), QPointF(10.5, 17), QPointF(18.5, 7.5)}));
    } else {
        p.drawLine(QPointF(8, 8), QPointF(17, 17));
        p.drawLine(QPointF(17, 8), QPointF(8, 17));
    }
}

void HandCursor(QPainter& p) {
    // A pointing hand; the tip of the index finger is the hot spot (8, 1).
    QPainterPath hand;
    hand.moveTo(6, 3);
    hand.quadTo(6, 0.5, 8.5, 0.5);
    hand.quadTo(11, 0.5, 11, 3);
    hand.lineTo(11, 10);
    hand.quadTo(11.5, 8.5, 13.5, 8.5);
    hand.quadTo(15.5, 8.5, 15.5, 10.5);
    hand.quadTo(16, 9.5, 18, 9.5);
    hand.quadTo(20, 9.5, 20, 11.5);
    hand.quadTo(20.5, 10.5, 22.5, 10.5);
    hand.quadTo(24.5, 10.5, 24.5, 13);
    hand.lineTo(24.5, 19);
    hand.quadTo(24.5, 23, 22, 26);
    hand.lineTo(22, 29.5);
    hand.lineTo(9.5, 29.5);
    hand.lineTo(9.5, 26.5);
    hand.quadTo(5, 22, 2, 17);
    hand.quadTo(1, 14.5, 3, 13.5);
    hand.quadTo(4.5, 13, 6, 15);
    hand.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.drawLine(QPointF(15.5, 11), QPointF(15.5, 16));
    p.drawLine(QPointF(20, 12), QPointF(20, 16.5));
    p.drawLine(QPointF(11, 9), QPointF(11, 16));
}

// The lower-left picture of the main view: a key tree under a magnifier, on a pale wash. The
// band from y 134 to 158 stays clear: the view writes "Press F1 for Help" there.
void SidePicture(QPainter& p) {
    QLinearGradient wash(0, 0, 0, 195);
    wash.setColorAt(0, Qt::white);
    wash.setColorAt(1, kPanel);
    p.fillRect(0, 0, 170, 195, wash);
    p.setRenderHint(QPainter::Antialiasing);
    // The tree: a root and its branches.
    p.setPen(QPen(kMidBlue, 2));
    p.drawLine(QPointF(40, 40), QPointF(40, 116));
    for (int y : {56, 76, 96, 116}) p.drawLine(QPointF(40, y), QPointF(62, y));
    p.drawLine(QPointF(70, 96), QPointF(94, 96));
    auto node = [&](qreal x, qreal y, const QColor& c) {
        p.setPen(QPen(c.darker(130), 1));
        p.setBrush(c);
        p.drawRoundedRect(QRectF(x - 7, y - 7, 14, 14), 3, 3);
    };
    node(40, 36, kBlue);
    for (int y : {56, 76, 116}) node(70, y, kMidBlue);
    node(70, 96, kRed);  // the entry that points nowhere
    node(100, 96, kLightBlue);
    // The magnifier over the dead entry.
    p.setPen(QPen(kDarkBlue, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(116, 114), QPointF(134, 130));
    p.setPen(QPen(kDarkBlue, 4));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(98, 98), 21, 21);
    p.setFont(CaptionFont(13, true));
    p.setPen(kBlue);
    p.drawText(QRect(0, 4, 170, 20), Qt::AlignHCenter, "Drennow");
}

void AppIcon(QPainter& p, int size) {
    const qreal s = size / 32.0;
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(QPen(Qt::white, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(13.5, 13.5), 7, 7);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(25, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 70, 60));
    p.drawEllipse(QPointF(13.5, 13.5), 2.6, 2.6);
}

std::vector<Picture> Pictures() {
    std::vector<Picture> list;
    auto add = [&](int id, const QString& name, int w, int h, std::function<void(QPainter&)> paint,
                   const QString& kind = "bitmap") {
        const QString prefix = kind == "cursor" ? "cur" : kind == "icon" ? "ico" : "bmp";
        list.push_back({id, prefix + QString::number(id) + "_" + name,
                        kind + "/" + QString::number(id), w, h, std::move(paint)});
    };
    for (int size : {16, 32, 48}) {
        list.push_back({128, QString("ico128_application_%1").arg(size),
                        QString("icon/128-%1").arg(size), size, size,
                        [size](QPainter& p) { AppIcon(p, size); }});
    }
    add(130, "side_picture", 170, 195, SidePicture);
    add(131, "step_marker", 8, 15, LeftTriangle);
    add(132, "section_boxes", 126, 26, [](QPainter& p) {
        p.fillRect(0, 0, 126, 26, kPanel);
        Box(p, 18, 8, true, false);
        Box(p, 42 + 18, 8, false, false);
        Box(p, 84 + 18, 8, true, true);
    });
    add(133, "box_ticked", 13, 13, [](QPainter& p) { Box(p, 0, 0, true, false); });
    add(134, "box_empty", 13, 13, [](QPainter& p) { Box(p, 0, 0, false, false); });
    add(135, "box_greyed", 13, 13, [](QPainter& p) { Box(p, 0, 0, true, true); });
    add(136, "status_arrow", 14, 12, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRect(QRectF(0, 4, 8, 4));
        p.drawPolygon(QPolygonF({QPointF(7, 0), QPointF(14, 6), QPointF(7, 12)}));
    });
    add(137, "hand", 32, 32, HandCursor, "cursor");
    add(138, "green_tick", 25, 25, [](QPainter& p) { Badge(p, kGreen, true); });
    add(139, "red_cross", 25, 25, [](QPainter& p) { Badge(p, kRed, false); });
    add(140, "row_height", 1, 68, [](QPainter& p) { p.fillRect(0, 0, 1, 68, Qt::white); });
    add(141, "section_marker", 8, 15, LeftTriangle);
    add(142, "help_normal", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Help", Look::Normal, HelpGlyph); });
    add(143, "help_over", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Help", Look::Over, HelpGlyph); });
    add(144, "option_normal", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Option", Look::Normal, PadlockGlyph); });
    add(145, "option_over", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Option", Look::Over, PadlockGlyph); });
    add(146, "help_pressed", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Help", Look::Pressed, HelpGlyph); });
    add(147, "option_pressed", 43, 38,
        [](QPainter& p) { HeaderButton(p, "&Option", Look::Pressed, PadlockGlyph); });
    // The captions underline the letter that presses the button with Alt.
    struct Push {
        int normal, over, pressed;
        const char* caption;
        const char* name;
    };
    for (const Push& b :
         {Push{148, 149, 150, "&Scan", "scan"}, Push{152, 151, 153, "&Pause", "pause"},
          Push{154, 155, 156, "&Resume", "resume"}, Push{157, 158, 159, "&Cancel", "cancel"},
          Push{160, 161, 162, "&Return", "return"},
          Push{163, 164, 165, "Repair &All", "repair_all"}}) {
        const QString caption = b.caption;
        const QString name = b.name;
        add(b.normal, name + "_normal", 87, 29,
            [caption](QPainter& p) { PushButton(p, caption, Look::Normal); });
        add(b.over, name + "_over", 87, 29,
            [caption](QPainter& p) { PushButton(p, caption, Look::Over); });
        add(b.pressed, name + "_pressed", 87, 29,
            [caption](QPainter& p) { PushButton(p, caption, Look::Pressed); });
    }
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(".");
    std::vector<Picture> pictures = Pictures();
    QString qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const Picture& picture : pictures) {
        QImage image(picture.width, picture.height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            picture.paint(painter);
        }
        const QString file = picture.name + ".png";
        if (!image.save(out + "/" + file, "PNG")) {
            std::fprintf(stderr, "cannot write %s/%s\n", qPrintable(out), qPrintable(file));
            return 1;
        }
        qrc += QString("  <file alias=\"%1\">%2</file>\n").arg(picture.alias, file);
    }
    qrc += "</qresource>\n</RCC>\n";
    QFile qrcFile(out + "/drennow.qrc");
    if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s/drennow.qrc\n", qPrintable(out));
        return 1;
    }
    QTextStream(&qrcFile) << qrc;
    std::printf("%zu pictures written to %s\n", pictures.size(), qPrintable(out));
    return 0;
}
