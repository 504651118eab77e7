#pragma once
// The manual behind the Help buttons: the page each help context number opens, and the
// contents and keyword lists of the help window, read from the manual's own list files.
#include <string>
#include <string_view>
#include <vector>

constexpr int kHelpContents = 1000; // the contents page, opened by F1

// The page of a context number, relative to the edition's folder ("page.html" or
// "page.html#anchor"); an unknown number opens the contents page.
std::string HelpPageOf(int context);
// Every context number with a page of its own, the contents first.
std::vector<int> HelpContexts();

// One line of a list file: "TARGET<TAB>TITLE", indented by two spaces per level.
struct HelpEntry {
    int level = 0;
    std::string target;
    std::string title;
};

// The entries of a list file in order; blank lines and lines without a tab are skipped.
std::vector<HelpEntry> ParseHelpList(std::string_view text);
