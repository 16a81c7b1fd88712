#pragma once
// A colour as both desktop programs give it to their painters.
namespace ui::shared {

struct Rgb {
    int red = 0, green = 0, blue = 0;
};

}  // namespace ui::shared
