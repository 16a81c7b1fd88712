// CButtonEx, CStaticGradient and CStaticLink: their states, what they draw and where.
#include <QFileInfo>
#include <QFontInfo>
#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "tests/ui/QtTesting.h"
#include "ui/CButtonEx.h"
#include "ui/CStaticGradient.h"
#include "ui/CStaticLink.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"

namespace {

using namespace uitest;
namespace res = ui::res;

// A parent with a plain known background, so that what a control leaves unpainted shows.
struct Canvas {
    explicit Canvas(const QColor& colour = QColor(255, 255, 0)) {
        parent.setAutoFillBackground(true);
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, colour);
        parent.setPalette(colours);
        parent.resize(400, 100);
    }
    QWidget parent;
    QTemporaryDir folder;
};

QRgb BitmapPixel(int id, int x, int y) { return ui::LoadBitmap(id).toImage().pixel(x, y); }

// ---- CButtonEx --------------------------------------------------------------------------

class ButtonExTest : public ::testing::Test {
protected:
    void SetUp() override {
        button = new CButtonEx(&canvas.parent);
        button->bitmapMode = true;
        button->SetBitmaps(res::kBmpScanNormal, res::kBmpScanOver, res::kBmpScanPressed);
        button->setGeometry(0, 0, 87, 29);
        canvas.parent.show();
    }
    // Whether the rendered face is the given picture (a few pixels across the face).
    bool Shows(int id) {
        const QImage face = RenderToPng(button, canvas.folder, QString("face%1").arg(id));
        for (QPoint p : {QPoint(5, 5), QPoint(43, 3), QPoint(80, 25), QPoint(20, 14)})
            if (face.pixel(p) != (BitmapPixel(id, p.x(), p.y()) | 0xff000000u)) return false;
        return true;
    }
    Canvas canvas;
    CButtonEx* button = nullptr;
};

TEST_F(ButtonExTest, PicturesOfTheThreeStatesAreDistinct) {
    // Otherwise the state checks below could not tell the faces apart.
    ASSERT_NE(BitmapPixel(res::kBmpScanNormal, 5, 5), BitmapPixel(res::kBmpScanOver, 5, 5));
    ASSERT_NE(BitmapPixel(res::kBmpScanNormal, 5, 5), BitmapPixel(res::kBmpScanPressed, 5, 5));
}

TEST_F(ButtonExTest, HoverPressReleaseLeaveSequence) {
    QSignalSpy clicks(button, &CButtonEx::clicked);
    EXPECT_EQ(button->GetState(), CButtonEx::kNormal);
    EXPECT_TRUE(Shows(res::kBmpScanNormal));

    Move(button, {10, 10});
    EXPECT_EQ(button->GetState(), CButtonEx::kOver);
    EXPECT_TRUE(button->IsTracking());
    EXPECT_TRUE(Shows(res::kBmpScanOver));

    Press(button, {10, 10});
    EXPECT_EQ(button->GetState(), CButtonEx::kPressed);
    EXPECT_TRUE(Shows(res::kBmpScanPressed));

    Release(button, {10, 10});
    EXPECT_EQ(clicks.count(), 1);
    // Just clicked: normal face although the mouse is still over the button, and further
    // moves do not light it again until it has left.
    EXPECT_EQ(button->GetState(), CButtonEx::kNormal);
    Move(button, {12, 12});
    EXPECT_EQ(button->GetState(), CButtonEx::kNormal);
    EXPECT_TRUE(Shows(res::kBmpScanNormal));

    Leave(button);
    EXPECT_FALSE(button->IsTracking());
    EXPECT_EQ(button->GetState(), CButtonEx::kNormal);
    Move(button, {12, 12});
    EXPECT_EQ(button->GetState(), CButtonEx::kOver);
}

TEST_F(ButtonExTest, PressDraggedOffSendsNoClick) {
    QSignalSpy clicks(button, &CButtonEx::clicked);
    Move(button, {10, 10});
    Press(button, {10, 10});
    Move(button, {200, 60}, Qt::LeftButton);
    Release(button, {200, 60});
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->GetState(), CButtonEx::kNormal);
    EXPECT_TRUE(Shows(res::kBmpScanNormal));
}

