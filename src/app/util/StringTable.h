#pragma once
// The program's string table: user-visible texts by resource id (UTF-8).
#include <string>

// The text with the given id; empty when the table has none.
std::string LoadString(int id);
