#include "chrome/window_size.h"

#include "base/ini_file.h"
#include "base/program_folder.h"

void saveWindowSize(QSize outerPixels)
{
    const IniFile config(programPath("config.ini"));
    config.write("S_q", "h_w", QString::number(outerPixels.width() * kTwipsPerPixel));
    config.write("S_q", "h_h", QString::number(outerPixels.height() * kTwipsPerPixel));
}
