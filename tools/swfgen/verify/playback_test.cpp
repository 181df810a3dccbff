// Plays the written movies in the real target engine: Ruffle in Qt WebEngine, served over
// loopback http, and reads the results from screen pixels.
#include <QApplication>
#include <QImage>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest/QTest>

#include <httplib.h>
#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace {

// Serves the check page, Ruffle and the written games on a free loopback port.
class PlaybackServer {
public:
    PlaybackServer()
    {
        server_.set_mount_point("/ruffle", SWFGEN_RUFFLE_DIR);
        server_.set_mount_point("/games", SWFGEN_GAMES_DIR);
        server_.set_mount_point("/", SWFGEN_VERIFY_DIR);
        // The browser keeps several connections open; each holds a worker while it idles.
        server_.new_task_queue = [] { return new httplib::ThreadPool(16); };
        server_.set_file_extension_and_mimetype_mapping("wasm", "application/wasm");
        server_.set_file_extension_and_mimetype_mapping("swf", "application/x-shockwave-flash");
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~PlaybackServer()
    {
        server_.stop();
        thread_.join();
    }
    int port() const { return port_; }

private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = -1;
};

// Keeps the page's console lines and grants full-screen requests.
class ProbePage : public QWebEnginePage {
public:
    explicit ProbePage(QWebEngineProfile* profile) : QWebEnginePage(profile)
    {
        connect(this, &QWebEnginePage::fullScreenRequested, this, [this](QWebEngineFullScreenRequest request) {
            ++fullScreenRequests;
            request.accept();
        });
    }
    QStringList console;
    int fullScreenRequests = 0;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override
    {
        console << message;
    }
};

bool near(const QColor& a, QRgb b)
{
    const QColor c(b);
    return std::abs(a.red() - c.red()) <= 8 && std::abs(a.green() - c.green()) <= 8 && std::abs(a.blue() - c.blue()) <= 8;
}

class Playback : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new PlaybackServer; }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override
    {
        // A fresh, memory-only profile per test: saved data starts empty and lasts the test.
        profile_ = std::make_unique<QWebEngineProfile>();
        page_ = new ProbePage(profile_.get());
        page_->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
        page_->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        view_ = std::make_unique<QWebEngineView>();
        view_->setPage(page_);
        view_->resize(520, 400);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    }

    void TearDown() override
    {
        view_.reset();
        delete page_;
        profile_.reset();
    }

    // Loads the movie at its stage size in the top left corner of the view.
    void play(const QString& file, int width, int height)
    {
        bool finished = false;
        auto connection = QObject::connect(page_, &QWebEnginePage::loadFinished, [&](bool ok) { finished = ok; });
        page_->load(QUrl(QStringLiteral("http://127.0.0.1:%1/player.html?file=%2&w=%3&h=%4")
                             .arg(server_->port()).arg(file).arg(width).arg(height)));
        ASSERT_TRUE(until([&] { return finished; }, 20000)) << file.toStdString();
        QObject::disconnect(connection);
    }

    QImage shot() { return view_->grab().toImage(); }

    // Polls a condition every 100 ms; grabbing the view more often slows the page down.
    template <typename Condition>
    static bool until(Condition condition, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            if (clock.elapsed() > timeoutMs)
                return false;
            QTest::qWait(100);
        }
        return true;
    }
    QColor pixel(int x, int y) { return shot().pixelColor(x, y); }

    // Waits until the pixel shows the colour, as the movie needs a moment to start.
    bool waitForColour(int x, int y, QRgb colour, int timeoutMs = 15000)
    {
        return until([&] { return near(pixel(x, y), colour); }, timeoutMs);
    }

    void clickAt(int x, int y)
    {
        QTest::mouseClick(view_->focusProxy(), Qt::LeftButton, {}, QPoint(x, y));
    }
    void tapKey(Qt::Key key)
    {
        QTest::keyPress(view_->focusProxy(), key);
        QTest::qWait(100);
        QTest::keyRelease(view_->focusProxy(), key);
    }

    static PlaybackServer* server_;
    std::unique_ptr<QWebEngineProfile> profile_;
    ProbePage* page_ = nullptr;
    std::unique_ptr<QWebEngineView> view_;
};

PlaybackServer* Playback::server_ = nullptr;

// Centre of the pixels of one colour in an area, or (-1, -1) when there are none.
QPoint centreOf(const QImage& image, QRgb colour, const QRect& area)
{
    long sx = 0, sy = 0, n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (near(image.pixelColor(x, y), colour)) {
                sx += x;
                sy += y;
                ++n;
            }
    return n == 0 ? QPoint(-1, -1) : QPoint(int(sx / n), int(sy / n));
}

TEST_F(Playback, SolidFixtureFillsTheStageRed)
{
    play("test-solid.swf", 400, 300);
    ASSERT_TRUE(waitForColour(200, 150, 0xFF0000));
    const QImage image = shot();
    for (const QPoint p : {QPoint(2, 2), QPoint(397, 2), QPoint(2, 297), QPoint(397, 297)})
        EXPECT_TRUE(near(image.pixelColor(p), 0xFF0000)) << p.x() << "," << p.y();
    // Outside the stage is the page.
    EXPECT_TRUE(near(image.pixelColor(450, 350), 0x303030));
}

