#pragma once
// A comment of an image file: its key ("Comment", "Author", ...), its text in Shift_JIS (the
// program's own code page) and the charset code it was stored in.
#include <string>

struct SettingsStore;

struct CommentItem {
    int charset = 0;
    std::string key;
    std::string text;
    // The bytes as stored, kept when `text` in `charset` does not give them back exactly.
    std::string undecoded = {};
};

// The charset settings a comment is read or written with.
struct CommentCharsets {
    int autoCharset = 0; // AutoReadCharset / AutoWriteCharset
    int charset = 3;     // ReadCharset / WriteCharset
};

// Decodes raw comment bytes into an item. A code of -1 is decided by the read charsets
// (detected when the automatic choice is on); a length of -1 means up to the first zero byte.
CommentItem MakeCommentItem(const char* bytes, int charset, int length, const std::string& key,
                            const CommentCharsets& readCharsets);
// The same with the read charsets of the settings.
CommentItem MakeCommentItem(const char* bytes, int charset, int length,
                            const std::string& key = "Comment");

// The item's text encoded for a file. A code of -1 is decided by the write charsets (the
// item's own code when the automatic choice is on).
std::string CommentTextForWriting(const CommentItem& item, int charset,
                                  const CommentCharsets& writeCharsets);
// The same with the write charsets of the settings.
std::string CommentTextForWriting(const CommentItem& item, int charset);

// The read and the write charsets of the settings.
CommentCharsets ReadCharsetsOf(const SettingsStore& settings);
CommentCharsets WriteCharsetsOf(const SettingsStore& settings);
