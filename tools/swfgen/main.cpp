// swfgen OUTPUT_FOLDER: writes the demo games, their list games.txt and the test movies.
#include "catalogue.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string& path, const char* data, size_t size)
{
    // Written beside the target and renamed, so a player never reads half a movie.
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(data, std::streamsize(size));
        if (!out.flush())
            return false;
    }
    return std::rename(partial.c_str(), path.c_str()) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (const swfgen::OutputFile& file : swfgen::catalogue()) {
        const std::string path = folder + "/" + file.name;
        if (!writeFile(path, reinterpret_cast<const char*>(file.content.data()), file.content.size())) {
            std::fprintf(stderr, "swfgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
