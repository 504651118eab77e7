#pragma once
// How the settings pages read and show their fields: signed number fields, the history count
// range, gamma values as text, and when the dither choice applies.
#include <string>

inline constexpr int kMaxHistoryCount = 9;

// A signed decimal field (blanks around it allowed); 0 when the text is no number or does not
// fit an int.
int SignedFieldValue(const std::string& text);
// The recent-file count typed into the General page, kept within 0 ... kMaxHistoryCount.
int HistoryCountFromText(const std::string& text);
// Dithering for display is offered only on a 15- or 16-bit screen.
bool DitherChoiceApplies(int screenDepth);
// A gamma value as its fields show it ("%f") and as they are read back (atof: no number is 0).
std::string GammaText(double gamma);
double GammaFromText(const std::string& text);
