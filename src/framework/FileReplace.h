// Writing a whole file so that it is either all there or not changed at all: the bytes go to a new
// file beside the target, every write, the sync and the close are checked, and only then does the
// new file take the target's name. A full disk, a missing folder or a crash mid-way leaves the old
// file as it was and no stray file behind.
#pragma once

#include <QByteArray>
#include <QString>

// What ReplaceFile gives back for a name that is a FIFO, a socket or a device; no error number of
// the system has this value.
constexpr int NotARegularFile = -1;

// Replaces fileName's content by data; gives back 0, or the error number of the step that failed
// (NotARegularFile for a name that exists and is neither a file nor a folder).
// The temporary file has a name of its own per call, so two writers of one file never share it.
int ReplaceFile(const QString& fileName, const QByteArray& data);

// What went wrong, in the user's words where there are such words ("磁盘空间不足").
QString FileErrorReason(int error);

// ReplaceFile that raises EFCreateError "无法写入文件 <name>：<reason>" on failure.
void SaveBytesToFile(const QString& fileName, const QByteArray& data);
