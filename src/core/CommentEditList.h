#pragma once
// The comment editor's working state: its own copy of a document's comment list, the record
// being edited, and the rules that enable editing, "Ins" and "Del". Keys and texts are
// Shift_JIS, as the document holds them; the document's list changes only when the caller
// hands Items() back to it.
#include "core/CommentItem.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CommentEditList {
public:
    static constexpr int kNone = -1;

    // Copies the list; the copy of `chosen` becomes current, or the first record when `chosen`
    // is none or not in the list.
    CommentEditList(const std::vector<std::unique_ptr<const CommentItem>>& comments,
                    const CommentItem* chosen);

    const std::vector<CommentItem>& Items() const { return items_; }
    // The index of the record being edited, or kNone.
    int Current() const { return current_; }
    const CommentItem* CurrentItem() const;

    // A keyword chosen from the list; an index without a record leaves none current.
    void Select(int index);
    // A keyword typed into the field: an exact match selects that record, anything else leaves
    // none current. std::nullopt stands for a keyword Shift_JIS cannot hold (new, not empty).
    void TypeKeyword(const std::optional<std::string>& key);

    bool CanEdit() const { return current_ != kNone; }
    bool CanDelete() const { return current_ != kNone; }
    // Only a new, non-empty keyword can be inserted.
    bool CanInsert() const { return current_ == kNone && newKeyword_; }

    void SetCurrentText(const std::string& text);
    // Appends a record and makes it current.
    void Insert(CommentItem item);
    // Deletes the current record; the one that followed it (if any) becomes current.
    void DeleteCurrent();

private:
    std::vector<CommentItem> items_;
    int current_ = kNone;
    bool newKeyword_ = false;
};