TEST_F(ButtonExTest, RightButtonDoesNotPress) {
    Press(button, {10, 10}, Qt::RightButton);
    EXPECT_NE(button->GetState(), CButtonEx::kPressed);
}

TEST_F(ButtonExTest, LargerButtonShowsPictureUnstretchedInTopLeftCorner) {
    button->setGeometry(0, 0, 140, 50);
    const QImage face = RenderToPng(button, canvas.folder, "large");
    EXPECT_EQ(face.pixel(5, 5), BitmapPixel(res::kBmpScanNormal, 5, 5) | 0xff000000u);
    // Beyond the picture the parent's yellow shows.
    EXPECT_TRUE(Near(face.pixel(120, 40), QColor(255, 255, 0), 0));
}

TEST_F(ButtonExTest, MissingPictureLeavesTheFaceEmpty) {
    button->SetBitmaps(1, 2, 3);
    const QImage face = RenderToPng(button, canvas.folder, "missing");
    EXPECT_TRUE(Near(face.pixel(40, 14), QColor(255, 255, 0), 0));
}

TEST(ButtonExText, BitmapModeZeroWritesTheTextInBlackAtTheTopLeft) {
    Canvas canvas;
    auto* button = new CButtonEx(&canvas.parent);
    button->setFont(ui::UiFont(15));
    button->setText("Scan");
    button->SetBitmaps(res::kBmpScanNormal, res::kBmpScanOver, res::kBmpScanPressed);
    button->setGeometry(0, 0, 87, 29);
    canvas.parent.show();
    const QImage face = RenderToPng(button, canvas.folder, "text");
    const int first = FirstInkColumn(face, 0, 29);
    ASSERT_GE(first, 0) << "no text drawn";
    EXPECT_LE(first, 2);
    EXPECT_LT(LastInkColumn(face, 0, 29), 40);
    // Text rows start at the top; below the line the background is untouched.
    bool inkNearTop = false;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 6; ++y) inkNearTop |= qGray(face.pixel(x, y)) < 60;
    EXPECT_TRUE(inkNearTop);
    EXPECT_TRUE(Near(face.pixel(60, 25), QColor(255, 255, 0), 0));
    // The darkest ink is black, not a picture's blue.
    int darkest = 255;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 20; ++y) darkest = std::min(darkest, qGray(face.pixel(x, y)));
    EXPECT_LT(darkest, 40);
}

// ---- CStaticGradient --------------------------------------------------------------------

TEST(StaticGradient, SmoothGradientRunsFromStartToEndColour) {
    Canvas canvas;
    auto* label = new CStaticGradient(&canvas.parent);
    label->startColour = QColor(255, 0, 0);
    label->endColour = QColor(0, 0, 255);
    label->setGeometry(0, 0, 300, 20);
    const QImage image = RenderToPng(label, canvas.folder, "gradient");
    EXPECT_TRUE(Near(image.pixel(0, 10), QColor(255, 0, 0), 4));
    EXPECT_TRUE(Near(image.pixel(299, 10), QColor(0, 0, 255), 4));
    EXPECT_TRUE(Near(image.pixel(150, 10), QColor(128, 0, 128), 8));
}

TEST(StaticGradient, StripsStepExactlyAndStopOneStepShortOfTheEnd) {
    Canvas canvas;
    auto* label = new CStaticGradient(&canvas.parent);
    label->gradientAvailable = false;
    label->startColour = QColor(0, 100, 255);
    label->endColour = QColor(255, 100, 0);
    label->setGeometry(0, 0, 510, 10);  // two pixels a strip
    const QImage image = RenderToPng(label, canvas.folder, "strips");
    for (int strip : {0, 1, 100, 254}) {
        const QRgb pixel = image.pixel(strip * 2 + 1, 5);
        EXPECT_EQ(qRed(pixel), 255 * strip / 255) << strip;
        EXPECT_EQ(qGreen(pixel), 100) << strip;
        EXPECT_EQ(qBlue(pixel), 255 + (0 - 255) * strip / 255) << strip;
    }
    EXPECT_EQ(qRed(image.pixel(509, 5)), 254);
}

