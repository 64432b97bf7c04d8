#include "display/pgn_folder.h"

#include <algorithm>

#include "text/case_fold.h"

namespace {

// Compares the names' characters in upper case; 0 when they are equal so.
int CompareUpper(const std::string& a, const std::string& b) {
    CharReader left = CharReaderOver(a.data(), static_cast<int32_t>(a.size()));
    CharReader right = CharReaderOver(b.data(), static_cast<int32_t>(b.size()));
    for (;;) {
        uint32_t x = 0;
        uint32_t y = 0;
        const bool more = NextChar(left, x);
        const bool moreRight = NextChar(right, y);
        if (!more || !moreRight) return more ? 1 : (moreRight ? -1 : 0);
        x = UpperCodePoint(x);
        y = UpperCodePoint(y);
        if (x != y) return x < y ? -1 : 1;
    }
}

int CompareBytes(const std::string& a, const std::string& b) {
    const int order = a.compare(b);  // char_traits<char> compares as unsigned bytes
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

}  // namespace

bool IsPgnFileName(const std::string& name) {
    if (name.size() <= 4) return false;
    const std::string end = name.substr(name.size() - 4);
    return end[0] == '.' && (end[1] | 0x20) == 'p' && (end[2] | 0x20) == 'g' &&
           (end[3] | 0x20) == 'n';
}

int CompareFileNames(const std::string& a, const std::string& b, NameOrder order) {
    if (order == NameOrder::IgnoringCase) {
        const int upper = CompareUpper(a, b);
        if (upper != 0) return upper;
    }
    return CompareBytes(a, b);
}

bool SameFileName(const std::string& a, const std::string& b, NameOrder order) {
    return order == NameOrder::IgnoringCase ? CompareUpper(a, b) == 0 : a == b;
}

GameSources SingleFileSource(const std::string& path) {
    return {{path}, false, NameOrder::Bytewise};
}

GameSources FolderSource(std::vector<std::string> names, NameOrder order) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return !IsPgnFileName(name); }),
                names.end());
    std::sort(names.begin(), names.end(), [order](const std::string& a, const std::string& b) {
        return CompareFileNames(a, b, order) < 0;
    });
    return {names, true, order};
}

FilePlace PlaceOfFileName(const GameSources& sources, const std::string& name) {
    const std::vector<std::string>& files = sources.files;
    for (size_t i = 0; i < files.size(); ++i)
        if (SameFileName(files[i], name, sources.nameOrder)) return {static_cast<int32_t>(i), true};
    const auto after = std::lower_bound(files.begin(), files.end(), name,
                                        [&sources](const std::string& file, const std::string& n) {
                                            return CompareFileNames(file, n, sources.nameOrder) < 0;
                                        });
    return {static_cast<int32_t>(after - files.begin()), false};
}
