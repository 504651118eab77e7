#include "cli/CliMessages.h"

#include "base/StringTable.h"

#include <cstdlib>
#include <regex>
#include <vector>

namespace {

// One message in both languages. Placeholders (%s, %d, %ld, %04X) stand for what the message
// carries; both texts have the same ones in the same order.
struct MessagePair {
    std::string japanese;
    std::string english;
};

std::vector<MessagePair> LibraryMessages() {
    const auto id = [](StringId text) { return LoadString(text); };
    return {
        {id(StringId::FilesProcessed), "%d files processed"},
        {id(StringId::BytesSaved), " (%ld bytes saved)"},
        {id(StringId::FilesFailed), "%d of them failed"},
        {id(StringId::FoldersFailed), "%d folders could not be processed"},
        {id(StringId::SeeLog), " (log: %s)"},
        {id(StringId::LogNotWritten), "Cannot write the log file"},
        {id(StringId::MoreFailures), "and %d more"},
        {id(StringId::NoDestinationFolder), "The destination folder does not exist"},
        {id(StringId::CannotOpen), "Cannot open the file"},
        {id(StringId::NoMemory), "Out of memory"},
        {id(StringId::NoBitmap), "Cannot make the bitmap"},
        {id(StringId::NoDib), "Cannot make the DIB"},
        {id(StringId::NoTempFile), "Cannot make a temporary file"},
        {id(StringId::TempCopyFailed), "The temporary file could not be copied; it was left in "
                                       "the temporary folder:"},
        {id(StringId::NoSourceFolder), "The source folder does not exist"},
        {id(StringId::NoDocument), "Cannot make the document"},
        {id(StringId::NoLogFile), "Cannot make the log file"},
        {id(StringId::UnsupportedTiff), "This kind of TIFF file is not supported"},
        {id(StringId::NotShiftJis),
         "The character \"%s\" (U+%04X) has no Shift_JIS code and cannot be used in a comment"},
        {"ヘッダの画像サイズが不正です", "The image size in the header is invalid"},
        {"データファイルが短すぎます", "The data file is too short"},
        {"この形式のファイルにはまだ対応していません", "This file format is not supported yet"},
        {"この形式のファイルには対応していません", "This file format is not supported"},
        {"文字コードを判別できないため、コメントに読み込めません",
         "The file's character code cannot be told, so it cannot be read as a comment"},
        {"ファイルは書き込めますが、フォルダ %s に一時ファイルを作成できません (%s)",
         "The file is writable, but no temporary file can be made in the folder %s (%s)"},
    };
}

// The command line's own messages and those of the library that are English.
std::vector<MessagePair> CommandLineMessages() {
    return {
        {"開けません", "Cannot open"},
        {"書き込めません", "Cannot write"},
        {"フォルダーを作成できません", "Cannot make the folder"},
        {"フォルダーを読めません", "Cannot read the folder"},
        {"リサイズできません", "Cannot resize"},
        {"変換できませんでした", "Convert failed."},
        {"Exif データがありません", "No Exif data"},
        {"中断しました", "Interrupted"},
        {"tolmena-cli: %s。'tolmena-cli --help' を参照してください",
         "tolmena-cli: %s; try 'tolmena-cli --help'"},
        {"%s: FILE を 1 つ以上指定してください", "%s: give at least one FILE"},
        {"%s: FILE を 1 つだけ指定してください", "%s: give exactly one FILE"},
        {"%s: IN と OUT を指定してください", "%s: give IN and OUT"},
        {"%s: IN と OUTBASE を指定してください", "%s: give IN and OUTBASE"},
        {"%s: IN、OUT、WIDTHxHEIGHT を指定してください", "%s: give IN, OUT and WIDTHxHEIGHT"},
        {"%s: SRC と DST を指定してください", "%s: give SRC and DST"},
        {"%s: 余分な引数 '%s' があります", "%s: unexpected argument '%s'"},
        {"%s: 不明なオプション '%s' です", "%s: unknown option '%s'"},
        {"不明なオプション '%s' です", "unknown option '%s'"},
        {"%s には値が必要です", "%s needs a value"},
        {"%s: --log にはファイル名が必要です", "%s: --log needs a file name"},
        {"%s には 1 から %d までのファイル数を指定してください",
         "%s takes a number of files from 1 to %d"},
        {"%s: --quality と --load は同時に指定できません",
         "%s: --quality and --load exclude each other"},
        {"%s: --quality には 0 から 100 までの数を指定してください",
         "%s: --quality takes a number from 0 to 100"},
        {"%s: --sampling には 4:4:4、4:2:2、4:2:0、4:4:0、gray のいずれかを指定してください",
         "%s: --sampling takes 4:4:4, 4:2:2, 4:2:0, 4:4:0 or gray"},
        {"%s: --section には default、bulkconv、bulkfilter のいずれかを指定してください",
         "%s: --section takes default, bulkconv or bulkfilter"},
        {"%s: %s には %s から %s までの数を指定してください",
         "%s: %s takes a number from %s to %s"},
        {"%s: SRC と DST が同じフォルダーです。そのファイルを書き換えるには --in-place を指定して"
         "ください",
         "%s: SRC and DST are one folder; --in-place rewrites its files"},
        {"%s: OUT は IN と同じファイルです。置き換えるには --in-place を指定してください",
         "%s: OUT is the file IN; give --in-place to replace it"},
        {"%s: IN の '-' は標準入力を読みますが、標準入力は端末です",
         "%s: IN '-' reads standard input, which is a terminal"},
        {"%s: OUT の '-' はバイナリデータを端末に書き出します",
         "%s: OUT '-' would write binary data to a terminal"},
        {"%s: 不明な文字コード %s です", "%s: unknown charset %s"},
        {"%s: サイズは WIDTHxHEIGHT の形で、それぞれ 1 以上です (例: 640x480)",
         "%s: the size is written WIDTHxHEIGHT, each from 1 up, e.g. 640x480"},
        {"コマンドが指定されていません", "no command given"},
        {"不明なコマンド '%s' です", "unknown command '%s'"},
        {"--profile: プロファイル '%s' がありません", "--profile: no profile file '%s'"},
        {"不明な設定 '%s' です", "unknown setting '%s'"},
        {"--set には KEY=VALUE の形で指定してください ('%s' は違います)",
         "--set takes KEY=VALUE, not '%s'"},
        {"--set %s には %s を指定してください ('%s' は違います)", "--set %s takes %s, not '%s'"},
    };
}

// A message as a pattern: its placeholders capture what a text carries in their place.
struct MessagePattern {
    std::regex pattern;
    std::string into; // the other language's text, with the same placeholders
};

const std::regex& Placeholder() {
    static const std::regex placeholder("%(s|d|ld|04X)");
    return placeholder;
}

std::string Escaped(const std::string& literal) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    return std::regex_replace(literal, special, "\\$&");
}

