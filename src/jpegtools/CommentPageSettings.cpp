#include "jpegtools/CommentPageSettings.h"

#include "jpegtools/DefaultComment.h"

void StoreCommentPage(SettingsStore& settings, const CommentPageValues& values) {
    settings.defaultCommentPath = values.defaultCommentPath;
    settings.defaultComment = values.defaultComment;
    LoadDefaultComment(settings, settings.defaultCommentPath);
    settings.autoReadCharset = values.autoReadCharset;
    if (values.readCharset >= 0) settings.readCharset = values.readCharset;
    settings.autoWriteCharset = values.autoWriteCharset;
    if (values.writeCharset >= 0) settings.writeCharset = values.writeCharset;
}
