#include "cli/CliOptions.h"

namespace {

// A short option that takes a value, which may be written right after it ("-j4").
constexpr const char* kShortWithValue = "-j";

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
