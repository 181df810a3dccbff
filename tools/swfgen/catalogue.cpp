#include "catalogue.h"

#include "fixtures.h"
#include "games/games.h"

namespace swfgen {

std::vector<OutputFile> catalogue()
{
    std::vector<OutputFile> files;
    for (const GameEntry& game : demoGames())
        files.push_back({std::to_string(game.id) + ".swf", game.build()});
    const std::string manifest = gameManifest();
    files.push_back({"games.txt", Bytes(manifest.begin(), manifest.end())});
    files.push_back({"test-solid.swf", solidFixture()});
    files.push_back({"test-anim.swf", animFixture()});
    return files;
}

} // namespace swfgen
