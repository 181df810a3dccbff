#include "download/size_text.h"

#include <gtest/gtest.h>

TEST(SizeText, EachUnitFromItsFirstByte)
{
    EXPECT_EQ(SizeText(0), "0b");
    EXPECT_EQ(SizeText(500), "500b");
    EXPECT_EQ(SizeText(1023), "1023b");
    EXPECT_EQ(SizeText(1024), "1k");
    EXPECT_EQ(SizeText(2048), "2k");
    EXPECT_EQ(SizeText(1048575), "1023k"); // kilobytes are truncated
    EXPECT_EQ(SizeText(1048576), "1M");
    EXPECT_EQ(SizeText(536870911), "512M"); // 511.999 rounds up, still in megabytes
    EXPECT_EQ(SizeText(536870912), "0.5G");
}

TEST(SizeText, OneDecimalWithoutATrailingZero)
{
    EXPECT_EQ(SizeText(1572864), "1.5M");
    EXPECT_EQ(SizeText(2097152), "2M");
    EXPECT_EQ(SizeText(10 * 1048576 + 30 * 1024), "10M"); // 10.03 → "10.0" → "10"
    EXPECT_EQ(SizeText(600LL * 1048576), "0.6G");
    EXPECT_EQ(SizeText(1073741824), "1G");
}

TEST(SizeText, CountsPastTwoGigabytesAndThousandsOfGigabytes)
{
    EXPECT_EQ(SizeText(5427LL * 1048576), "5.3G"); // 5.2998 rounds to one place
    EXPECT_EQ(SizeText(2048LL * 1073741824), "2,048G");
    EXPECT_EQ(SizeText(1500LL * 1073741824 + 1073741824 / 2), "1,500.5G");
}
