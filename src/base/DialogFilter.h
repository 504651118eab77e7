#pragma once
// File dialog filters as the string table holds them: "name|patterns|name|patterns||", patterns
// separated by ";".
#include <string>
#include <vector>

struct DialogFilter {
    std::string name;                  // the text shown, without its own pattern list
    std::vector<std::string> patterns; // "*.jpg", "*.jpeg", ...
};

std::vector<DialogFilter> ParseDialogFilters(const std::string& table);
// The name and patterns as file dialogs take them: "JPEG file(*.jpg *.jpeg)".
std::string DialogFilterText(const DialogFilter& filter);
