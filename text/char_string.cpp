#include "text/char_string.h"

#include <cstring>
#include <new>
#include <utility>

namespace {

// A fresh exact-size buffer holding count bytes of source and the terminator.
char* NewBuffer(const char* source, int32_t count) {
    if (count < 0) count = 0;
    char* buffer = new char[static_cast<size_t>(count) + 1];
    if (count > 0) std::memcpy(buffer, source, static_cast<size_t>(count));
    buffer[count] = 0;
    return buffer;
}

bool IsSpace(char ch) {
    return ch == ' ';
}

}  // namespace

int32_t CountText(const char* text) {
    if (text == nullptr) return 0;
    const void* end = std::memchr(text, 0, static_cast<size_t>(CharString::kMaxStringLength));
    if (end == nullptr) return CharString::kMaxStringLength;
    return static_cast<int32_t>(static_cast<const char*>(end) - text);
}

CharString::CharString() : length_(0), chars_(NewBuffer(nullptr, 0)) {}

CharString::CharString(const char* text) : length_(CountText(text)), chars_(nullptr) {
    chars_ = NewBuffer(text, length_);
}

CharString::CharString(const char* bytes, int32_t count)
    : length_(count < 0 ? 0 : count), chars_(nullptr) {
    chars_ = NewBuffer(bytes, length_);
}

CharString::CharString(const CharString& other)
    : length_(other.length_), chars_(NewBuffer(other.chars_, other.length_)) {}

CharString::CharString(CharString&& other) : length_(other.length_), chars_(other.chars_) {
    other.chars_ = nullptr;  // keeps the destructor safe should the allocation below throw
    other.chars_ = NewBuffer(nullptr, 0);
    other.length_ = 0;
}

CharString& CharString::operator=(const CharString& other) {
    assign(other);
    return *this;
}

CharString& CharString::operator=(CharString&& other) noexcept {
    std::swap(length_, other.length_);
    std::swap(chars_, other.chars_);
    return *this;
}

CharString::~CharString() {
    delete[] chars_;
}

void CharString::install(char* buffer, int32_t length) {
    delete[] chars_;
    chars_ = buffer;
    length_ = length;
}

char* CharString::allocateNoThrow(int32_t capacity) noexcept {
    return new (std::nothrow) char[static_cast<size_t>(capacity) + 1];
}

void CharString::installFilled(char* buffer, int32_t count) {
    if (count < 0) count = 0;
    buffer[count] = 0;
    install(buffer, count);
}

void CharString::assign(const CharString& other) {
    if (&other == this) return;
    install(NewBuffer(other.chars_, other.length_), other.length_);
}

void CharString::assignChar(char ch) {
    if (ch == 0) {
        install(NewBuffer(nullptr, 0), 0);
    } else {
        install(NewBuffer(&ch, 1), 1);
    }
}

void CharString::assignWide(const WideChar* text) {
    int32_t count = 0;
    while (text != nullptr && count < kMaxStringLength && text[count] != 0)
        ++count;
    char* buffer = new char[static_cast<size_t>(count) + 1];
    // Low byte of each code unit, no code-page conversion: paths are ASCII in practice.
    for (int32_t i = 0; i < count; ++i)
        buffer[i] = static_cast<char>(text[i] & 0xFF);
    buffer[count] = 0;
    install(buffer, count);
}

void CharString::append(const CharString& other) {
    if (other.length_ == 0 || length_ + other.length_ > kMaxStringLength) return;
    const int32_t total = length_ + other.length_;
    char* buffer = new char[static_cast<size_t>(total) + 1];
    std::memcpy(buffer, chars_, static_cast<size_t>(length_));
    std::memcpy(buffer + length_, other.chars_, static_cast<size_t>(other.length_));
    buffer[total] = 0;
    install(buffer, total);
}

void CharString::append(const char* text) {
    if (text == nullptr || text[0] == 0) return;
    const int32_t count = CountText(text);
    if (length_ + count > kMaxStringLength) return;
    char* buffer = new char[static_cast<size_t>(length_ + count) + 1];
    std::memcpy(buffer, chars_, static_cast<size_t>(length_));
    std::memcpy(buffer + length_, text, static_cast<size_t>(count));
    buffer[length_ + count] = 0;
    install(buffer, length_ + count);
}

void CharString::appendChar(char ch) {
    if (ch == 0) return;
    char* buffer = new char[static_cast<size_t>(length_) + 2];
    std::memcpy(buffer, chars_, static_cast<size_t>(length_));
    buffer[length_] = ch;
    buffer[length_ + 1] = 0;
    install(buffer, length_ + 1);
}

CharString CharString::left(int32_t n) const {
    if (n <= 0) return CharString();
    return CharString(chars_, n < length_ ? n : length_);
}

CharString CharString::right(int32_t n) const {
    if (n <= 0) return CharString();
    const int32_t count = n < length_ ? n : length_;
    return CharString(chars_ + (length_ - count), count);
}

CharString CharString::mid(int32_t start, int32_t count) const {
    if (count == -1) count = length_;
    if (count < 0 || start < 0 || start >= length_) return CharString();
    const int32_t available = length_ - start;
    return CharString(chars_ + start, count < available ? count : available);
}

CharString CharString::upper() const {
    CharString result(*this);
    for (int32_t i = 0; i < result.length_; ++i) {
        char& ch = result.chars_[i];
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 0x20);
    }
    return result;
}

CharString CharString::trimmed() const {
    CharString result(*this);
    result.trimLeft();
    result.trimRight();
    return result;
}

void CharString::trimLeft() {
    if (length_ == 0 || !IsSpace(chars_[0])) return;
    int32_t spaces = 0;
    while (spaces < length_ && IsSpace(chars_[spaces]))
        ++spaces;
    install(NewBuffer(chars_ + spaces, length_ - spaces), length_ - spaces);
}

void CharString::trimRight() {
    if (length_ == 0 || !IsSpace(chars_[length_ - 1])) return;
    int32_t keep = length_;
    while (keep > 0 && IsSpace(chars_[keep - 1]))
        --keep;
    install(NewBuffer(chars_, keep), keep);
}

void CharString::removeAll(char ch) {
    int32_t occurrences = 0;
    for (int32_t i = 0; i < length_; ++i)
        occurrences += chars_[i] == ch ? 1 : 0;
    if (occurrences == 0) return;
    const int32_t kept = length_ - occurrences;
    char* buffer = new char[static_cast<size_t>(kept) + 1];
    int32_t out = 0;
    for (int32_t i = 0; i < length_; ++i) {
        if (chars_[i] != ch) buffer[out++] = chars_[i];
    }
    buffer[kept] = 0;
    install(buffer, kept);
}

bool CharString::equals(const char* text) const {
    const int32_t count = CountText(text);
    return count == length_ &&
           (count == 0 || std::memcmp(chars_, text, static_cast<size_t>(count)) == 0);
}
