#include "records/list_choice.h"

#include <gtest/gtest.h>

TEST(ListChoice, EntriesAndClearingReadTheTitleByDifferentRules)
{
    EXPECT_EQ(listFileForEntries(listInfo(0).title), "date_n.dat");
    EXPECT_EQ(listFileForEntries(listInfo(1).title), "date_c.dat");
    EXPECT_EQ(listFileForEntries(listInfo(2).title), "date_d.dat");
    EXPECT_EQ(listFileForEntries(""), "date_d.dat");
    // A title naming both: opening prefers "最近", clearing prefers "收藏".
    EXPECT_EQ(listFileForEntries("最近收藏"), "date_n.dat");
    EXPECT_STREQ(listForClearing("最近收藏").recordFile, "date_c.dat");
    EXPECT_STREQ(listForClearing("玩过").recordFile, "date_n.dat");
    EXPECT_STREQ(listForClearing("").recordFile, "date_d.dat");
}

TEST(ListChoice, EntryNumbers)
{
    EXPECT_EQ(entryLineNumber("open://3", "open://"), 3);
    EXPECT_EQ(entryLineNumber("open://3/", "open://"), 3);
    EXPECT_FALSE(entryLineNumber("open://3//", "open://").has_value());
    EXPECT_EQ(entryLineNumber("delk://2/", "delk://"), 2);
    EXPECT_EQ(entryLineNumber("delk://1/2", "delk://"), 12); // every "/" of a delete link goes
    EXPECT_FALSE(entryLineNumber("open://x", "open://").has_value());
    EXPECT_FALSE(entryLineNumber("delk://", "delk://").has_value());
}
