// Opens BMP files as a document does (read, then prepare for display) and prints the format
// description of each; exit status 1 when one fails.
#include "base/HeadlessPlatform.h"
#include "core/BmpFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    Headless().SetEchoToStderr(true);
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::string description;
        auto image = ReadBmpFile(argv[i], ImageReadOptions{}, description);
        if (!image) {
            status = 1;
            continue;
        }
        std::printf("%s\n", description.c_str());
    }
    return status;
}
