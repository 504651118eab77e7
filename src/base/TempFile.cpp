#include "base/TempFile.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

bool CreateTempFile(const std::string& directory, const std::string& prefix,
                    const std::string& suffix, std::string& path) {
    // One seed per process: reseeding from the clock on every call would walk the same names
    // again for every file made within the same second.
    static const bool seeded = (std::srand(static_cast<unsigned>(std::time(nullptr)) ^
                                           static_cast<unsigned>(getpid()) << 16),
                                true);
    (void)seeded;
    std::string base = directory;
    if (!base.empty() && base.back() != '/') base += '/';
    for (int attempt = 0; attempt < 100; ++attempt) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", std::rand() % 10000);
        std::string candidate = base + prefix + digits + suffix;
        int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) continue;
        close(fd);
        path = candidate;
        return true;
    }
    return false;
}
