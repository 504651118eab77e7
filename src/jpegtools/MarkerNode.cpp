#include "jpegtools/MarkerNode.h"

#include "jpegtools/Charset.h"

#include <cstdarg>
#include <cstdio>

MarkerNode& MarkerNode::Add(std::string childText, size_t childOffset, size_t childCount) {
    children.push_back({std::move(childText), childOffset, childCount, {}});
    return children.back();
}

std::string NodeText(const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string DisplayText(const MarkerNode& node) {
    std::string text =
        FromShiftJis(node.text.data(), kCharsetUtf8, static_cast<int>(node.text.size()));
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}
