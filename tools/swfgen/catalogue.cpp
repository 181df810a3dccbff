#include "catalogue.h"

#include "fixtures.h"

namespace swfgen {

std::vector<OutputFile> catalogue()
{
    return {
        {"test-solid.swf", solidFixture()},
        {"test-anim.swf", animFixture()},
    };
}

} // namespace swfgen
