#include "display/mode_text.h"

#include "core/log_line.h"

namespace {

// x87 code may keep a quotient in extended precision; a store to a float
// rounds it to the single precision the labels are defined by.
float RoundToSingle(float value) {
    volatile float rounded = value;
    return rounded;
}

}  // namespace

ModeLabel LabelForMode(const ModeInfo& mode) {
    if ((mode.flags & kModeExclusive) == 0) return ModeLabel::Windowed;
    if (mode.width == 0) return ModeLabel::None;
    const float ratio = RoundToSingle(static_cast<float>(mode.height) / static_cast<float>(mode.width));
    if (ratio == 0.75f || ratio == 0.8f) return ModeLabel::FullScreen;
    if (ratio == 0.6f || ratio == 0.625f || ratio == 0.5625f) return ModeLabel::WideScreen;
    return ModeLabel::None;
}

void BuildModeRowText(char* row, size_t size, const ModeInfo& mode) {
    const unsigned long w = static_cast<unsigned long>(mode.width);
    const unsigned long h = static_cast<unsigned long>(mode.height);
    const unsigned long d = static_cast<unsigned long>(mode.depth);
    const char* label = nullptr;
    switch (LabelForMode(mode)) {
        case ModeLabel::Windowed: label = "(WINDOWED)"; break;
        case ModeLabel::FullScreen: label = "(FULLSCREEN)"; break;
        case ModeLabel::WideScreen: label = "(WIDESCREEN)"; break;
        case ModeLabel::None: break;
    }
    if (label != nullptr) {
        FormatBounded(row, size, "%lu x %lu x %lu %s", w, h, d, label);
    } else {
        FormatBounded(row, size, "%lu x %lu x %lu", w, h, d);
    }
}

bool ModeMatches(const ModeInfo& mode, const ModeRequest& request) {
    return (mode.flags & kModeExclusive) != 0 && mode.width == request.width && mode.height == request.height &&
           (request.depth == 0 || mode.depth == request.depth);
}

bool ModeServesBetter(const ModeInfo& mode, const ModeInfo* best, const ModeRequest& request) {
    if (!ModeMatches(mode, request)) return false;
    return best == nullptr || mode.depth > best->depth;
}
