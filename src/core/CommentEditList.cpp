#include "core/CommentEditList.h"

#include <algorithm>

CommentEditList::CommentEditList(const std::vector<std::unique_ptr<const CommentItem>>& comments,
                                 const CommentItem* chosen) {
    items_.reserve(comments.size());
    int chosenIndex = 0;
    for (const auto& item : comments) {
        if (item.get() == chosen) chosenIndex = static_cast<int>(items_.size());
        items_.push_back(*item);
    }
    Select(chosenIndex);
}

const CommentItem* CommentEditList::CurrentItem() const {
    return current_ == kNone ? nullptr : &items_[static_cast<size_t>(current_)];
}

void CommentEditList::Select(int index) {
    current_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : kNone;
    newKeyword_ = false;
}

void CommentEditList::TypeKeyword(const std::optional<std::string>& key) {
    if (key) {
        auto match = std::find_if(items_.begin(), items_.end(),
                                  [&](const CommentItem& item) { return item.key == *key; });
        if (match != items_.end()) {
            Select(static_cast<int>(match - items_.begin()));
            return;
        }
    }
    current_ = kNone;
    newKeyword_ = !key || !key->empty();
}

void CommentEditList::SetCurrentText(const std::string& text) {
    if (current_ != kNone) items_[static_cast<size_t>(current_)].text = text;
}

void CommentEditList::Insert(CommentItem item) {
    items_.push_back(std::move(item));
    Select(static_cast<int>(items_.size()) - 1);
}

void CommentEditList::DeleteCurrent() {
    if (current_ == kNone) return;
    const int index = current_;
    items_.erase(items_.begin() + index);
    Select(index);
}