TEST_F(Playback, AnimatedFixtureChangesFromShotToShot)
{
    play("test-anim.swf", 400, 300);
    ASSERT_TRUE(until([&] { return !near(pixel(5, 5), 0x303030) && !near(pixel(5, 5), 0x000000); }, 15000));
    const QColor first = pixel(5, 5);
    QTest::qWait(400);
    EXPECT_NE(pixel(5, 5), first);
}

TEST_F(Playback, SavesFixtureCountsItsStartsInTheSharedObject)
{
    for (QRgb expected : {0xFF0000u, 0x00FF00u, 0x0000FFu}) {
        play("test-saves.swf", 400, 300);
        EXPECT_TRUE(waitForColour(200, 100, expected)) << std::hex << expected;
    }
    // Three starts: three bars along the bottom, the fourth place empty.
    const QImage image = shot();
    EXPECT_TRUE(near(image.pixelColor(20 + 2 * 36 + 12, 260), 0xFFFFFF));
    EXPECT_TRUE(near(image.pixelColor(20 + 3 * 36 + 12, 260), 0x0000FF));
}

TEST_F(Playback, KeysFixtureTurnsWhiteOnTheFirstKeyPress)
{
    play("test-keys.swf", 400, 300);
    ASSERT_TRUE(waitForColour(200, 150, 0x000000));
    // The player takes keys once it has the focus; a click gives it.
    clickAt(200, 150);
    QTest::qWait(300);
    EXPECT_TRUE(near(pixel(200, 150), 0x000000)) << "a click is not a key";
    tapKey(Qt::Key_Space);
    EXPECT_TRUE(waitForColour(200, 150, 0xFFFFFF, 5000));
}

TEST_F(Playback, SoundFixtureSendsA440HertzToneToTheSpeakers)
{
    play("test-sound.swf", 400, 300);
    const QRegularExpression line(QStringLiteral("^AUDIO rms=([0-9.]+) hz=([0-9]+)$"));
    double rms = 0, hz = 0;
    const bool heard = until([&] {
        for (const QString& message : page_->console) {
            const auto m = line.match(message);
            if (m.hasMatch() && m.captured(1).toDouble() > 0.2) {
                rms = m.captured(1).toDouble();
                hz = m.captured(2).toDouble();
                return true;
            }
        }
        return false;
    }, 15000);
    ASSERT_TRUE(heard) << page_->console.join('\n').toStdString();
    EXPECT_NEAR(rms, 0.354, 0.05);   // a sine at half scale
    EXPECT_NEAR(hz, 440, 25);        // within a bin or two of the analyser
}

TEST_F(Playback, FullscreenFixtureShowsTheDisplayState)
{
    play("test-fullscreen.swf", 400, 300);
    ASSERT_TRUE(waitForColour(200, 150, 0x808080));
    clickAt(200, 150);
    EXPECT_TRUE(until([&] { return page_->fullScreenRequests == 1; }, 5000));
    EXPECT_TRUE(waitForColour(20, 20, 0x00C000, 5000));
}

TEST_F(Playback, GamesMoveWithoutInput)
{
    // The catch game's balls fall; the snake crawls on.
    const std::pair<const char*, QRgb> games[] = {{"1001.swf", 0x87CEEB}, {"1004.swf", 0xDCEDC8}};
    for (const auto& [file, background] : games) {
        SCOPED_TRACE(file);
        play(file, 480, 360);
        ASSERT_TRUE(waitForColour(470, 300, background));
        const QImage before = shot();
        EXPECT_TRUE(until([&] { return shot() != before; }, 5000));
    }
}

TEST_F(Playback, DodgeShipFollowsTheArrowKeys)
{
    constexpr QRgb ship = 0x66BB6A;
    play("1002.swf", 480, 360);
    ASSERT_TRUE(waitForColour(240, 320, ship));
    clickAt(240, 200);
    QTest::keyPress(view_->focusProxy(), Qt::Key_Left);
    QTest::qWait(700);
    QTest::keyRelease(view_->focusProxy(), Qt::Key_Left);
    const QPoint centre = centreOf(shot(), ship, QRect(0, 290, 480, 40));
    ASSERT_NE(centre.x(), -1) << "ship not seen (it may have crashed into a block)";
    EXPECT_LT(centre.x(), 200);
}

TEST_F(Playback, TargetJumpsWhenHit)
{
    constexpr QRgb red = 0xD32F2F;
    play("1003.swf", 480, 360);
    ASSERT_TRUE(waitForColour(5, 200, 0xFFF4D6));
    const QRect field(0, 40, 480, 320);
    const QPoint target = centreOf(shot(), red, field);
    ASSERT_NE(target.x(), -1);
    clickAt(target.x(), target.y());
    QTest::qWait(150);
    const QPoint after = centreOf(shot(), red, field);
    EXPECT_GT((after - target).manhattanLength(), 5);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
