#include "base/HelpTopics.h"

#include <algorithm>
#include <array>

namespace {

struct HelpTopic {
    int context;
    const char* page;
};

constexpr std::array kTopics{
    HelpTopic{kHelpContents, "index.html"},    HelpTopic{1301, "settings-general.html"},
    HelpTopic{1302, "settings-comment.html"},  HelpTopic{1303, "settings-jpeg.html"},
    HelpTopic{1304, "settings-png.html"},      HelpTopic{1310, "comment-editor.html"},
    HelpTopic{1311, "png-save.html"},          HelpTopic{1312, "gamma.html"},
    HelpTopic{1510, "custom-dqt.html"},        HelpTopic{1700, "batch-convert.html"},
    HelpTopic{1800, "batch-filter.html"},      HelpTopic{1802, "batch-filter.html#appn"},
    HelpTopic{1803, "batch-filter.html#exif"}, HelpTopic{1900, "marker-inspector.html"},
};

std::string_view TrimLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    return line;
}

} // namespace

std::string HelpPageOf(int context) {
    const auto* topic = std::find_if(kTopics.begin(), kTopics.end(), [context](const HelpTopic& t) {
        return t.context == context;
    });
    return topic == kTopics.end() ? kTopics.front().page : topic->page;
}

std::vector<int> HelpContexts() {
    std::vector<int> contexts;
    for (const HelpTopic& topic : kTopics)
        contexts.push_back(topic.context);
    return contexts;
}

std::vector<HelpEntry> ParseHelpList(std::string_view text) {
    std::vector<HelpEntry> entries;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = TrimLineEnd(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const size_t indent = line.find_first_not_of(' ');
        const size_t tab = line.find('\t');
        if (indent == std::string_view::npos || tab == std::string_view::npos || tab <= indent)
            continue;
        entries.push_back({static_cast<int>(indent / 2),
                           std::string(line.substr(indent, tab - indent)),
                           std::string(line.substr(tab + 1))});
    }
    return entries;
}
