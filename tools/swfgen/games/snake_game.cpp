// 贪吃蛇: steer the snake with the arrow keys, eat the red food, do not bite yourself or the wall.
#include "games/games.h"

#include "games/game_flow.h"

namespace swfgen {

namespace {

constexpr int kCell = 20, kColumns = 24, kRows = 18, kTopRows = 2;   // top rows hold the score
constexpr int kFramesPerStep = 4;

void addField(Movie& movie)
{
    Shape field;
    field.rect(rgb(0xDCEDC8), 0, 0, 480, 360);
    field.rect(rgb(0x33691E), 0, 0, 480, kTopRows * kCell);
    place(movie, addShape(movie, field), 1);
}

Expr at(const std::string& array, const Expr& index) { return member(var(array), index); }
Expr last(const std::string& array) { return at(array, member(var(array), "length") - 1); }

// Fills one grid cell on the drawing clip `board`, in the fill begun before.
Block fillCell(const Expr& column, const Expr& row)
{
    const Expr board = var("board"), x = column * kCell + 1, y = row * kCell + 1;
    const int side = kCell - 2;
    return Block()
        .eval(method(board, "moveTo", {x, y}))
        .eval(method(board, "lineTo", {x + side, y}))
        .eval(method(board, "lineTo", {x + side, y + side}))
        .eval(method(board, "lineTo", {x, y + side}))
        .eval(method(board, "lineTo", {x, y}));
}

Block setup()
{
    Block placeFood;
    placeFood.set("fx", random(kColumns)).set("fy", Expr(kTopRows) + random(kRows - kTopRows));
    Block start;
    start.set("xs", newObject("Array")).set("ys", newObject("Array")).set("i", 0)
        .loopWhile(var("i") < 4, Block()
                                     .eval(method(var("xs"), "push", {var("i") + 4}))
                                     .eval(method(var("ys"), "push", {10}))
                                     .set("i", var("i") + 1))
        .set("dx", 1).set("dy", 0).set("ndx", 1).set("ndy", 0).set("tick", 0)
        .set("score", 0).set("state", "play").set("msg", "")
        .eval(call("placeFood"));
    return Block()
        .set("i", 0).set("hx", 0).set("hy", 0).set("dead", false).set("pause", 0).set("score", 0)
        .set("board", method(var("_root"), "createEmptyMovieClip", {"board", 50}))
        .set("placeFood", function({}, placeFood))
        .set("start", function({}, start))
        .append(restartOnClick())
        .eval(call("start"));
}

// Turning back onto the neck is ignored.
Block steering()
{
    const Expr dx = var("dx"), dy = var("dy");
    auto turn = [](int x, int y) { return Block().set("ndx", x).set("ndy", y); };
    return Block()
        .when(keyDown(Key::Left) && dx != 1, turn(-1, 0))
        .when(keyDown(Key::Right) && dx != -1, turn(1, 0))
        .when(keyDown(Key::Up) && dy != 1, turn(0, -1))
        .when(keyDown(Key::Down) && dy != -1, turn(0, 1));
}

Block step()
{
    const Expr hx = var("hx"), hy = var("hy");
    Block bites;
    bites.set("i", 0).loopWhile(var("i") < member(var("xs"), "length"),
                                Block()
                                    .when(at("xs", var("i")) == hx && at("ys", var("i")) == hy,
                                          Block().set("dead", true))
                                    .set("i", var("i") + 1));
    Block grow;
    grow.eval(method(var("xs"), "push", {hx}))
        .eval(method(var("ys"), "push", {hy}))
        .when(hx == var("fx") && hy == var("fy"),
              Block().set("score", var("score") + 1).eval(call("placeFood")),
              Block().eval(method(var("xs"), "shift")).eval(method(var("ys"), "shift")));
    return Block()
        .set("dx", var("ndx")).set("dy", var("ndy"))
        .set("hx", last("xs") + var("dx")).set("hy", last("ys") + var("dy"))
        .set("dead", hx < 0 || hx >= kColumns || hy < kTopRows || hy >= kRows)
        .when(!var("dead"), bites)
        .when(var("dead"), gameOver("OUCH! - press SPACE or click"), grow);
}

Block draw()
{
    const Expr board = var("board");
    return Block()
        .eval(method(board, "clear"))
        .eval(method(board, "beginFill", {0x2E7D32}))
        .set("i", 0)
        .loopWhile(var("i") < member(var("xs"), "length"),
                   fillCell(at("xs", var("i")), at("ys", var("i"))).set("i", var("i") + 1))
        .eval(method(board, "endFill"))
        .eval(method(board, "beginFill", {0x1B5E20}))
        .append(fillCell(last("xs"), last("ys")))
        .eval(method(board, "endFill"))
        .eval(method(board, "beginFill", {0xE53935}))
        .append(fillCell(var("fx"), var("fy")))
        .eval(method(board, "endFill"));
}

Block everyFrame()
{
    Block play;
    play.append(steering())
        .set("tick", var("tick") + 1)
        .when(var("tick") >= kFramesPerStep, Block().set("tick", 0).append(step()).append(draw()));
    return Block()
        .when(var("state") == "play", play, restartWhenAsked())
        .set("hud", Expr("Score: ") + var("score"));
}

} // namespace

Bytes snakeGame()
{
    Movie movie(kColumns * kCell, kRows * kCell, 30);
    movie.add(setBackgroundColor(rgb(0xDCEDC8)));
    addField(movie);
    return finishGame(movie, rgb(0xFFFFFF), rgb(0xB71C1C), setup(), everyFrame());
}

} // namespace swfgen