TEST(StaticGradient, NarrowStripGradientStillCoversTheWholeLabel) {
    Canvas canvas(QColor(255, 0, 255));
    auto* label = new CStaticGradient(&canvas.parent);
    label->gradientAvailable = false;
    label->startColour = QColor(0, 0, 0);
    label->endColour = QColor(0, 200, 0);
    label->setGeometry(0, 0, 100, 8);
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, QColor(255, 0, 255));
    label->setPalette(colours);
    const QImage image = RenderToPng(label, canvas.folder, "narrow");
    for (int x = 0; x < 100; ++x)
        ASSERT_FALSE(Near(image.pixel(x, 4), QColor(255, 0, 255), 0)) << "gap at x " << x;
    // Still ascending from left to right.
    EXPECT_LT(qGreen(image.pixel(5, 4)), qGreen(image.pixel(95, 4)));
}

class GradientAlignment : public ::testing::Test {
protected:
    QImage Render(int alignment) {
        auto* label = new CStaticGradient(&canvas.parent);
        label->startColour = label->endColour = Qt::white;
        label->textColour = Qt::black;
        label->setFont(ui::UiFont(15));
        label->setText("Caption");
        label->alignment = alignment;
        label->setGeometry(0, 0, 300, 40);
        return RenderToPng(label, canvas.folder, QString("align%1").arg(alignment));
    }
    Canvas canvas;
};

TEST_F(GradientAlignment, LeftStartsAtTheMargin) {
    const QImage image = Render(0);
    const int first = FirstInkColumn(image, 0, 40);
    EXPECT_GE(first, 10);
    EXPECT_LE(first, 12);
}

TEST_F(GradientAlignment, CentredOnOneLineBothWays) {
    const QImage image = Render(1);
    const int first = FirstInkColumn(image, 0, 40), last = LastInkColumn(image, 0, 40);
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last) / 2.0, 150, 2);
    int top = -1, bottom = -1;
    for (int y = 0; y < 40; ++y) {
        bool ink = false;
        for (int x = 0; x < 300; ++x) ink |= qGray(image.pixel(x, y)) < 128;
        if (ink && top < 0) top = y;
        if (ink) bottom = y;
    }
    EXPECT_NEAR((top + bottom) / 2.0, 20, 3);
}

TEST_F(GradientAlignment, AnyOtherValueAlignsRightInsideTheMargin) {
    for (int alignment : {2, 7}) {
        const QImage image = Render(alignment);
        const int last = LastInkColumn(image, 0, 40);
        EXPECT_LE(last, 300 - 10 - 1) << alignment;
        EXPECT_GE(last, 300 - 10 - 3) << alignment;
    }
}

// ---- CStaticLink ------------------------------------------------------------------------

TEST(StaticLink, SetFontStyleBuildsTheSixVariants) {
    CStaticLink link;
    const QFont base = ui::UiFont(15);
    link.SetFontStyle(&base, 4, 0);
    struct Expect {
        bool underline;
        int weight;
        bool italic;
    };
    const Expect expected[6] = {{false, 400, false}, {true, 400, false}, {false, 800, false},
                                {false, 400, true},  {true, 800, false}, {true, 400, true}};
    for (int i = 0; i < 6; ++i) {
        const QFont* f = link.VariantFont(i);
        ASSERT_NE(f, nullptr) << i;
        EXPECT_EQ(f->underline(), expected[i].underline) << i;
        EXPECT_EQ(f->weight(), expected[i].weight) << i;
        EXPECT_EQ(f->italic(), expected[i].italic) << i;
        EXPECT_EQ(f->pixelSize(), base.pixelSize()) << i;
    }
    EXPECT_EQ(link.FontVariant(), 4);
    // No font: no variants, and the label still paints in its own font.
    link.SetFontStyle(nullptr, 1, 0);
    EXPECT_EQ(link.VariantFont(1), nullptr);
}

class LinkAlignment : public ::testing::Test {
protected:
    void SetUp() override {
        link = new CStaticLink(&canvas.parent);
        link->setGeometry(0, 0, 300, 18);
        link->setText("Valid Shortcuts");
        link->SetColor(QColor(0, 0, 255));
        canvas.parent.show();
    }
    std::pair<int, int> Ink(const QString& name) {
        const QImage image = RenderToPng(link, canvas.folder, name);
        return {FirstInkColumn(image, 0, 18, 200), LastInkColumn(image, 0, 18, 200)};
    }
    Canvas canvas{QColor(255, 255, 255)};
    CStaticLink* link = nullptr;
    QFont font = ui::UiFont(15);
};

