#include "window/geometry.h"

ScreenRect RectAt(int x, int y, int width, int height) {
    x = Clamp(x, -kFarthest, kFarthest);
    y = Clamp(y, -kFarthest, kFarthest);
    return {x, y, x + Clamp(width, 0, kFarthest), y + Clamp(height, 0, kFarthest)};
}
