#pragma once
// The language of what tolmena-cli tells its user on stderr (failures, usage errors, progress)
// and of its summaries: Japanese under a "ja" locale, English otherwise. The library, the log and
// the files written keep their own texts; the command line translates at the point it prints,
// through one table of the program's messages in both languages. Text the table does not hold (a
// codec's message, a path, a number) passes unchanged.
#include <string>

enum class CliLanguage { Japanese, English };

// The language of the messages locale: LC_ALL, else LC_MESSAGES, else LANG, as POSIX orders
// them; Japanese when it names "ja", English otherwise (unset, "C", "POSIX", other languages).
CliLanguage LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The language of this process's environment, read once.
CliLanguage CliMessageLanguage();

// The text with every message of the table it holds, whole or as a part, in the language; the
// numbers and names inside a message are carried over.
std::string Localized(const std::string& text, CliLanguage language);
std::string Localized(const std::string& text);

// "Interrupted": the first words of the summary of a run that Ctrl+C ended.
std::string InterruptedNote();
