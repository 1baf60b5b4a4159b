#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
class TProject;

// The program file of a card's playbill: sections "[ProgramList]",
// "[RegionList]", "[FodderList]" and "[TxtContentList]" of comma-joined
// lines in the system code page, CR LF after every line.
//
// Reading is forgiving: lines it cannot use are passed over, and only a
// region that does not fit the card's screen (or whose place is unreadable)
// fails the whole load. A numeric field that is not a decimal integer:
// - page DateMode: 1;
// - region left, top, width, height: the load fails (like a negative value),
//   because the region's place on the screen is unknown;
// - material Kind (or a kind outside 0..11): the material line is passed over;
// - any other material number: the value a new material of the kind has.
// Files beyond kMaxFileSize or kMaxObjects fail, so no file can take
// unbounded memory.
namespace ProgramFile {

// Files larger than this are refused (the load fails).
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
// A file with more pages, regions and materials than this is refused.
constexpr int kMaxObjects = 200000;

// The file's bytes for a card; regions are clipped to its screen as written.
QByteArray Write(const TProject &project, const QString &cardName);

struct TLoadResult
{
    enum Status { NotFound, Loaded, Failed };
    Status status = NotFound;
    QString error;              // "warn_open_load_fail" when failed
    QStringList missingFiles;   // file names left out of materials, in order
    int pages = 0;
    int regions = 0;
    int fodders = 0;
};

// Replaces the card's playbill with the file's content. On failure the
// card's playbill is left empty. The program file path and the modified
// flag are not touched (LoadFile does that).
TLoadResult Read(TProject &project, const QString &cardName, const QByteArray &bytes,
                 int maxObjects = kMaxObjects);
TLoadResult Read(TProject &project, const QString &cardName, QIODevice &device);

// Writes the card's file atomically (a temporary file renamed into place);
// on failure the old file is intact and the error text is returned.
QString WriteFile(const TProject &project, const QString &cardName, const QString &path);

// Loads a file into the card: nothing when the file does not exist; on
// success the card's program file is the path and its modified flag clear.
TLoadResult LoadFile(TProject &project, const QString &cardName, const QString &path);

} // namespace ProgramFile
