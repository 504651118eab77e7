#include "cli/CliOptions.h"

#include "cli/CliNumber.h"
#include "settings/SettingOverride.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// A short option that takes a value, which may be written right after it ("-j4").
constexpr const char* kShortWithValue = "-j";

// Sampling names onto the values of Param2.
constexpr std::pair<const char*, char> kSamplings[] = {
    {"gray", '0'}, {"grey", '0'},  {"B/W", '0'}, {"4:4:4", '1'}, {"1:1", '1'}, {"4:2:2", '2'},
    {"2:1", '2'},  {"4:2:0", '3'}, {"4:1", '3'}, {"4:4:0", '4'}, {"1:2", '4'},
};

// "Param2=3" for "4:2:0"; empty for a name it does not know.
std::string SamplingAssignment(const std::string& name) {
    const auto found = std::find_if(std::begin(kSamplings), std::end(kSamplings),
                                    [&](const auto& entry) { return name == entry.first; });
    return found == std::end(kSamplings) ? std::string() : std::string("Param2=") + found->second;
}

// The assignments the named options stand for; false after a usage message.
bool JpegAssignments(CliArgs& args, const std::string& command, std::vector<std::string>& out) {
    std::string quality, sampling;
    bool hasQuality = false, hasSampling = false;
    if (!TakeOption(args, "--quality", quality, hasQuality) ||
        !TakeOption(args, "--sampling", sampling, hasSampling))
        return false;
    int value = 0;
    if (hasQuality && !ParseNumber(quality, 0, 100, value)) {
        UsageError(command + ": --quality takes a number from 0 to 100");
        return false;
    }
    if (hasQuality) out.push_back("Param1=" + quality);
    if (hasSampling && SamplingAssignment(sampling).empty()) {
        UsageError(command + ": --sampling takes 4:4:4, 4:2:2, 4:2:0, 4:4:0 or gray");
        return false;
    }
    if (hasSampling) out.push_back(SamplingAssignment(sampling));
    if (TakeFlag(args, "--progressive")) out.push_back("Param3=1");
    if (TakeFlag(args, "--baseline")) out.push_back("Param3=0");
    return true;
}

} // namespace

CliArgs NormaliseOptions(const CliArgs& args) {
    CliArgs result;
    auto arg = args.begin();
    for (; arg != args.end() && *arg != "--"; ++arg) {
        const size_t equals = arg->find('=');
        if (arg->rfind("--", 0) == 0 && equals != std::string::npos) {
            result.push_back(arg->substr(0, equals));
            result.push_back(arg->substr(equals + 1));
        } else if (arg->size() > 2 && arg->rfind(kShortWithValue, 0) == 0) {
            result.push_back(kShortWithValue);
            result.push_back(arg->substr(2));
        } else {
            result.push_back(*arg);
        }
    }
    result.insert(result.end(), arg, args.end());
    return result;
}

bool TakeAnyFlag(CliArgs& args, std::initializer_list<const char*> names) {
    bool found = false;
    for (const char* name : names)
        while (TakeFlag(args, name))
            found = true;
    return found;
}

CliOutputMode& OutputMode() {
    static CliOutputMode mode;
    return mode;
}

void TakeOutputOptions(CliArgs& args) {
    if (TakeAnyFlag(args, {"-q", "--quiet"})) OutputMode().quiet = true;
    if (TakeAnyFlag(args, {"-v", "--verbose"})) OutputMode().verbose = true;
}

bool TakeJpegOptions(CliArgs& args, SettingsStore& settings, const std::string& command) {
    std::vector<std::string> assignments;
    if (!JpegAssignments(args, command, assignments)) return false;
    for (const std::string& assignment : assignments) {
        std::string error;
        if (!ApplySettingOverride(settings, assignment, error)) {
            UsageError(command + ": " + error);
            return false;
        }
    }
    return true;
}
