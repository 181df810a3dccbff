#include "records/list_choice.h"

#include <gtest/gtest.h>

TEST(ListChoice, EachListHasItsRecordFileAndPage)
{
    EXPECT_STREQ(listInfo(ListKind::RecentlyPlayed).recordFile, "date_n.dat");
    EXPECT_STREQ(listInfo(ListKind::Favourites).recordFile, "date_c.dat");
    EXPECT_STREQ(listInfo(ListKind::Downloads).recordFile, "date_d.dat");
    EXPECT_STREQ(listInfo(ListKind::RecentlyPlayed).page, "n.htm");
    EXPECT_STREQ(listInfo(ListKind::Favourites).page, "c.htm");
    EXPECT_STREQ(listInfo(ListKind::Downloads).page, "d.htm");
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
