#include "engine/ScanModel.h"

namespace engine {
namespace {

constexpr const char* kNames[kSectionCount] = {
    "Registry Integrity", "Custom Controls",     "Software Locations", "Device Drivers",
    "Windows Fonts",      "Help and Resources",  "Shared Programs",    "Startup Programs",
    "Add/Remove Programs", "Virtual Devices",    "Configuration Files", "Sound and Appevents",
    "Valid Files Path",   "Valid Shortcut",
};

}  // namespace

const char* SectionName(int section) {
    return section >= 1 && section <= kSectionCount ? kNames[section - 1] : "";
}

const char* SectionRowName(int row) {
    if (row == kSectionCount - 1) return "Valid Shortcuts";
    return SectionName(row + 1);
}

}  // namespace engine
