// 接球: move the basket with the arrow keys or the mouse and catch the falling balls.
#include "games/games.h"

#include "games/game_flow.h"

#include <array>

namespace swfgen {

namespace {

constexpr int kBalls = 3;
constexpr double kBasketY = 320, kBasketHalfWidth = 45, kBallRadius = 12;

void addScenery(Movie& movie)
{
    Shape scene;
    scene.rect(rgb(0x87CEEB), 0, 0, 480, 360);
    scene.circle(rgb(0xFFD93B), 420, 60, 30);
    const Rgba cloud = rgb(0xFFFFFF);
    scene.circle(cloud, 90, 80, 22);
    scene.circle(cloud, 115, 70, 26);
    scene.circle(cloud, 140, 82, 20);
    scene.rect(rgb(0x4CAF50), 0, 336, 480, 24);
    place(movie, addShape(movie, scene), 1);
}

Shape basket()
{
    Shape s;
    s.rect(rgb(0xE65100), -kBasketHalfWidth, -8, 2 * kBasketHalfWidth, 16);
    s.rect(rgb(0xFFB74D), -kBasketHalfWidth + 6, -4, 2 * kBasketHalfWidth - 12, 4);
    return s;
}

Shape ball(uint32_t colour)
{
    Shape s;
    s.circle(rgb(colour), 0, 0, kBallRadius);
    s.circle(rgb(0xFFFFFF), -4, -4, 3);
    return s;
}

Expr ballAt(const Expr& index) { return clip(Expr("ball") + index); }

Block setup()
{
    const Expr b = var("b");
    Block resetBall;
    resetBall.setMember(b, "_x", Expr(20) + random(440))
        .setMember(b, "_y", Expr(-20) - random(300))
        .setMember(b, "v", Expr(2) + random(3) + toInteger(var("score") / 5));
    Block start;
    start.set("score", 0).set("lives", 3).set("state", "play").set("msg", "").set("i", 0)
        .loopWhile(var("i") < kBalls,
                   Block().eval(call("resetBall", {ballAt(var("i"))})).set("i", var("i") + 1));
    return Block()
        .set("px", 240).set("i", 0).set("b", 0).set("score", 0).set("pause", 0)
        .set("lastMouse", member(var("_root"), "_xmouse"))
        .set("resetBall", function({"b"}, resetBall))
        .set("start", function({}, start))
        .append(restartOnClick())
        .eval(call("start"));
}

Block everyFrame()
{
    const Expr px = var("px"), b = var("b"), mouseX = member(var("_root"), "_xmouse");
    Block moveBall;
    moveBall.set("b", ballAt(var("i")))
        .setMember(b, "_y", member(b, "_y") + member(b, "v"))
        .when(member(b, "_y") >= kBasketY - 8 - kBallRadius
                  && member(b, "_y") < kBasketY - 8 - kBallRadius + member(b, "v")
                  && absolute(member(b, "_x") - px) < kBasketHalfWidth + kBallRadius,
              Block().set("score", var("score") + 1).eval(call("resetBall", {b})),
              Block().when(member(b, "_y") > 372,
                           Block().set("lives", var("lives") - 1)
                               .eval(call("resetBall", {b}))
                               .when(var("lives") <= 0, gameOver("GAME OVER - press SPACE or click"))))
        .set("i", var("i") + 1);
    Block play;
    play.when(keyDown(Key::Left), Block().set("px", px - 10))
        .when(keyDown(Key::Right), Block().set("px", px + 10))
        .when(mouseX != var("lastMouse"), Block().set("px", mouseX).set("lastMouse", mouseX))
        .when(px < kBasketHalfWidth, Block().set("px", kBasketHalfWidth))
        .when(px > 480 - kBasketHalfWidth, Block().set("px", 480 - kBasketHalfWidth))
        .setMember(var("paddle"), "_x", px)
        .set("i", 0)
        .loopWhile(var("i") < kBalls, moveBall);
    return Block()
        .when(var("state") == "play", play, restartWhenAsked())
        .set("hud", Expr("Score: ") + var("score") + "      Lives: " + var("lives"));
}

} // namespace

Bytes catchGame()
{
    Movie movie(480, 360, 30);
    movie.add(setBackgroundColor(rgb(0x87CEEB)));
    addScenery(movie);
    place(movie, addClip(movie, basket()), 10, "paddle", 240, kBasketY);
    std::vector<Shape> shapes;
    const std::array<uint32_t, kBalls> colours = {0xE53935, 0x8E24AA, 0x1E88E5};
    for (uint32_t colour : colours)
        shapes.push_back(ball(colour));
    placeNumberedClips(movie, shapes, "ball", 20);
    return finishGame(movie, rgb(0x0D47A1), rgb(0xB71C1C), setup(), everyFrame());
}

} // namespace swfgen
