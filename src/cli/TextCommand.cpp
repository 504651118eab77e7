// text [--from CODE] [--to CODE] [--detect] FILE: detects a file's charset or converts it.
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "jpegtools/Charset.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kMaxTextFile = 16 << 20;

// A charset given as a code (0-6) or a name of the charset table.
bool ParseCharset(const std::string& text, int& code) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0') {
        if (value < 0 || value > 6 || !CharsetName(static_cast<int>(value))) return false;
        code = static_cast<int>(value);
        return true;
    }
    code = CharsetFromName(text);
    return code >= 0;
}

} // namespace

int RunTextCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    std::string fromText, toText;
    bool hasFrom = false, hasTo = false;
    if (!TakeOption(args, "--from", fromText, hasFrom) || !TakeOption(args, "--to", toText, hasTo))
        return kExitUsage;
    bool detect = TakeFlag(args, "--detect");
    if (!FinishOptions(args, "text")) return kExitUsage;
    if (args.size() != 1) return UsageError("text: give exactly one FILE");

    int from = kCharsetAuto, to = kCharsetUtf8;
    if (hasFrom && !ParseCharset(fromText, from))
        return UsageError("text: unknown charset " + fromText);
    if (hasTo && !ParseCharset(toText, to)) return UsageError("text: unknown charset " + toText);

    std::string bytes;
    if (!ReadWholeFile(args[0], bytes, kMaxTextFile)) {
        ReportCliFailure(args[0], "text:Cannot open", errno);
        return kExitFailed;
    }
    const int length = static_cast<int>(bytes.size());
    if (detect) {
        int code = DetectCharset(bytes.data(), length);
        std::printf("%d %s\n", code, CharsetName(code));
        return kExitOk;
    }
    if (!hasFrom)
        from = ChooseReadCharset(bytes.data(), length, kCharsetAuto, settings.autoReadCharset,
                                 settings.readCharset);
    std::string sjis = DecodeComment(bytes.data(), length, from);
    std::string out = FromShiftJis(sjis.data(), to, static_cast<int>(sjis.size()));
    std::fwrite(out.data(), 1, out.size(), stdout);
    return kExitOk;
}
