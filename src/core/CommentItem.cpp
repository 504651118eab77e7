#include "core/CommentItem.h"

#include "jpegtools/Charset.h"
#include "settings/SettingsStore.h"

#include <cstring>

CommentItem MakeCommentItem(const char* bytes, int charset, int length, const std::string& key,
                            const CommentCharsets& readCharsets) {
    CommentItem item;
    item.key = key;
    item.charset =
        ChooseReadCharset(bytes, length, charset, readCharsets.autoCharset, readCharsets.charset);
    item.text = DecodeComment(bytes, length, item.charset);
    const std::string stored(bytes, length < 0 ? std::strlen(bytes) : static_cast<size_t>(length));
    if (FromShiftJis(item.text.c_str(), item.charset, -1) != stored) item.undecoded = stored;
    return item;
}

CommentItem MakeCommentItem(const char* bytes, int charset, int length, const std::string& key) {
    return MakeCommentItem(bytes, charset, length, key, ReadCharsetsOf(AppSettings()));
}

std::string CommentTextForWriting(const CommentItem& item, int charset,
                                  const CommentCharsets& writeCharsets) {
    if (charset == kCharsetAuto)
        charset =
            ChooseWriteCharset(item.charset, writeCharsets.autoCharset, writeCharsets.charset);
    return FromShiftJis(item.text.c_str(), charset, -1);
}

std::string CommentTextForWriting(const CommentItem& item, int charset) {
    return CommentTextForWriting(item, charset, WriteCharsetsOf(AppSettings()));
}

CommentCharsets ReadCharsetsOf(const SettingsStore& settings) {
    return {settings.autoReadCharset, settings.readCharset};
}

CommentCharsets WriteCharsetsOf(const SettingsStore& settings) {
    return {settings.autoWriteCharset, settings.writeCharset};
}
