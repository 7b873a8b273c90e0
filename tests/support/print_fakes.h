#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/page_device.h"
#include "core/platform/printer.h"

namespace cardwise::testing {

// A page device with a fixed-pitch font: every letter is half as wide as it is high, and
// the height is the point size at the device's resolution. Records what is drawn where.
class RecordingPageDevice : public PageDevice {
  public:
    struct Drawn {
        std::string kind;  // "text", "line", "picture"
        int document = 0;  // 1-based
        int page = 0;      // 1-based within its document
        PixelRect at;
        std::string text;
        FontSpec font;
        int pen = 0;
    };

    // Letter paper at 100 dots per inch; the sheet is turned for landscape.
    PageMetrics portrait{100, 100, 850, 1100, 0, 0};
    Orientation orientation = Orientation::Portrait;
    std::vector<int> pages;   // page count of each document
    std::vector<int> passes;  // DocumentInfo::pass of each document
    std::vector<Orientation> orientations;
    std::vector<Drawn> drawn;
    int ended = 0;
    bool refuseDocuments = false;
    // Throws once the named operation ("text", "page", ...) has been called `failAfter` times.
    std::string failOn;
    int failAfter = 0;
    std::function<void()> thrower = [] { throw std::runtime_error("device"); };

    void setOrientation(Orientation o) override { orientation = o; }
    PageMetrics metrics() const override {
        PageMetrics m = portrait;
        if (orientation == Orientation::Landscape) {
            std::swap(m.pageWidth, m.pageHeight);
            std::swap(m.offsetX, m.offsetY);
        }
        return m;
    }
    bool beginDocument(const DocumentInfo& info) override {
        if (refuseDocuments) return false;
        pages.push_back(1);
        passes.push_back(info.pass);
        orientations.push_back(orientation);
        return true;
    }
    void newPage() override {
        maybeFail("page");
        ++pages.back();
    }
    void endDocument() override { ++ended; }
    void setFont(const FontSpec& f) override { font_ = f; }
    int textWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * (letterHeight() / 2);
    }
    int letterHeight() const override { return font_.points * portrait.dpiY / 72; }
    void drawText(int x, int y, std::string_view text) override {
        maybeFail("text");
        record({"text",
                0,
                0,
                {x, y, x + textWidth(text), y + letterHeight()},
                std::string(text),
                font_,
                0});
    }
    void drawLine(int x1, int y1, int x2, int y2, int pen) override {
        record({"line", 0, 0, {x1, y1, x2, y2}, {}, font_, pen});
    }
    void drawPicture(const PagePicture& picture, const PixelRect& target) override {
        maybeFail("picture");
        record({"picture", 0, 0, target, std::to_string(picture.width), font_, 0});
    }

    std::vector<Drawn> texts() const { return of("text"); }
    std::vector<Drawn> pictures() const { return of("picture"); }
    std::vector<Drawn> of(std::string_view kind) const {
        std::vector<Drawn> out;
        for (const auto& d : drawn) {
            if (d.kind == kind) out.push_back(d);
        }
        return out;
    }
    const Drawn* findText(std::string_view text, int document = 0) const {
        for (const auto& d : drawn) {
            if (d.kind == "text" && d.text == text && (document == 0 || d.document == document))
                return &d;
        }
        return nullptr;
    }

  private:
    void record(Drawn d) {
        d.document = static_cast<int>(pages.size());
        d.page = pages.empty() ? 0 : pages.back();
        drawn.push_back(std::move(d));
    }
    void maybeFail(std::string_view op) {
        if (op == failOn && failAfter-- <= 0) thrower();
    }
    FontSpec font_{"System", 10, false};
};

// The front end's printing services, scripted: the dialog's answer, pictures of the cards
// (width = the pair, height 1 for a question, 2 for an answer) and a Cancel after some cards.
class ScriptedPrinter : public Printer {
  public:
    RecordingPageDevice device;
    std::optional<std::string> dialogAnswer;
    std::vector<std::string> dialogOpenedWith;
    std::vector<std::pair<std::int32_t, bool>> captures;  // CurrentPair, question
    const std::int32_t* currentPair = nullptr;
    std::vector<std::string> calls;
    int cancelAfter = -1;

    std::optional<std::string> showPrintDialog(std::string_view settings) override {
        dialogOpenedWith.emplace_back(settings);
        return dialogAnswer;
    }
    PageDevice& pageDevice() override { return device; }
    std::optional<PagePicture> captureCard(bool question) override {
        const std::int32_t pair = currentPair ? *currentPair : 0;
        captures.emplace_back(pair, question);
        return PagePicture{
            pair, question ? 1 : 2,
            std::vector<std::uint32_t>(static_cast<std::size_t>(pair * (question ? 1 : 2)))};
    }
    void hideDrillWindows() override { calls.emplace_back("hide"); }
    void showDrillWindow() override { calls.emplace_back("show"); }
    bool progress(int done, int) override { return cancelAfter < 0 || done < cancelAfter; }
    void jobEnded() override { calls.emplace_back("ended"); }
};

}  // namespace cardwise::testing
