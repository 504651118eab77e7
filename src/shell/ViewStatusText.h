#pragma once
// The texts of the child window's status bar panes.
#include <cstdint>
#include <string>

// Pane 0: "[1,234,567(1.1M)byte]", or " [Unknown]" when the file size is not known (0).
std::string FileSizePaneText(uint32_t fileSize);
// Pane 1: the zoom, "400%".
std::string ZoomPaneText(int zoom);
