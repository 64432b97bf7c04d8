#pragma once
// CharString: the system's byte string. Counted, always zero-terminated, exact-size heap buffer,
// no encoding knowledge. Every live string owns a buffer, so chars() can go straight to an API
// that wants a C string.

#include <cstdint>
#include <type_traits>

// A 16-bit text unit: wchar_t where the platform's wide characters are 16 bits (Windows), else
// char16_t, so the same settings record and conversions serve both builds.
using WideChar = std::conditional_t<sizeof(wchar_t) == 2, wchar_t, char16_t>;

class CharString {
  public:
    // Longest text a string holds; longer zero-terminated texts are cut here.
    static constexpr int32_t kMaxStringLength = 16777216;

    CharString();
    CharString(const char* text);  // NOLINT(google-explicit-constructor): texts read naturally
    CharString(const char* bytes, int32_t count);
    CharString(const CharString& other);
    CharString(CharString&& other);  // leaves other empty, with a buffer of its own
    CharString& operator=(const CharString& other);
    CharString& operator=(CharString&& other) noexcept;
    ~CharString();

    int32_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    const char* chars() const { return chars_; }
    // Byte i as an unsigned value; i must lie in [0, length()], index length() reads the 0.
    unsigned char at(int32_t i) const { return static_cast<unsigned char>(chars_[i]); }

    void assign(const CharString& other);
    void assignChar(char ch);
    void assignWide(const WideChar* text);

    void append(const CharString& other);
    void append(const char* text);
    void appendChar(char ch);

    CharString left(int32_t n) const;
    CharString right(int32_t n) const;
    CharString mid(int32_t start, int32_t count) const;
    CharString upper() const;
    CharString trimmed() const;

    void trimLeft();
    void trimRight();
    void removeAll(char ch);

    bool equals(const char* text) const;

    // Replaces the text by what fill(buffer) writes straight into the string's own storage, a
    // buffer of capacity bytes (at most kMaxStringLength) taken with one allocation that does not
    // throw. fill returns how many bytes of text it wrote, which hold no zero byte: a filler that
    // meets one stops there, so a large text is looked at once, as it arrives (the buffer may then
    // be longer than the text). False, the string unchanged, when the allocation fails.
    template <typename Fill>
    bool assignFilled(int32_t capacity, Fill fill) {
        if (capacity < 0) capacity = 0;
        if (capacity > kMaxStringLength) capacity = kMaxStringLength;
        char* buffer = allocateNoThrow(capacity);
        if (buffer == nullptr) return false;
        const int32_t count = fill(buffer);
        installFilled(buffer, count < capacity ? count : capacity);
        return true;
    }

  private:
    static char* allocateNoThrow(int32_t capacity) noexcept;
    void installFilled(char* buffer, int32_t count);
    void install(char* buffer, int32_t length);

    int32_t length_;
    char* chars_;
};

// Bytes before the first 0 of text, at most CharString::kMaxStringLength.
int32_t CountText(const char* text);
