// Everything swfgen writes: each movie well framed and playable by an AVM1 player, the
// manifest matching the games.
#include "catalogue.h"
#include "games/games.h"
#include "swf_reader.h"
#include "tags.h"
#include "tone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace swfgen {
namespace {

using testing::parseActions;
using testing::parseMovie;
using testing::parseTags;
using testing::TagRecord;

std::map<std::string, Bytes> outputs()
{
    std::map<std::string, Bytes> files;
    for (OutputFile& f : catalogue())
        files[f.name] = std::move(f.content);
    return files;
}

// Checks the actions of every DoAction, also inside sprites; returns how many it saw.
int checkActions(const std::vector<TagRecord>& tags, const std::string& file)
{
    int seen = 0;
    for (const TagRecord& t : tags) {
        if (t.code == tag::DoAction) {
            EXPECT_NO_THROW(parseActions(t.body)) << file;
            ++seen;
        } else if (t.code == tag::DefineSprite) {
            seen += checkActions(parseTags(t.body, 4), file);
        }
    }
    return seen;
}

TEST(Output, EveryMovieIsAWellFramedAvm1Movie)
{
    for (const auto& [name, content] : outputs()) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".swf")
            continue;
        SCOPED_TRACE(name);
        testing::ParsedMovie movie;
        ASSERT_NO_THROW(movie = parseMovie(content));
        EXPECT_EQ(movie.version, 8);
        ASSERT_FALSE(movie.tags.empty());
        // FileAttributes first, with the AS3 flag clear, so the player runs AVM1.
        EXPECT_EQ(movie.tags[0].code, tag::FileAttributes);
        EXPECT_EQ(movie.tags[0].body.at(0) & 0x08, 0);
        size_t frames = 0;
        std::set<uint16_t> defined;
        for (const TagRecord& t : movie.tags) {
            frames += t.code == tag::ShowFrame;
            if (t.code == tag::DefineShape3 || t.code == tag::DefineSprite || t.code == tag::DefineEditText
                || t.code == tag::DefineSound || t.code == tag::DefineFont2) {
                const uint16_t id = uint16_t(t.body.at(0) | t.body.at(1) << 8);
                EXPECT_TRUE(defined.insert(id).second) << "character " << id << " defined twice";
            }
        }
        EXPECT_EQ(movie.frameCount, frames);
        checkActions(movie.tags, name);
    }
}

TEST(Output, SolidFixtureIsA400By300RedStage)
{
    const auto movie = parseMovie(outputs().at("test-solid.swf"));
    EXPECT_EQ(movie.frameSize.xMax, 8000);
    EXPECT_EQ(movie.frameSize.yMax, 6000);
    const auto background = std::find_if(movie.tags.begin(), movie.tags.end(),
                                         [](const TagRecord& t) { return t.code == tag::SetBackgroundColor; });
    ASSERT_NE(background, movie.tags.end());
    EXPECT_EQ(background->body, (Bytes{0xFF, 0x00, 0x00}));
}

TEST(Output, AnimatedFixtureChangesEveryFrame)
{
    const auto movie = parseMovie(outputs().at("test-anim.swf"));
    EXPECT_GE(movie.frameCount, 60);
    // Each frame carries its own placement changes; no two frames alike.
    std::set<Bytes> frames;
    Bytes current;
    for (const TagRecord& t : movie.tags) {
        if (t.code == tag::PlaceObject2)
            current.insert(current.end(), t.body.begin(), t.body.end());
        if (t.code == tag::ShowFrame) {
            EXPECT_FALSE(current.empty());
            frames.insert(current);
            current.clear();
        }
    }
    EXPECT_EQ(frames.size(), movie.frameCount);
}

TEST(Output, ManifestListsEveryGameWithItsFile)
{
    const auto files = outputs();
    const Bytes& manifest = files.at("games.txt");
    std::string text(manifest.begin(), manifest.end());
    std::set<std::string> ids, keys;
    size_t lines = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "last line without newline";
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lines;
        std::vector<std::string> fields;
        for (size_t from = 0;;) {
            const size_t bar = line.find('|', from);
            fields.push_back(line.substr(from, bar - from));
            if (bar == std::string::npos)
                break;
            from = bar + 1;
        }
        ASSERT_EQ(fields.size(), 4u) << line;
        const std::string& id = fields[0];
        EXPECT_FALSE(id.empty());
        EXPECT_EQ(id.find_first_not_of("0123456789"), std::string::npos) << id;
        EXPECT_EQ(fields[1], id + ".swf");
        EXPECT_TRUE(files.count(fields[1])) << fields[1];
        EXPECT_FALSE(fields[2].empty());
        EXPECT_TRUE(ids.insert(id).second) << "id twice: " << id;
        if (!fields[3].empty()) {
            EXPECT_TRUE(keys.insert(fields[3]).second) << "key twice: " << fields[3];
        }
        for (char c : fields[3])
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_') << fields[3];
    }
    EXPECT_GE(lines, 3u);
    EXPECT_EQ(lines, demoGames().size());
}

TEST(Tone, WholeCyclesAtTheRequestedLevel)
{
    const auto samples = sineTone(440, 1.0, 22050, 0.5);
    EXPECT_EQ(samples.size(), 22050u);
    // Starts and (one sample past the end) returns to zero: loops without a click.
    EXPECT_EQ(samples.front(), 0);
    EXPECT_LE(std::abs(samples.back()), std::lround(32767 * 0.5 * std::sin(2 * M_PI * 440 / 22050)) + 1);
    int16_t peak = 0;
    for (int16_t s : samples)
        peak = std::max<int16_t>(peak, s);
    EXPECT_NEAR(peak, 16384, 20);
    EXPECT_THROW(sineTone(440, 1.0, 22050, 1.5), std::invalid_argument);
}

} // namespace
} // namespace swfgen
