#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// Field `index` of a record line, fields separated by "|"; empty when the line has no such field.
QByteArrayView recordField(QByteArrayView line, int index);

// A record's kind field: a points game (its link has the velojf:// scheme) or an ordinary one.
enum RecordKind : int { PointsGame = 0, OrdinaryGame = 1 };

// The three record files in the app folder and their list pages. A record is one line of
// name|id|address|kind; line numbers count every line of the file. After each change the
// list page is rebuilt and the list pane told to reload whatever page it shows.
class Records {
public:
    static constexpr std::array<const char *, 3> kRecordFiles{"date_n.dat", "date_c.dat", "date_d.dat"};

    explicit Records(QString appFolder, std::function<void()> refreshListPane = {});

    // Puts the game at line 1, dropping older records with the same id and everything past
    // the first N lines (N = 100 for date_n/date_c, 2000 otherwise). Missing file: nothing.
    // A "|", CR or LF in a field is stored as "%7C", "%0D" or "%0A".
    void AddRecord(const QString &name, const QString &id, const QString &address, int kind,
                   const QString &fileName) const;

    // Removes line `lineNumber` (1-based); a number beyond the file removes nothing but the
    // file is still rewritten. Missing file: nothing.
    void RemoveRecord(const QString &fileName, int lineNumber) const;

    // Writes the list page of a record file and refreshes the list pane. False (and nothing
    // written or refreshed) when the record file cannot be read.
    bool BuildListPage(const QString &fileName) const;

    // Overwrites the record file with one empty line and rebuilds its page; false when the
    // file is missing.
    bool Clear(const QString &fileName) const;

    // Line `lineNumber` split at "|", or empty when there is no such line or it holds no "|".
    QStringList recordAt(const QString &fileName, int lineNumber) const;

    // n.htm, c.htm or d.htm for a record file name.
    static QString listPageFor(const QString &fileName);

    QString pathOf(const QString &fileName) const { return appFolder_ + "/" + fileName; }

private:
    // Replaces the record file with `text` and rebuilds its page from the same bytes; when
    // the file cannot be replaced, the page shows what it still holds.
    void replaceRecords(const QString &fileName, const QByteArray &text) const;
    void writeListPage(const QString &fileName, const QByteArray &records) const;

    QString appFolder_;
    std::function<void()> refreshListPane_;
};
