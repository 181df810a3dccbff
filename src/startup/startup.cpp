#include "startup/startup.h"

#include "records/records.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "startup/machine_id.h"
#include "base/part_file.h"
#include "base/program_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {

void writeFirstStartValues(const IniFile &ini)
{
    ini.write("main", "Name", "Tamsa游戏盒");
    ini.write("main", "user", GetMachineId());
    ini.write("main", "Ver", "1.0");
    ini.write("S_q", "ts", "3");
    ini.write("S_q", "quit", "2");
    ini.write("S_q", "s_size", "2");
    ini.write("S_q", "h_w", "13550");
    ini.write("S_q", "h_h", "9210");
    ini.write("S_q", "s_kai", "1");
    ini.write("S_q", "s_pao", "2");
}

void normalise(const IniFile &ini)
{
    const QString user = ini.read("main", "user", "0");
    const QString ver = ini.read("main", "Ver", "0");
    const std::optional<int> ts = parseInt32(ini.read("S_q", "ts", "0"));
    const QString quit = ini.read("S_q", "quit", "0");
    const int sSize = ini.readInt("S_q", "s_size");
    const int hW = ini.readInt("S_q", "h_w");
    const int hH = ini.readInt("S_q", "h_h");
    const int sKai = ini.readInt("S_q", "s_kai");
    const int sPao = ini.readInt("S_q", "s_pao");

    if (user == "0" || user.isEmpty())
        ini.write("main", "user", GetMachineId());
    if (ver != "1.0")
        ini.write("main", "Ver", "1.0");
    if (ts != 1 && ts != 2)
        ini.write("S_q", "ts", "3");
    if (parseInt32(quit).value_or(0) == 0)
        ini.write("S_q", "quit", "2");
    if (sSize == 0)
        ini.write("S_q", "s_size", "2");
    if (hW == 0)
        ini.write("S_q", "h_w", "13550");
    if (hH == 0)
        ini.write("S_q", "h_h", "9210");
    if (sPao == 0)
        ini.write("S_q", "s_pao", "2");
    if (sKai == 0)
        ini.write("S_q", "s_kai", "1");
}

} // namespace

void StartUp()
{
    // Files half-written by a run that was killed or lost its power; a running client's own
    // are left alone (a later start runs this before it hands over to the running one).
    for (const char *folder : {"", "app", "flash"})
        PartFile::removeAbandoned(programPath(folder));

    const IniFile ini(programPath("config.ini"));
    if (!QFileInfo::exists(ini.path()))
        writeFirstStartValues(ini);
    normalise(ini);

    const QString app = programPath("app");
    if (!QFileInfo(app).isDir())
        QDir().mkpath(app);

    for (const char *record : Records::kRecordFiles) {
        const QString path = app + "/" + record;
        if (!QFileInfo::exists(path))
            replaceFile(path, "\r\n");
    }

    Records records(app);
    for (const char *record : Records::kRecordFiles) {
        if (!QFileInfo::exists(app + "/" + Records::listPageFor(record)))
            records.BuildListPage(record);
    }
}
