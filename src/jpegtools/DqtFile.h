#pragma once
// DQT text files: 128 values, 8 per line, table 0 in lines 1-8 and table 1 in lines 9-16.
#include "base/QuantTableTypes.h"

#include <cstdint>
#include <string>

// Reads up to 128 values into values; returns the count read, or -1 (reported) when the file
// cannot be opened.
int LoadDQT(const std::string& path, uint16_t values[128]);
// Writes the 128 values; returns 128, or -1 (reported) when the file cannot be written.
int SaveDQT(const std::string& path, const uint16_t values[128]);
// Loads a file into a pair: 64 values or more replace table 0, 128 replace table 1 as well,
// fewer change nothing. Returns the number of tables replaced (0, 1 or 2).
int LoadDqtTables(const std::string& path, QuantTablePair& tables);

// The text SaveDQT writes, with the given line end.
std::string FormatDQT(const uint16_t values[128], const char* lineEnd);
// Parses DQT text as LoadDQT does; returns the count of values read.
int ParseDQT(const std::string& text, uint16_t values[128]);
