#include "text/word_list.h"

#include <string>

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// Position of the n-th LF (from 1), or -1 when the text has fewer.
int32_t FindLf(const CharString& text, int32_t n) {
    int32_t seen = 0;
    for (int32_t i = 0; i < text.length(); ++i) {
        if (text.at(i) == kLf && ++seen == n) return i;
    }
    return -1;
}

void AppendWord(WordList& words, const CharString& w) {
    if (w.empty()) return;
    if (!words.empty()) words.append("\r\n");
    words.append(w);
}

}  // namespace

int32_t lineCount(const CharString& text) {
    if (text.empty()) return 0;
    int32_t count = 1;
    for (int32_t i = 0; i + 1 < text.length(); ++i) {
        if (text.at(i) == kCr && text.at(i + 1) == kLf) ++count;
    }
    return count;
}

void line(const CharString& text, int32_t n, CharString& out) {
    if (n < 0 || n >= lineCount(text)) return;
    // The count is of CR LF pairs but the cut is at each LF, dropping the byte before it: in a
    // list built by the splitters the two agree.
    int32_t start = 0;
    if (n > 0) {
        const int32_t lf = FindLf(text, n);
        start = lf < 0 ? text.length() : lf + 1;
    }
    const int32_t nextLf = FindLf(text, n + 1);
    const int32_t end = nextLf < 0 ? text.length() : nextLf - 1;
    out = end > start ? text.mid(start, end - start) : CharString();
}

CharString word(const WordList& words, int32_t n) {
    CharString result;
    line(words, n, result);
    return result;
}

WordList SplitWords(const CharString& text, int32_t mostWords) {
    // One pass over the text into a growing buffer: a FEN tag of a megabyte splits as fast as a
    // short one. Each piece is dropped, as an append to a full string is, when the list would
    // pass the longest text.
    std::string words;
    auto add = [&words](const char* bytes, int32_t count) {
        if (words.size() + static_cast<size_t>(count) <=
            static_cast<size_t>(CharString::kMaxStringLength))
            words.append(bytes, static_cast<size_t>(count));
    };
    const char* const chars = text.chars();
    const int32_t length = text.length();
    int32_t i = 0;
    for (int32_t n = 0; n < mostWords; ++n) {
        while (i < length && chars[i] == ' ')
            ++i;
        if (i == length) break;
        const int32_t start = i;
        while (i < length && chars[i] != ' ')
            ++i;
        if (!words.empty()) add("\r\n", 2);
        add(chars + start, i - start);
    }
    return WordList(words.data(), static_cast<int32_t>(words.size()));
}

WordList SplitCommandLine(const CharString& text) {
    WordList words;
    const int32_t length = text.length();
    if (length == 0) return words;
    int32_t i = 0;
    for (;;) {
        char delimiter = ' ';
        if (text.at(i) == '"') {
            delimiter = '"';
            ++i;
        }
        int32_t j = i;
        while (j < length && text.at(j) != static_cast<unsigned char>(delimiter))
            ++j;
        CharString w = text.mid(i, j - i).trimmed();
        // Every word after the program path loses one switch prefix.
        if (!words.empty() && !w.empty() && (w.at(0) == '/' || w.at(0) == '-')) {
            w = w.mid(1, -1);
        }
        AppendWord(words, w);
        if (j >= length || (delimiter == '"' && j == length - 1)) break;
        i = j + 1;
    }
    return words;
}

int32_t ParseNumber(const char* word) {
    if (word == nullptr) return 0;
    const char* p = word;
    while (*p != 0 && (*p < '0' || *p > '9'))
        ++p;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}
