// 躲避方块: steer the ship with the arrow keys and dodge the falling blocks.
#include "games/games.h"

#include "games/game_flow.h"

#include <array>

namespace swfgen {

namespace {

constexpr int kRocks = 5;
constexpr double kRockHalf = 15, kShipRadius = 14, kShipSpeed = 6;

void addNightSky(Movie& movie)
{
    Shape sky;
    sky.rect(rgb(0x1B1F3B), 0, 0, 480, 360);
    const Rgba star = rgb(0xFFF59D);
    const double stars[][2] = {{40, 60}, {120, 30}, {210, 90}, {300, 40}, {390, 110}, {450, 50},
                               {70, 200}, {180, 250}, {350, 220}, {430, 290}, {260, 170}, {20, 320}};
    for (const auto& s : stars)
        sky.circle(star, s[0], s[1], 2);
    place(movie, addShape(movie, sky), 1);
}

Shape ship()
{
    Shape s;
    s.circle(rgb(0x66BB6A), 0, 0, kShipRadius);
    s.circle(rgb(0xFFFFFF), 0, -3, 6);
    s.circle(rgb(0x1B5E20), 0, -3, 3);
    return s;
}

Shape rock(uint32_t colour)
{
    Shape s;
    s.rect(rgb(colour), -kRockHalf, -kRockHalf, 2 * kRockHalf, 2 * kRockHalf);
    s.rect(rgb(0x000000), -kRockHalf + 6, -kRockHalf + 6, 2 * kRockHalf - 12, 2 * kRockHalf - 12);
    return s;
}

Expr rockAt(const Expr& index) { return clip(Expr("rock") + index); }

Block setup()
{
    const Expr r = var("r");
    Block resetRock;
    resetRock.setMember(r, "_x", Expr(kRockHalf) + random(480 - 2 * kRockHalf))
        .setMember(r, "_y", Expr(-kRockHalf) - random(300))
        .setMember(r, "v", Expr(2) + random(3) + toInteger(var("score") / 8));
    Block start;
    start.set("score", 0).set("state", "play").set("msg", "").set("sx", 240).set("sy", 310).set("i", 0)
        .loopWhile(var("i") < kRocks,
                   Block().eval(call("resetRock", {rockAt(var("i"))})).set("i", var("i") + 1));
    return Block()
        .set("i", 0).set("r", 0).set("score", 0).set("pause", 0).set("sx", 240).set("sy", 310)
        .set("resetRock", function({"r"}, resetRock))
        .set("start", function({}, start))
        .append(restartOnClick())
        .eval(call("start"));
}

// Keeps a coordinate variable inside [low, high].
Block clamp(const std::string& name, double low, double high)
{
    return Block()
        .when(var(name) < low, Block().set(name, low))
        .when(var(name) > high, Block().set(name, high));
}

Block everyFrame()
{
    const Expr r = var("r"), sx = var("sx"), sy = var("sy");
    Block moveRock;
    moveRock.set("r", rockAt(var("i")))
        .setMember(r, "_y", member(r, "_y") + member(r, "v"))
        .when(member(r, "_y") > 360 + kRockHalf,
              Block().set("score", var("score") + 1).eval(call("resetRock", {r})))
        .when(absolute(member(r, "_x") - sx) < kRockHalf + kShipRadius
                  && absolute(member(r, "_y") - sy) < kRockHalf + kShipRadius,
              gameOver("CRASH! - press SPACE or click"))
        .set("i", var("i") + 1);
    Block play;
    play.when(keyDown(Key::Left), Block().set("sx", sx - kShipSpeed))
        .when(keyDown(Key::Right), Block().set("sx", sx + kShipSpeed))
        .when(keyDown(Key::Up), Block().set("sy", sy - kShipSpeed))
        .when(keyDown(Key::Down), Block().set("sy", sy + kShipSpeed))
        .append(clamp("sx", kShipRadius, 480 - kShipRadius))
        .append(clamp("sy", 40, 360 - kShipRadius))
        .setMember(var("ship"), "_x", sx)
        .setMember(var("ship"), "_y", sy)
        .set("i", 0)
        .loopWhile(var("i") < kRocks && var("state") == "play", moveRock);
    return Block()
        .when(var("state") == "play", play, restartWhenAsked())
        .set("hud", Expr("Dodged: ") + var("score"));
}

} // namespace

Bytes dodgeGame()
{
    Movie movie(480, 360, 30);
    movie.add(setBackgroundColor(rgb(0x1B1F3B)));
    addNightSky(movie);
    place(movie, addClip(movie, ship()), 10, "ship", 240, 310);
    std::vector<Shape> shapes;
    const std::array<uint32_t, kRocks> colours = {0xEF5350, 0xFFA726, 0xAB47BC, 0x29B6F6, 0xFFEE58};
    for (uint32_t colour : colours)
        shapes.push_back(rock(colour));
    placeNumberedClips(movie, shapes, "rock", 20);
    return finishGame(movie, rgb(0xFFFFFF), rgb(0xFFEB3B), setup(), everyFrame());
}

} // namespace swfgen
