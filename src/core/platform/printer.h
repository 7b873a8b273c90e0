#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/platform/page_device.h"

namespace cardwise {

// What a print job needs from the front end: the print dialog, the device the pages go to,
// pictures of the drill windows and the drill windows themselves.
class Printer {
  public:
    virtual ~Printer() = default;

    // Shows the print dialog over the remembered settings (empty at the first print); the
    // new settings on OK, nothing on Cancel.
    virtual std::optional<std::string> showPrintDialog(std::string_view settings) = 0;

    // Where the documents of the job go, as chosen in the dialog.
    virtual PageDevice& pageDevice() = 0;

    // A picture of the question window (or the answer window) showing CurrentPair, as the
    // drill would show it, without playing its media; nothing when there is none.
    virtual std::optional<PagePicture> captureCard(bool question) = 0;

    // The drill windows make way for the job and come back after it.
    virtual void hideDrillWindows() = 0;
    virtual void showDrillWindow() = 0;

    // The job is done with `done` of `total` cards; false when the user cancelled.
    virtual bool progress(int done, int total) = 0;
    // The job is over (finished or cancelled).
    virtual void jobEnded() = 0;
};

// For a front end that cannot print: the dialog is always cancelled.
class NoPrinter final : public Printer {
  public:
    std::optional<std::string> showPrintDialog(std::string_view) override { return {}; }
    PageDevice& pageDevice() override { return device_; }
    std::optional<PagePicture> captureCard(bool) override { return {}; }
    void hideDrillWindows() override {}
    void showDrillWindow() override {}
    bool progress(int, int) override { return true; }
    void jobEnded() override {}

  private:
    NoPageDevice device_;
};

}  // namespace cardwise
