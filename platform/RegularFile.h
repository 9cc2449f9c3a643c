#pragma once
// The tool reads and writes regular files only. A name given as work file, configuration file or
// firmware file may stand for a FIFO, a device, a socket or a folder, directly or through a
// symbolic link: opening a FIFO or a terminal for reading can block for good, and replacing a
// device node by a regular file breaks the system. Such names are refused with a reason the
// user can read. Reading is also bounded: a file far larger than any real one is refused
// rather than read whole.
#include <cstdint>
#include <QString>
#include <string>

namespace platform {

enum class ReadOutcome {
    Read,      // Bytes holds the whole file
    Unopened,  // the name could not be opened (it is missing, or not ours to read)
    Refused,   // not a regular file, too large, or a read failed
};

struct TFileBytes {
    ReadOutcome Outcome = ReadOutcome::Unopened;
    std::string Bytes;
    QString Reason;               // why it was not read, in the user's words; empty when read
    std::int64_t ModifiedNs = 0;  // the file's modification time when read, in nanoseconds
};

// Reads the whole file when it is a regular file (or a link to one) of at most maxSize bytes.
// Never blocks: other kinds of file are refused before they are opened for reading.
TFileBytes ReadRegularFile(const QString& fileName, std::int64_t maxSize);

// Whether a second read found the file as the first did: missing both times, or read both times
// with the same size, modification time and bytes. A file some other program wrote in between
// differs in at least one of them.
bool SameFileAsRead(const TFileBytes& asRead, const TFileBytes& now);

struct TWriteTarget {
    QString Path;    // the file to replace: the name itself, or the regular file a link names
    QString Reason;  // why the name may not be written; empty when Path holds the answer
};

// Where a new content of that name is to go: a regular file, a symbolic link to a regular file
// (its target, so that the link stays a link) or a name that does not exist yet. Anything else
// is refused: a device, a FIFO, a socket, a folder, or a link to one of these or to nothing.
TWriteTarget RegularWriteTarget(const QString& fileName);

// The user's words for a failed system call's error number: the tool's own for the causes a user
// meets and can act on (a full disk, no rights), else the system's text.
QString FileErrorReason(int error);

// The box texts: "ファイル <name> を読み込めません" / "ファイル <name> を作成できません" and,
// on the next line, the reason.
QString CannotReadMessage(const QString& fileName, const QString& reason);
QString CannotSaveMessage(const QString& fileName, const QString& reason);

}  // namespace platform
