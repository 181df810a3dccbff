// The game link split and what its fields may become: a record id, a file in flash/, a page.
// Ids come from portal pages, so no text may make a path outside flash/.
#include "fuzz_support.h"
#include "records/game_link.h"
#include "base/ini_file.h"

namespace {

void checkFields(const QString &link, const QString &scheme)
{
    const GameLinkFields fields = splitGameLink(link, scheme);
    FUZZ_CHECK(fields.id.has_value());
    FUZZ_CHECK(!fields.name || fields.address);
    // The fields are the text between the separators: joined again they give the link
    // without its scheme and its one trailing "/", up to the fields past the third.
    QString rest = link;
    rest.remove(scheme);
    if (rest.endsWith('/'))
        rest.chop(1);
    QString joined = *fields.id;
    if (fields.address)
        joined += "$$$" + *fields.address;
    if (fields.name)
        joined += "$$$" + *fields.name;
    FUZZ_CHECK(rest.startsWith(joined));
    FUZZ_CHECK(rest.size() == joined.size() || (fields.name && rest.mid(joined.size()).startsWith("$$$")));

    const QString folder = QStringLiteral("/home/player/tamsa");
    const std::optional<QString> path = downloadedGamePath(folder, *fields.id);
    FUZZ_CHECK(path.has_value() == isFileSafeId(*fields.id));
    if (path) {
        FUZZ_CHECK(*path == QDir::cleanPath(*path));
        FUZZ_CHECK(path->startsWith(folder + "/flash/") && path->endsWith(".swf"));
        FUZZ_CHECK(!path->mid(folder.size() + 7).contains('/'));
        FUZZ_CHECK(recordId(*fields.id).has_value());
    }
    const QString page = gamePageFor(*fields.id, fields.address.value_or(QString()), folder,
                                     QStringLiteral("http://127.0.0.1:8577/"), path.has_value());
    FUZZ_CHECK(page.startsWith(path ? folder + "/app/flash.htm?" : QStringLiteral("http://127.0.0.1:8577/")));
}

// A record id is a canonical 32-bit decimal: it reads back as the same number and text.
void checkRecordId(const QString &text)
{
    const std::optional<QString> id = recordId(text);
    FUZZ_CHECK(id.has_value() == parseInt32(text).has_value());
    if (!id)
        return;
    FUZZ_CHECK(recordId(*id) == id);
    FUZZ_CHECK(parseInt32(*id) == parseInt32(text));
    FUZZ_CHECK(*id == QString::number(*parseInt32(*id)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString link = QString::fromUtf8(fuzzBytes(data, size));
    const QString scheme = gameLinkScheme(link);
    FUZZ_CHECK(scheme.isEmpty() || link.startsWith(scheme));
    FUZZ_CHECK(scheme.isEmpty() == !(link.startsWith(kGameScheme) || link.startsWith(kPointsScheme)));
    checkFields(link, kGameScheme);
    checkFields(link, kPointsScheme);
    checkRecordId(link);
    checkRecordId(*splitGameLink(link, kGameScheme).id);
    return 0;
}