TEST_F(LinkAlignment, CodesZeroOneTwoAndAnyOther) {
    link->SetFontStyle(&font, 0, 0);
    EXPECT_EQ(link->TextAlignment(), CStaticLink::kAlignLeft);
    EXPECT_LE(Ink("left").first, 1);

    link->SetFontStyle(&font, 0, 1);
    EXPECT_EQ(link->TextAlignment(), CStaticLink::kAlignCentre);
    auto [first, last] = Ink("centre");
    EXPECT_NEAR((first + last) / 2.0, 150, 2);

    link->SetFontStyle(&font, 0, 2);
    EXPECT_GE(Ink("right").second, 296);

    // Code 3 keeps the right alignment, also in what is drawn.
    link->SetFontStyle(&font, 1, 3);
    EXPECT_EQ(link->TextAlignment(), CStaticLink::kAlignRight);
    EXPECT_GE(Ink("kept").second, 296);
}

TEST_F(LinkAlignment, TextIsDrawnInTheLinkColour) {
    link->SetFontStyle(&font, 1, 0);
    const QImage image = RenderToPng(link, canvas.folder, "colour");
    int bluest = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 18; ++y) {
            const QRgb p = image.pixel(x, y);
            if (qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60) ++bluest;
        }
    EXPECT_GT(bluest, 20);
}

TEST(StaticLinkCursor, HandOnlyWhileActiveAndOver) {
    QWidget parent;
    auto* link = new CStaticLink(&parent);
    link->setGeometry(0, 0, 100, 18);
    parent.show();

    Move(link, {5, 5});
    EXPECT_FALSE(link->HandShown());
    EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor)) << "an inactive link changed the cursor";

    link->SetLinkActive(true);
    Move(link, {5, 5});
    EXPECT_TRUE(link->HandShown());
    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);

    Leave(link);
    EXPECT_FALSE(link->HandShown());
    EXPECT_EQ(link->cursor().shape(), Qt::ArrowCursor);

    // Deactivated while the hand shows: the hand goes, and does not come back.
    Move(link, {5, 5});
    link->SetLinkActive(false);
    EXPECT_FALSE(link->HandShown());
    EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor));
    Move(link, {6, 6});
    EXPECT_FALSE(link->HandShown());
}

TEST(StaticLinkClicks, OnlyANotifyingLinkReportsClicks) {
    QWidget parent;
    auto* link = new CStaticLink(&parent);
    link->setGeometry(0, 0, 100, 18);
    QSignalSpy clicks(link, &CStaticLink::clicked);
    Click(link, {5, 5});
    EXPECT_EQ(clicks.count(), 0);
    link->SetNotify(true);
    Click(link, {5, 5});
    Click(link, {5, 5}, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1);
}

}  // namespace

namespace {
TEST(Fonts, TahomaWhenInstalledOrShippedByWine) {
    const bool wineTahoma = QFileInfo::exists("/usr/share/wine/fonts/tahoma.ttf");
    if (wineTahoma) EXPECT_EQ(ui::UiFontFamily().toStdString(), "Tahoma");
    else EXPECT_TRUE(ui::UiFontFamily() == "Tahoma" || ui::UiFontFamily() == "DejaVu Sans");
    const QFont font = ui::UiFont(15);
    EXPECT_LE(QFontMetrics(font).height(), 15);
    EXPECT_GE(QFontMetrics(font).height(), 13);
    EXPECT_EQ(QFontInfo(font).family(), ui::UiFontFamily());
    // Width 5: the problem list's labels fit before the texts at L + 70 and L + 87, and
    // "Delete this Entry" before the second box at L + 210.
    const QFontMetrics narrow(ui::UiFont(15, 400, 5));
    EXPECT_LT(narrow.horizontalAdvance("Correction: "), 70);
    EXPECT_LT(narrow.horizontalAdvance("Section:    "), 70);
    EXPECT_LT(narrow.horizontalAdvance("Delete this Entry"), 210 - 87);
    EXPECT_GT(narrow.horizontalAdvance("Delete this Entry"), 60);
}
}  // namespace
