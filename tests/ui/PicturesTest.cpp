// The pictures in the program's resources: present, at their sizes, and drawn so that the
// hit tests that depend on them agree with what the user sees.
#include <QImage>

#include <gtest/gtest.h>

#include "tests/ui/QtTesting.h"
#include "ui/Pictures.h"
#include "ui/res/ResourceIds.h"

namespace {

using namespace uitest;
namespace res = ui::res;

TEST(Pictures, EveryBitmapExistsAtItsSize) {
    struct Size {
        int id, width, height;
    };
    std::vector<Size> sizes = {{130, 170, 195}, {131, 8, 15},  {132, 126, 26}, {133, 13, 13},
                               {134, 13, 13},   {135, 13, 13}, {136, 14, 12},  {138, 25, 25},
                               {139, 25, 25},   {140, 1, 68},  {141, 8, 15}};
    for (int id = 142; id <= 147; ++id) sizes.push_back({id, 43, 38});
    for (int id = 148; id <= 165; ++id) sizes.push_back({id, 87, 29});
    for (const Size& s : sizes) {
        const QPixmap picture = ui::LoadBitmap(s.id);
        ASSERT_FALSE(picture.isNull()) << s.id;
        EXPECT_EQ(picture.size(), QSize(s.width, s.height)) << s.id;
    }
    EXPECT_TRUE(ui::LoadBitmap(129).isNull());
    EXPECT_TRUE(ui::LoadBitmap(166).isNull());
}

TEST(Pictures, CursorAndIcon) {
    const QCursor hand = ui::HandCursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    const QIcon icon = ui::ApplicationIcon();
    for (int size : {16, 32, 48}) EXPECT_EQ(icon.pixmap(size, size).width(), size);
}

TEST(Pictures, SectionBoxesSitWhereTheHitTestLooks) {
    // In each 42 x 26 cell the 13 x 13 box starts 18 from the left and 8 from the top: its
    // frame is there and the pale field just outside it.
    const QImage cells = ui::LoadBitmap(res::kBmpSectionBoxes).toImage();
    const QColor field(223, 234, 245);
    for (int cell = 0; cell < 3; ++cell) {
        const int x0 = cell * 42 + 18, y0 = 8;
        EXPECT_TRUE(Near(cells.pixel(x0 - 1, y0 + 6), field, 0)) << cell;
        EXPECT_TRUE(Near(cells.pixel(x0 + 6, y0 - 1), field, 0)) << cell;
        EXPECT_TRUE(Near(cells.pixel(x0 + 13, y0 + 6), field, 0)) << cell;
        EXPECT_TRUE(Near(cells.pixel(x0 + 6, y0 + 13), field, 0)) << cell;
        for (QPoint frame : {QPoint(x0, y0 + 6), QPoint(x0 + 12, y0 + 6), QPoint(x0 + 6, y0),
                             QPoint(x0 + 6, y0 + 12)})
            EXPECT_LT(qGray(cells.pixel(frame)), 180) << cell;
    }
    // No black: black is the image list's mask colour and would turn transparent.
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 126; ++x) ASSERT_NE(cells.pixel(x, y) & 0xffffffu, 0u);
    // The ticked and greyed cells carry a tick, the empty one none.
    auto inside = [&](int cell) { return cells.pixel(cell * 42 + 18 + 6, 8 + 8); };
    EXPECT_FALSE(Near(inside(0), Qt::white, 30));
    EXPECT_TRUE(Near(inside(1), Qt::white, 0));
    EXPECT_FALSE(Near(inside(2), QColor(236, 236, 236), 30));
}

TEST(Pictures, PushButtonFacesCarryALightCaptionOnBlue) {
    for (int id = 148; id <= 165; ++id) {
        const QImage face = ui::LoadBitmap(id).toImage();
        int light = 0, blue = 0;
        for (int y = 8; y < 22; ++y)
            for (int x = 10; x < 77; ++x) {
                const QRgb p = face.pixel(x, y);
                if (qGray(p) > 200) ++light;
                if (qBlue(p) > qRed(p) + 60) ++blue;
            }
        EXPECT_GT(light, 20) << "no caption on " << id;
        EXPECT_GT(blue, 300) << id;
    }
}

TEST(Pictures, MarkersPointLeftAndTheArrowRight) {
    for (int id : {res::kBmpStepMarker, res::kBmpSectionMarker}) {
        const QImage marker = ui::LoadBitmap(id).toImage();
        EXPECT_TRUE(IsReddish(marker.pixel(7, 7))) << id;
        EXPECT_EQ(qAlpha(marker.pixel(0, 0)), 0) << id;  // the tip is on the left
        EXPECT_TRUE(IsReddish(marker.pixel(7, 1))) << id;
    }
    const QImage arrow = ui::LoadBitmap(res::kBmpStatusArrow).toImage();
    EXPECT_TRUE(IsReddish(arrow.pixel(12, 6)));
    EXPECT_EQ(qAlpha(arrow.pixel(13, 0)), 0);
}

}  // namespace
