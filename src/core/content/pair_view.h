#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace cardwise {

// Field limits of the parsed side.
inline constexpr std::size_t kViewCategoryMax = 20;
inline constexpr std::size_t kViewTextMax = 2001;
inline constexpr std::size_t kViewPathMax = 256;
inline constexpr std::size_t kViewNoteMax = 300;

// The parse of the pair side formatted last.
struct PairView {
    std::string Category;
    std::string Text;
    std::string PicturePath;
    std::string MediaPath;
    std::array<std::string, 3> Notes;
    std::array<std::string, 6> Choices;
    std::string CorrectChoice;

    bool TextOnly = true;
    bool NoText = false;
    bool FillInQuestion = false;
    std::int32_t ChoiceCount = 0;
};

}  // namespace cardwise
