#pragma once
// A front end where nobody looks or answers: nothing is pumped or shown and every message box
// is OK, unseen (the benchmarks, the fuzz targets, drennow.exe's picture and report switches).
#include <string>

#include "engine/Host.h"

namespace engine {

class QuietHost final : public Host {
public:
    void Pump() override {}
    Answer MessageBox(const std::string&, const std::string&, BoxStyle) override {
        return Answer::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OnScanState(ScanEvent) override {}
    void Sleep(unsigned) override {}
};

}  // namespace engine
