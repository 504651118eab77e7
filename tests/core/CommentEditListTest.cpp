#include "core/CommentEditList.h"

#include <gtest/gtest.h>

TEST(CommentEditList, StartsOnTheChosenRecordAndOffersOnlyNewKeywords) {
    std::vector<std::unique_ptr<const CommentItem>> list;
    list.push_back(std::make_unique<const CommentItem>(CommentItem{3, "Comment", "a"}));
    const CommentItem stranger;
    CommentEditList edit(list, &stranger); // not in the list: the first record
    EXPECT_EQ(edit.Current(), 0);
    edit.TypeKeyword(std::string());
    EXPECT_FALSE(edit.CanInsert() || edit.CanEdit() || edit.CanDelete());
    edit.TypeKeyword(std::nullopt); // a keyword Shift_JIS cannot hold is still new
    EXPECT_TRUE(edit.CanInsert());
    edit.TypeKeyword(std::string("Comment"));
    EXPECT_TRUE(edit.CanEdit() && !edit.CanInsert());
}
