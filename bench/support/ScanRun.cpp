#include "bench/support/ScanRun.h"

#include <stdexcept>

#include "engine/ScanSession.h"
#include "engine/Sections.h"
#include "platform/wine/WinePrefix.h"

namespace bench {

std::vector<int> RegistrySections() {
    std::vector<int> sections;
    for (const engine::Section& section : engine::Sections())
        if (!section.shortcutWalk) sections.push_back(section.number);
    return sections;
}

engine::SectionRows ChosenRows(platform::Services& services, const std::vector<int>& sections,
                               bool drives) {
    engine::SectionRows rows = engine::BuildSectionRows(services);
    for (int section : sections) rows[static_cast<std::size_t>(section - 1)].selected = true;
    if (drives)
        for (std::size_t row = engine::kFirstDriveRow; row < rows.size(); ++row)
            rows[row].selected = true;
    return rows;
}

std::unique_ptr<platform::Services> OpenPrefix(const std::string& dir) {
    platform::Status status;
    auto services = platform::wine::OpenPrefix(dir, status);
    if (!services) throw std::runtime_error(status.message);
    return services;
}

int Scan(platform::Services& services, engine::Host& host, const engine::SectionRows& rows) {
    engine::ScanSession session(services, host);
    session.Scan(rows);
    return session.Results().total;
}

}  // namespace bench
