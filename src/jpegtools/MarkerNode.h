#pragma once
// One node of the marker inspector's tree: the text it shows and the bytes of its segment it
// stands for, which the hex view highlights when the node is selected.
#include <cstddef>
#include <string>
#include <vector>

struct MarkerNode {
    std::string text;  // as shown; comment text in Shift_JIS
    size_t offset = 0; // first byte of the field within the segment's bytes
    size_t count = 0;  // bytes of the field
    std::vector<MarkerNode> children;

    // Appends a child and returns it.
    MarkerNode& Add(std::string childText, size_t childOffset, size_t childCount);
};

// A node's text in UTF-8 on one line: control characters (line breaks of a comment) become
// spaces.
std::string DisplayText(const MarkerNode& node);

// names[value] when value indexes a name of the list, else fallback.
template <size_t N>
const char* NameOf(unsigned value, const char* const (&names)[N], const char* fallback) {
    return value < N && names[value] ? names[value] : fallback;
}

// printf-style formatting of a node text.
std::string NodeText(const char* format, ...) __attribute__((format(printf, 1, 2)));
