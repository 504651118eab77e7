#include "core/CommentItem.h"

#include "app/settings/SettingsStore.h"
#include "jpegtools/Charset.h"

CommentItem MakeCommentItem(const char* bytes, int charset, int length, const std::string& key) {
    const SettingsStore& settings = AppSettings();
    CommentItem item;
    item.key = key;
    item.charset =
        ChooseReadCharset(bytes, length, charset, settings.autoReadCharset, settings.readCharset);
    item.text = DecodeComment(bytes, length, item.charset);
    return item;
}

std::string CommentTextForWriting(const CommentItem& item, int charset) {
    const SettingsStore& settings = AppSettings();
    if (charset == kCharsetAuto)
        charset =
            ChooseWriteCharset(item.charset, settings.autoWriteCharset, settings.writeCharset);
    return FromShiftJis(item.text.c_str(), charset, -1);
}
