// The owned C stream: opening, handing over and closing.
#include "base/FileHandle.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(FileHandle, OwnsOneStreamAndHandsItOver) {
    TempDir dir;
    EXPECT_FALSE(FileHandle::Open(dir.File("missing/x"), "rb"));

    FileHandle first = FileHandle::Open(dir.File("a.txt"), "wb");
    ASSERT_TRUE(first);
    std::FILE* stream = first.get();
    FileHandle second = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), stream);
    EXPECT_GE(std::fputs("text", second.get()), 0);
    EXPECT_TRUE(second.Close());
    EXPECT_FALSE(second);
    EXPECT_TRUE(second.Close()); // closing again is harmless
    EXPECT_EQ(TempDir::Read(dir.File("a.txt")), "text");

    second = FileHandle::Open(dir.File("a.txt"), "rb");
    second = FileHandle::Open(dir.File("a.txt"), "rb"); // the first one is closed on the way
    EXPECT_TRUE(second);
}
