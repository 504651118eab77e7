// Saving never destroys the file it replaces: staged files, checked writes, injected failures.
#include "core/SaveDispatch.h"
#include "DocFixture.h"
#include "base/FileExtension.h"
#include "core/ImageDoc.h"
#include "core/OutputFiles.h"

#include "base/FileHandle.h"
#include "support/SmallDisk.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

using SaveDispatch = DocTest;

// Files larger than the limit cannot be written (EFBIG) while the object lives; this fails
// writes for root too, unlike permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

// A folder in which no file can be made while its files stay writable: read-only for a user,
// immutable for root (whom permission bits do not stop). error: what a creation meets there,
// 0 when the folder could not be locked.
class LockedFolder {
public:
    explicit LockedFolder(const std::string& path) : path_(path) {
        if (geteuid() != 0) {
            if (chmod(path.c_str(), 0555) == 0) error = EACCES;
        } else if (SetImmutable(true)) {
            error = EPERM;
        }
    }
    ~LockedFolder() {
        if (error == EACCES) chmod(path_.c_str(), 0755);
        if (error == EPERM) SetImmutable(false);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    int error = 0;

private:
    bool SetImmutable(bool on) const {
        const int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        bool done = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        if (fd >= 0) close(fd);
        return done;
    }

    std::string path_;
};

std::vector<std::string> Names(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST_F(SaveDispatch, CommitReplacesKeepsModeAndFollowsLinks) {
    const std::string target = dir.Write("real.bin", "old");
    chmod(target.c_str(), 0640);
    fs::create_symlink(target, dir.File("link.bin"));
    COutputFiles output;
    std::FILE* file = output.Create(dir.File("link.bin"));
    ASSERT_TRUE(file);
    std::fputs("new bytes", file);
    EXPECT_EQ(TempDir::Read(target), "old"); // nothing replaced before the commit
    ASSERT_TRUE(output.Commit("Test"));
    EXPECT_EQ(TempDir::Read(target), "new bytes");
    EXPECT_TRUE(fs::is_symlink(dir.File("link.bin")));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(output.MeasuredSize(), 9u);
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"link.bin", "real.bin"}));
}

TEST_F(SaveDispatch, UncommittedOutputLeavesNothingBehind) {
    dir.Write("keep.bin", "original");
    {
        COutputFiles output;
        std::fputs("partial", output.Create(dir.File("keep.bin")));
        std::fputs("partial", output.Create(dir.File("fresh.bin")));
    }
    EXPECT_EQ(Names(dir), std::vector<std::string>{"keep.bin"});
    EXPECT_EQ(TempDir::Read(dir.File("keep.bin")), "original");
    EXPECT_EQ(COutputFiles().Create(dir.File("no/such/dir.bin")), nullptr);
}

TEST_F(SaveDispatch, FailedWriteKeepsBothRawRgbFiles) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(100, 100, Gradient(100, 100))); // 30000 data bytes
    SetFacts(document, [](ImageFacts& facts) { facts.description = "before"; });
    document.SetDocType(kTypeBmp);
    dir.Write("pic.fal", "old header");
    dir.Write("pic.rgb", "old data");
    bool saved;
    {
        FileSizeLimit limit(4096);
        saved = document.SaveFile(dir.File("pic.rgb"));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"SaveRgbFile:File too large\n" + dir.File("pic.rgb")});
    EXPECT_EQ(TempDir::Read(dir.File("pic.fal")), "old header");
    EXPECT_EQ(TempDir::Read(dir.File("pic.rgb")), "old data");
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"pic.fal", "pic.rgb"}));
    EXPECT_EQ(document.Facts().description, "before");
    EXPECT_EQ(document.DocType(), kTypeBmp);

    ASSERT_TRUE(document.SaveFile(dir.File("pic.rgb")));
    EXPECT_EQ(document.DocType(), kTypeRgb);
    EXPECT_EQ(document.Facts().fileSize, 30000u);
    EXPECT_EQ(document.Facts().description, "100x100  RGB/Q0+FAL");
}

