#include <ctime>

#include "platform/wine/files/FileSystem.h"

namespace platform::wine {

LocalTime FileSystem::GetLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    LocalTime result;
    if (!::localtime_r(&now, &local)) return result;
    result.year = local.tm_year + 1900;
    result.month = local.tm_mon + 1;
    result.day = local.tm_mday;
    result.hour = local.tm_hour;
    result.minute = local.tm_min;
    result.second = local.tm_sec;
    return result;
}

}  // namespace platform::wine
