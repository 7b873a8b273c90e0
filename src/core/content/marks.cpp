#include "core/content/marks.h"

#include <algorithm>

#include "core/content/pair_view.h"

namespace cardwise {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

std::size_t runEnd(std::string_view text, std::size_t i, char c) {
    while (i < text.size() && text[i] == c) ++i;
    return i;
}

std::string decodeCarets(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '^') {
            out += text[i++];
            continue;
        }
        std::size_t end = runEnd(text, i, '^');
        std::size_t n = end - i;
        out.append(n / 2, '^');
        if (n % 2 == 1) out += kLineBreak;
        i = end;
    }
    return out;
}

std::string decodeAngles(std::string_view text) {
    bool doubled = false;
    for (std::size_t i = 0; i < text.size() && !doubled;) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        std::size_t end = runEnd(text, i, '<');
        doubled = end - i >= 2;
        i = end;
    }
    // Stray single "<" are left alone unless the text uses the doubled form somewhere.
    if (!doubled) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '<') {
            out += text[i++];
            continue;
        }
        std::size_t end = runEnd(text, i, '<');
        out.append((end - i) / 2, '<');
        i = end;
    }
    return out;
}

bool lineBreakAt(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

}  // namespace

std::string decodedMarks(std::string_view stored) {
    return decodeAngles(decodeCarets(stored));
}

std::string encodedMarks(std::string_view shown) {
    // Most texts hold nothing to encode.
    if (std::none_of(shown.begin(), shown.end(),
                     [](char c) { return c == '^' || c == '<' || c == '\r'; })) {
        return std::string(shown);
    }
    std::string doubled;
    doubled.reserve(shown.size() * 2);
    for (char c : shown) {
        doubled += c;
        if (c == '^' || c == '<') doubled += c;
    }
    std::string out;
    out.reserve(doubled.size());
    std::size_t i = 0;
    while (i < doubled.size()) {
        if (!lineBreakAt(doubled, i)) {
            out += doubled[i++];
            continue;
        }
        out += '^';
        i += 2;
        // A "^" right after would merge with this one into a literal caret, so a space
        // keeps them apart: an empty line is stored as "^ ^" and shows as a line holding
        // one space, as every copy of the program reads it. The same space keeps a line
        // that starts with "^" from showing its caret before the line break.
        if (i < doubled.size() && (doubled[i] == '^' || doubled[i] == '\r')) out += ' ';
    }
    return out;
}

void DecodeMarks(std::string& text) {
    text = decodedMarks(text);
    if (text.size() > kViewTextMax) {
        text.resize(kViewTextMax);
        if (text.back() == '\r') text.pop_back();
    }
}

void EncodeMarks(std::string& text) {
    text = encodedMarks(text);
}

}  // namespace cardwise
