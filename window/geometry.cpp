#include "window/geometry.h"

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

ScreenRect RectAt(int x, int y, int width, int height) {
    x = Clamp(x, -kFarthest, kFarthest);
    y = Clamp(y, -kFarthest, kFarthest);
    return {x, y, x + Clamp(width, 0, kFarthest), y + Clamp(height, 0, kFarthest)};
}
