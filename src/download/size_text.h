#pragma once

#include <QString>

// A byte count for the player: "500b", "2k", "1.5M", "0.6G". The giga unit starts at 512 MB
// and a whole value drops its ".0".
QString SizeText(qint64 n);
