#include "framework/host.h"

#include <ctime>

namespace mezura {

int systemYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace mezura
