#include "display/text_fit.h"

#include <algorithm>
#include <vector>

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The byte offsets where a character starts, and the text's end.
std::vector<int32_t> CharacterStarts(const std::string& utf8) {
    std::vector<int32_t> starts;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuation(static_cast<unsigned char>(utf8[i]))) {
            starts.push_back(static_cast<int32_t>(i));
        }
    }
    starts.push_back(static_cast<int32_t>(utf8.size()));
    return starts;
}

std::string Shortened(const std::string& utf8, int32_t length) {
    std::string start = utf8.substr(0, static_cast<size_t>(length));
    while (!start.empty() && start.back() == ' ')
        start.pop_back();
    return start + kEllipsis;
}

// After the last space before length, when the words before it keep at least half of it.
int32_t WordCut(const std::string& utf8, int32_t length) {
    const size_t space = utf8.rfind(' ', static_cast<size_t>(length));
    if (space == std::string::npos || space == 0) return length;
    return static_cast<int32_t>(space) * 2 >= length ? static_cast<int32_t>(space) : length;
}

}  // namespace

std::string FitTextToWidth(const std::string& utf8, int32_t maxWidth, const TextMeasure& measure) {
    if (measure.width(measure.context, utf8) <= maxWidth) return utf8;
    if (measure.width(measure.context, kEllipsis) > maxWidth) return std::string();
    // The widest start that fits with the ellipsis, by halving: a shortened line costs a few
    // measures, whatever its length.
    const std::vector<int32_t> starts = CharacterStarts(utf8);
    size_t low = 0;  // starts[low] characters fit
    size_t high = starts.size() - 1;
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (measure.width(measure.context, Shortened(utf8, starts[middle])) <= maxWidth) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    if (low == 0) return kEllipsis;
    return Shortened(utf8, WordCut(utf8, starts[low]));
}

TextBand PlaceLine(const TextBand& band, const TextBand& room, int32_t width) {
    if (width <= band.right - band.left) return band;
    const int32_t roomWidth = room.right - room.left;
    if (width >= roomWidth) return TextBand{room.left, band.top, room.right, band.bottom};
    const int32_t centre = (band.left + band.right) / 2;
    const int32_t left = std::clamp(centre - width / 2, room.left, room.right - width);
    return TextBand{left, band.top, left + width, band.bottom};
}