// "%d files (%s)" -> "(-?[0-9]+) files \((.*)\)": literal parts escaped, placeholders captured.
std::string PatternOf(const std::string& message) {
    std::string pattern;
    auto literalStart = message.cbegin();
    for (std::sregex_iterator at(message.begin(), message.end(), Placeholder()), end; at != end;
         ++at) {
        pattern += Escaped(std::string(literalStart, (*at)[0].first));
        const std::string kind = (*at)[1];
        pattern += kind == "s" ? "(.*)" : kind == "04X" ? "([0-9A-F]+)" : "(-?[0-9]+)";
        literalStart = (*at)[0].second;
    }
    return pattern + Escaped(std::string(literalStart, message.cend()));
}

std::vector<MessagePattern> PatternsInto(CliLanguage language) {
    std::vector<MessagePair> pairs = LibraryMessages();
    for (MessagePair& pair : CommandLineMessages())
        pairs.push_back(std::move(pair));
    std::vector<MessagePattern> patterns;
    for (const MessagePair& pair : pairs) {
        const bool intoEnglish = language == CliLanguage::English;
        const std::string& from = intoEnglish ? pair.japanese : pair.english;
        const std::string& into = intoEnglish ? pair.english : pair.japanese;
        patterns.push_back({std::regex(PatternOf(from)), into});
    }
    return patterns;
}

const std::vector<MessagePattern>& Patterns(CliLanguage language) {
    static const std::vector<MessagePattern> intoJapanese = PatternsInto(CliLanguage::Japanese);
    static const std::vector<MessagePattern> intoEnglish = PatternsInto(CliLanguage::English);
    return language == CliLanguage::English ? intoEnglish : intoJapanese;
}

// The earliest message of the table in text[from...], the longest of those starting there.
bool FindMessage(const std::string& text, size_t from, const std::vector<MessagePattern>& patterns,
                 std::smatch& found, const MessagePattern*& which) {
    which = nullptr;
    for (const MessagePattern& candidate : patterns) {
        std::smatch match;
        if (!std::regex_search(text.begin() + static_cast<long>(from), text.end(), match,
                               candidate.pattern) ||
            match.length(0) == 0)
            continue;
        const bool earlier = !which || match.position(0) < found.position(0);
        const bool longer =
            which && match.position(0) == found.position(0) && match.length(0) > found.length(0);
        if (earlier || longer) {
            found = match;
            which = &candidate;
        }
    }
    return which != nullptr;
}

// The message in the other language, with what the text carried (itself translated, since a
// usage message carries another message) in place of each placeholder.
std::string Translated(const MessagePattern& message, const std::smatch& found,
                       CliLanguage language) {
    std::string result;
    size_t group = 0;
    auto literalStart = message.into.cbegin();
    for (std::sregex_iterator at(message.into.begin(), message.into.end(), Placeholder()), end;
         at != end; ++at) {
        result += std::string(literalStart, (*at)[0].first);
        result += Localized(found.str(++group), language);
        literalStart = (*at)[0].second;
    }
    return result + std::string(literalStart, message.into.cend());
}

} // namespace

CliLanguage LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value)
            return std::string(value).rfind("ja", 0) == 0 ? CliLanguage::Japanese
                                                          : CliLanguage::English;
    return CliLanguage::English;
}

CliLanguage CliMessageLanguage() {
    static const CliLanguage language =
        LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return language;
}

std::string Localized(const std::string& text, CliLanguage language) {
    const std::vector<MessagePattern>& patterns = Patterns(language);
    std::string result;
    size_t from = 0;
    std::smatch found;
    const MessagePattern* which = nullptr;
    while (from < text.size() && FindMessage(text, from, patterns, found, which)) {
        result += text.substr(from, static_cast<size_t>(found.position(0)));
        result += Translated(*which, found, language);
        from += static_cast<size_t>(found.position(0) + found.length(0));
    }
    return result + text.substr(from);
}

std::string Localized(const std::string& text) {
    return Localized(text, CliMessageLanguage());
}

std::string InterruptedNote() {
    return Localized("Interrupted");
}
