#include "games/games.h"

namespace swfgen {

const std::vector<GameEntry>& demoGames()
{
    static const std::vector<GameEntry> games = {
        {1001, "接球", "", catchGame},
        {1002, "躲避方块", "", dodgeGame},
        {1003, "打靶", "click", clickGame},
        {1004, "贪吃蛇", "", snakeGame},
    };
    return games;
}

std::string gameManifest()
{
    std::string text;
    for (const GameEntry& game : demoGames()) {
        const std::string id = std::to_string(game.id);
        text += id + "|" + id + ".swf|" + game.name + "|" + game.key + "\n";
    }
    return text;
}

} // namespace swfgen