TEST_F(SaveDispatch, FailedBmpWriteKeepsTheOriginal) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(100, 100, Gradient(100, 100)));
    const std::string target = dir.Write("pic.bmp", "old bitmap");
    bool saved;
    {
        FileSizeLimit limit(4096);
        saved = document.SaveFile(target);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(TempDir::Read(target), "old bitmap");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"pic.bmp"});
}

TEST_F(SaveDispatch, DeviceTargetIsWrittenDirectlyAndChecked) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(100, 100, Gradient(100, 100)));
    fs::create_symlink("/dev/full", dir.File("full.rgb"));
    EXPECT_FALSE(document.SaveFile(dir.File("full.rgb")));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"SaveRgbFile:No space left on device\n/dev/full"});
    EXPECT_EQ(Names(dir), std::vector<std::string>{"full.rgb"}); // no header left behind

    // Every writer gives the system's reason for a write that fails.
    for (const char* name : {"full.bmp", "full.png"}) {
        Headless().ClearMessages();
        fs::create_symlink("/dev/full", dir.File(name));
        EXPECT_FALSE(document.SaveFile(dir.File(name)));
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].substr(0, Messages()[0].find('\n')),
                  std::string(name[5] == 'b' ? "SaveBmpFile" : "SavePngFile") +
                      ":No space left on device");
    }
}

TEST_F(SaveDispatch, FullDiskNamesTheFileThatRanOut) {
    SmallDisk disk("size=64k");
    if (!disk.Mounted()) GTEST_SKIP() << "a full disk needs root to mount a small tmpfs";
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(200, 200, Gradient(200, 200))); // 120000 data bytes
    EXPECT_FALSE(document.SaveFile(disk.File("pic.rgb")));
    EXPECT_EQ(Messages(), std::vector<std::string>{"SaveRgbFile:No space left on device\n" +
                                                   disk.File("pic.rgb")});
    EXPECT_FALSE(fs::exists(disk.File("pic.fal")));
}

TEST_F(SaveDispatch, FolderRefusingTheTemporaryFileIsNamed) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(8, 8, Gradient(8, 8)));
    const std::string folder = dir.File("locked");
    fs::create_directory(folder);
    for (const char* name : {"pic.bmp", "pic.png", "pic.jpg", "pic.rgb"})
        dir.Write(std::string("locked/") + name, "old");
    dir.Write("locked/pic.fal", "old");
    LockedFolder locked(folder);
    if (!locked.error) GTEST_SKIP() << "cannot make a folder refuse new files here";
    const std::string reason = "ファイルは書き込めますが、フォルダ " + folder +
                               " に一時ファイルを作成できません (" + SystemErrorText(locked.error) +
                               ")";
    const std::vector<std::pair<const char*, const char*>> saves = {{"pic.bmp", "SaveBmpFile"},
                                                                    {"pic.png", "SavePngFile"},
                                                                    {"pic.jpg", "SaveJpegFile"},
                                                                    {"pic.rgb", "SaveRgbFile"}};
    for (const auto& [name, writer] : saves) {
        Headless().ClearMessages();
        const std::string target = folder + "/" + name;
        EXPECT_FALSE(document.SaveFile(target));
        const std::string named = name[4] == 'r' ? folder + "/pic.fal" : target;
        EXPECT_EQ(Messages(), std::vector<std::string>{writer + (":" + reason) + "\n" + named});
        EXPECT_EQ(TempDir::Read(target), "old");
    }
    // A new file there: the usual message.
    Headless().ClearMessages();
    EXPECT_FALSE(document.SaveFile(folder + "/new.bmp"));
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"SaveBmpFile:ファイルが開けません\n" + folder + "/new.bmp"});
}

TEST_F(SaveDispatch, TypesWithoutWriter) {
    CImageDoc document{context};
    document.ReplaceImage(MakeImage(2, 2, Gradient(2, 2)));
    for (const char* name : {"a.mag", "a.tif", "a.gif", "noextension"})
        EXPECT_FALSE(document.SaveFile(dir.File(name))) << name;
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Names(dir).empty());
}
