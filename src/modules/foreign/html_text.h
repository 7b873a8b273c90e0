#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cardwise {

// What a card's HTML shows as text, and the pictures it names.
struct HtmlText {
    std::string text;                   // UTF-8, lines separated by '\n', no tags
    std::vector<std::string> pictures;  // the src of every <img>, in order
    std::vector<std::string> sounds;    // the src of every <audio>, in order
};

// Reads UTF-8 HTML as a browser lays out its text: runs of white space become one space,
// <br> a line break, a block (<div>, <p>, <li>, <tr>, <h1>..) starts and ends a line,
// entities are decoded, <script> and <style> are left out. Leading and trailing blanks of
// every line and blank lines at either end are dropped.
HtmlText htmlText(std::string_view html);

}  // namespace cardwise
