#pragma once
// A host for the test switches, where nobody is there to answer: every message box is OK,
// unseen. Included before <windows.h>, whose MessageBox macro would rename the member.
#include <string>

#include "engine/Host.h"

namespace ui::win32 {

class SilentHost final : public engine::Host {
public:
    void Pump() override {}
    engine::Answer MessageBox(const std::string&, const std::string&, engine::BoxStyle) override {
        return engine::Answer::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OnScanState(engine::ScanEvent) override {}
    void Sleep(unsigned) override {}
};

}  // namespace ui::win32
