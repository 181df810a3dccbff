// 打靶: click the target before it jumps away; thirty seconds a round.
#include "games/games.h"

#include "games/game_flow.h"

namespace swfgen {

namespace {

constexpr int kFrameRate = 30, kRoundSeconds = 30;
constexpr double kTargetRadius = 30;

void addBackdrop(Movie& movie)
{
    Shape back;
    back.rect(rgb(0xFFF4D6), 0, 0, 480, 360);
    back.rect(rgb(0xFFE0A3), 0, 0, 480, 40);
    place(movie, addShape(movie, back), 1);
}

Shape target()
{
    Shape s;
    s.circle(rgb(0xD32F2F), 0, 0, kTargetRadius);
    s.circle(rgb(0xFFFFFF), 0, 0, 20);
    s.circle(rgb(0xD32F2F), 0, 0, 10);
    return s;
}

Block setup()
{
    const Expr t = var("target");
    Block moveTarget;
    moveTarget.setMember(t, "_x", Expr(kTargetRadius) + random(480 - 2 * kTargetRadius))
        .setMember(t, "_y", Expr(40 + kTargetRadius) + random(320 - 2 * kTargetRadius))
        // The target waits less the more often it was hit, never under half a second.
        .set("wait", Expr(75) - var("score") * 2)
        .when(var("wait") < 15, Block().set("wait", 15));
    Block start;
    start.set("score", 0).set("state", "play").set("msg", "")
        .set("left", kFrameRate * kRoundSeconds)
        .eval(call("moveTarget"));
    Block hit;
    hit.when(var("state") == "play",
             Block().set("score", var("score") + 1).eval(call("moveTarget")));
    return Block()
        .set("score", 0).set("wait", 0).set("left", 0).set("pause", 0)
        .set("moveTarget", function({}, moveTarget))
        .set("start", function({}, start))
        .setMember(t, "onPress", function({}, hit))
        .append(restartOnClick())
        .eval(call("start"));
}

Block everyFrame()
{
    Block play;
    play.set("left", var("left") - 1)
        .set("wait", var("wait") - 1)
        .when(var("wait") <= 0, Block().eval(call("moveTarget")))
        .when(var("left") <= 0,
              gameOver("TIME UP - press SPACE or click").set("left", 0));
    return Block()
        .when(var("state") == "play", play, restartWhenAsked())
        .set("hud", Expr("Hits: ") + var("score") + "      Time: "
                        + toInteger((var("left") + (kFrameRate - 1)) / kFrameRate));
}

} // namespace

Bytes clickGame()
{
    Movie movie(480, 360, kFrameRate);
    movie.add(setBackgroundColor(rgb(0xFFF4D6)));
    addBackdrop(movie);
    place(movie, addClip(movie, target()), 10, "target", 240, 200);
    return finishGame(movie, rgb(0x5D4037), rgb(0xC62828), setup(), everyFrame());
}

} // namespace swfgen
