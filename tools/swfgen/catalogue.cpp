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
    files.push_back({"test-saves.swf", savesFixture()});
    files.push_back({"test-sound.swf", soundFixture()});
    files.push_back({"test-keys.swf", keysFixture()});
    files.push_back({"test-fullscreen.swf", fullscreenFixture()});
    return files;
}

} // namespace swfgen
