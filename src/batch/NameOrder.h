#pragma once
// The order in which a batch walk handles the names of one directory.
#include <string>
#include <vector>

// Compares names byte by byte after mapping "A"-"Z" to "a"-"z"; names equal that way are
// ordered by their bytes, so that a directory holding both "A.jpg" and "a.jpg" is walked the
// same way every time. Negative, 0 or positive.
int CompareNames(const std::string& left, const std::string& right);

// Puts the names into ascending CompareNames order.
void SortNames(std::vector<std::string>& names);
