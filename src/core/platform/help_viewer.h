#pragma once

namespace cardwise {

// Numbered help topics the program asks for.
namespace HelpTopic {
inline constexpr int PairOrder = 3;
inline constexpr int PictureViewer = 10;
inline constexpr int Printing = 11;
inline constexpr int ListMode = 12;
inline constexpr int RangeMode = 13;
inline constexpr int HistoryMode = 14;
inline constexpr int Tutorial = 19;
inline constexpr int ColorsFonts = 29;
inline constexpr int View = 39;
inline constexpr int QAModes = 40;
inline constexpr int Directories = 41;
inline constexpr int Editor = 42;
}  // namespace HelpTopic

// The help system: a contents page, numbered topics and its own instructions.
class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    virtual void showContents() = 0;
    virtual void showTopic(int topic) = 0;
    virtual void showHelpOnHelp() = 0;
};

// For a front end without help pages: every request is ignored.
class NoHelpViewer final : public HelpViewer {
  public:
    void showContents() override {}
    void showTopic(int) override {}
    void showHelpOnHelp() override {}
};

}  // namespace cardwise
