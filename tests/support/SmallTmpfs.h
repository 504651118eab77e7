#pragma once
// A tmpfs of a few pages mounted on a fresh directory, for writes that meet a full disk. Only
// root may mount: elsewhere Mounted() is false and the test skips.
#include "support/TempDir.h"

#include <string>
#include <sys/mount.h>
#include <unistd.h>

class SmallTmpfs {
public:
    explicit SmallTmpfs(const std::string& size) {
        mounted_ = geteuid() == 0 && !dir_.Path().empty() &&
                   mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) umount2(dir_.Path().c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    std::string File(const std::string& name) const { return dir_.File(name); }

private:
    TempDir dir_;
    bool mounted_ = false;
};
