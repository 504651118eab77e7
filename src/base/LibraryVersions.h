#pragma once
// The versions of the image and compression libraries the program runs with.
#include <string>
#include <vector>

struct LibraryVersion {
    std::string name;
    std::string version;
};

// libjpeg-turbo, libpng, zlib, libheif, libwebp and libjxl, in that order. All but
// libjpeg-turbo report the version loaded at run time; libjpeg-turbo has no such query, so its
// version is the one the program was built with.
std::vector<LibraryVersion> CodecLibraryVersions();
