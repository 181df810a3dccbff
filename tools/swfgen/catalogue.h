// Every file swfgen writes, with its content.
#pragma once

#include "bit_writer.h"

#include <string>

namespace swfgen {

struct OutputFile {
    std::string name;
    Bytes content;
};

std::vector<OutputFile> catalogue();

} // namespace swfgen
