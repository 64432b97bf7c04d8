#include "display/information_text.h"

#include <cstddef>
#include <cstring>

namespace {

template <size_t N>
CharString FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, 0, N);
    const size_t count =
        end == nullptr
            ? N
            : static_cast<size_t>(static_cast<const char*>(end) - static_cast<const char*>(field));
    return CharString(field, static_cast<int32_t>(count));
}

template <size_t N>
CharString Labelled(const char* label, const char (&field)[N]) {
    CharString line(label);
    line.append(FieldText(field));
    return line;
}

}  // namespace

CharString InformationText(const GameInfo& info, InfoLine line) {
    switch (line) {
        case InfoLine::BlackName:
            return FieldText(info.black);
        case InfoLine::WhiteName:
            return FieldText(info.white);
        case InfoLine::Date:
            return Labelled("DATE: ", info.date);
        case InfoLine::Event:
            return Labelled("EVENT: ", info.event);
        case InfoLine::Site:
            return Labelled("SITE: ", info.site);
    }
    return CharString();
}
