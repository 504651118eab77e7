#pragma once
// A comment of an image file: its key ("Comment", "Author", ...), its text in Shift_JIS (the
// program's own code page) and the charset code it was stored in.
#include <string>

struct CommentItem {
    int charset = 0;
    std::string key;
    std::string text;
};

// Decodes raw comment bytes into an item. A code of -1 is decided by the read-charset settings
// (detected when AutoReadCharset is on); a length of -1 means up to the first zero byte.
CommentItem MakeCommentItem(const char* bytes, int charset, int length,
                            const std::string& key = "Comment");

// The item's text encoded for a file. A code of -1 is decided by the write-charset settings
// (the item's own code when AutoWriteCharset is on).
std::string CommentTextForWriting(const CommentItem& item, int charset);
