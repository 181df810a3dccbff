// The test portal's fault routes, fetched over loopback as a download would.
#include "http_fetch.h"
#include "portal_process.h"

#include <gtest/gtest.h>

#include <memory>

class PortalFaults : public ::testing::Test {
protected:
    static void SetUpTestSuite() { portal_ = std::make_unique<PortalProcess>(); }
    static void TearDownTestSuite() { portal_.reset(); }
    static int port() { return portal_->port(); }

    static std::unique_ptr<PortalProcess> portal_;
};
std::unique_ptr<PortalProcess> PortalFaults::portal_;

TEST_F(PortalFaults, BytesAreThePatternWithTheirLength)
{
    // More than one write's worth, and not a multiple of the pattern's period.
    const std::size_t size = 200003;
    const Fetched got = fetch(port(), "/test/bytes?size=200003");
    EXPECT_EQ(got.error, httplib::Error::Success);
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.header("Content-Length"), "200003");
    EXPECT_EQ(got.header("Content-Type"), "application/octet-stream");
    EXPECT_EQ(got.body, patternBytes(size));
}

TEST_F(PortalFaults, ChunkedBytesAnnounceNoLength)
{
    const Fetched got = fetch(port(), "/test/bytes?size=70000&chunked=1");
    EXPECT_EQ(got.error, httplib::Error::Success);
    EXPECT_FALSE(got.hasHeader("Content-Length"));
    EXPECT_EQ(got.header("Transfer-Encoding"), "chunked");
    EXPECT_EQ(got.body, patternBytes(70000));
}

TEST_F(PortalFaults, RangeStartsThePatternAtItsOffset)
{
    // A resumed download asks for the rest; the bytes must line up with the whole file.
    const Fetched got = fetch(port(), "/test/bytes?size=1000", {{"Range", "bytes=300-"}});
    EXPECT_EQ(got.status, 206);
    EXPECT_EQ(got.body, patternBytes(1000).substr(300));
}

TEST_F(PortalFaults, ZeroIsAnEmptySuccess)
{
    const Fetched got = fetch(port(), "/test/zero");
    EXPECT_EQ(got.error, httplib::Error::Success);
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.header("Content-Length"), "0");
    EXPECT_TRUE(got.body.empty());
}

TEST_F(PortalFaults, RedirectPointsAtThisServer)
{
    const Fetched got = fetch(port(), "/test/redirect?to=/files/renamed.swf");
    EXPECT_EQ(got.status, 302);
    EXPECT_EQ(got.header("Location"), "http://127.0.0.1:" + std::to_string(port()) + "/files/renamed.swf");

    const Fetched target = fetch(port(), "/files/renamed.swf");
    EXPECT_EQ(target.header("Content-Type"), "application/x-shockwave-flash");
    EXPECT_EQ(target.body, patternBytes(4096));
    EXPECT_EQ(fetch(port(), "/files/renamed.swf?size=10").body, patternBytes(10));
}

TEST_F(PortalFaults, RedirectRefusesOtherServers)
{
    EXPECT_EQ(fetch(port(), "/test/redirect?to=//elsewhere/x.swf").status, 400);
    EXPECT_EQ(fetch(port(), "/test/redirect?to=http://elsewhere/x.swf").status, 400);
    EXPECT_EQ(fetch(port(), "/test/redirect").status, 400);
}

TEST_F(PortalFaults, AbortCutsTheConnectionAfterThePrefix)
{
    const Fetched got = fetch(port(), "/test/abort?size=100000&after=5000");
    EXPECT_EQ(got.header("Content-Length"), "100000");
    EXPECT_EQ(got.error, httplib::Error::Read);
    EXPECT_EQ(got.body, patternBytes(5000));
    EXPECT_LT(got.seconds, 1.0) << "the connection was not cut but left open";
}

TEST_F(PortalFaults, AbortBeforeAnyByte)
{
    const Fetched got = fetch(port(), "/test/abort?size=10&after=0");
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.error, httplib::Error::Read);
    EXPECT_TRUE(got.body.empty());
}

TEST_F(PortalFaults, StallSendsThePrefixThenNothing)
{
    const Fetched got = fetch(port(), "/test/stall?size=100000&after=3000", {}, 1500);
    EXPECT_EQ(got.header("Content-Length"), "100000");
    EXPECT_EQ(got.body, patternBytes(3000));
    // Only the client's own time-out ends it: the connection stays open and silent.
    EXPECT_EQ(got.error, httplib::Error::Read);
    EXPECT_GE(got.seconds, 1.4);
}

TEST_F(PortalFaults, StalledClientThatLeavesFreesTheServer)
{
    // Far more stalls than the server has workers: each must be let go when its client
    // leaves, or the last request would wait forever.
    for (int i = 0; i < 40; ++i)
        fetch(port(), "/test/stall?size=10&after=1", {}, 10);
    const Fetched got = fetch(port(), "/test/zero", {}, 3000);
    EXPECT_EQ(got.error, httplib::Error::Success);
}

TEST_F(PortalFaults, SlowSendsAllBytesSpreadOverTime)
{
    // 5 pieces of at most 4096 bytes, 150 ms apart: at least 4 gaps.
    const Fetched got = fetch(port(), "/test/slow?size=20000&ms=150");
    EXPECT_EQ(got.error, httplib::Error::Success);
    EXPECT_EQ(got.body, patternBytes(20000));
    EXPECT_GE(got.seconds, 0.55);
    EXPECT_LT(got.seconds, 3.0);
}

TEST_F(PortalFaults, StatusAnswersWithThatCode)
{
    const Fetched notFound = fetch(port(), "/test/status?code=404");
    EXPECT_EQ(notFound.status, 404);
    EXPECT_FALSE(notFound.body.empty());
    EXPECT_EQ(fetch(port(), "/test/status?code=503").status, 503);
    EXPECT_EQ(fetch(port(), "/test/status?code=99").status, 400);
}

TEST_F(PortalFaults, MalformedSizesAreRefused)
{
    for (const char *target : {"/test/bytes", "/test/bytes?size=-1", "/test/bytes?size=12x",
                               "/test/abort?size=10&after=10", "/test/stall?size=10&after=x", "/test/slow?size=10"})
        EXPECT_EQ(fetch(port(), target).status, 400) << target;
}
