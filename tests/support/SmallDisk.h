#pragma once
// A small tmpfs mounted for one test, to be filled: outputs and logs written onto it fail as on
// a full disk. Mounting needs root; elsewhere Mounted() is false and the test skips itself.
#include "support/TempDir.h"

#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <unistd.h>

class SmallDisk {
public:
    explicit SmallDisk(const char* size = "size=1m") {
        mounted_ = geteuid() == 0 && !point_.Path().empty() &&
                   mount("tmpfs", point_.Path().c_str(), "tmpfs", 0, size) == 0;
    }
    ~SmallDisk() {
        if (mounted_) umount2(point_.Path().c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    std::string File(const std::string& name) const { return point_.File(name); }
    // Takes all the space that is left.
    void Fill() const {
        const int filler = open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string block(1 << 16, 'x');
        for (size_t chunk = block.size(); chunk > 0; chunk /= 16)
            while (write(filler, block.data(), chunk) == static_cast<ssize_t>(chunk))
                ;
        close(filler);
    }

private:
    TempDir point_;
    bool mounted_ = false;
};

#define SKIP_WITHOUT_SMALL_DISK(disk)                                                              \
    if (!(disk).Mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root; not run"
